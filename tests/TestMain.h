#pragma once
// Several QTest classes in one executable per area: each test file registers its class with
// QC_TEST(Class); the area's main (TestMain.cpp) runs them all and fails if any fails.
#include <QObject>
#include <QtTest>
#include <functional>
#include <vector>

namespace qctest {
struct Entry { const char *name; std::function<QObject *()> make; };
inline std::vector<Entry> &registry()
{
    static std::vector<Entry> r;
    return r;
}
struct Registrar
{
    Registrar(const char *name, std::function<QObject *()> make) { registry().push_back({name, std::move(make)}); }
};
} // namespace qctest

#define QC_TEST(Class) static qctest::Registrar qc_registrar_##Class(#Class, [] { return new Class; });
