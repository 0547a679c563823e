#include "TestMain.h"

#include <QLocale>

#include "net/Ansi.h"

class AnsiTest : public QObject
{
    Q_OBJECT
    int m_page = 0;

private slots:
    void init() { m_page = ansi::CodePage(); }
    void cleanup() { ansi::SetCodePage(m_page); }

    void codePagesReadTheirTextAndKeepEveryByte()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all += char(b);
        const struct { int page; QByteArray bytes; QString text; } cases[] = {
            {1252, "\x92\x80\x85\x81", QStringLiteral("\u2019\u20ac\u2026\u0081")},
            {1250, "\xb9\xea\x9c\xb3", QStringLiteral("\u0105\u0119\u015b\u0142")},
            {1251, "\xcf\xf0\xe8\xe2\xe5\xf2", QStringLiteral("\u041f\u0440\u0438\u0432\u0435\u0442")},
            {1253, "\xe1\xe2", QStringLiteral("\u03b1\u03b2")},
            {874, "\xa1\xdb", QStringLiteral("\u0e01\u00db")},
            {1258, "\xea\xec", QStringLiteral("\u00ea\u0301")},
        };
        for (const auto &c : cases) {
            QVERIFY(ansi::SetCodePage(c.page));
            QCOMPARE(ansi::fromBytes(c.bytes), c.text);
            QCOMPARE(ansi::toBytes(c.text), c.bytes);
            QCOMPARE(ansi::toBytes(ansi::fromBytes(all)), all);
        }
        // A letter the code page lacks as one character goes out as its parts, else as "?".
        QCOMPARE(ansi::toBytes(QStringLiteral("\u1ebf")), QByteArray("\xea\xec"));
        QVERIFY(ansi::SetCodePage(1252));
        QCOMPARE(ansi::toBytes(QStringLiteral("\u212b\u0416\U0001F600")), QByteArray("\xc5??"));
        QVERIFY(!ansi::SetCodePage(65001));
        QCOMPARE(ansi::CodePage(), 1252);
    }

    void codePageFollowsTheLocale()
    {
        using L = QLocale;
        const std::pair<QLocale, int> cases[] = {
            {L(L::English, L::UnitedStates), 1252}, {L(L::Japanese), 1252}, {L(L::Polish), 1250},
            {L(L::Russian), 1251}, {L(L::Serbian, L::LatinScript, L::Serbia), 1250}, {L(L::Greek), 1253},
            {L(L::Turkish), 1254}, {L(L::Hebrew), 1255}, {L(L::Arabic, L::Egypt), 1256},
            {L(L::Lithuanian), 1257}, {L(L::Vietnamese), 1258}, {L(L::Thai), 874},
        };
        for (const auto &[locale, page] : cases)
            QVERIFY2(ansi::CodePageFor(locale) == page, qPrintable(locale.name()));
    }

    // Only A..Z fold; the first capital may be anywhere, the last character included.
    void foldingOnlyAToZ()
    {
        const std::array<std::array<QString, 3>, 5> cases{{
            {"abc", "abc", "ABC"}, {"xyZ", "xyz", "XYz"}, {"@[`{", "@[`{", "@[`{"}, {"ÉÀ", "ÉÀ", "éà"}, {"", "", ""},
        }};
        for (const auto &[text, folded, other] : cases) {
            QCOMPARE(ansi::foldAZ(text), folded);
            QCOMPARE(ansi::sameFoldedAZ(text, other), ansi::foldAZ(other) == folded);
        }
        QVERIFY(!ansi::sameFoldedAZ(QStringLiteral("ab"), QStringLiteral("abc")));
    }
};
QC_TEST(AnsiTest)
#include "AnsiTest.moc"
