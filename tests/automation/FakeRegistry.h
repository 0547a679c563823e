#pragma once
// An in-memory registry for launcher tests; it counts writes so a test can see it was left alone.
#include <QMap>

#include "automation/GameRegistry.h"

struct FakeRegistry : tGameRegistry
{
    QMap<QString, QMap<QString, QString>> keys; // key (lower case) -> value name (lower case) -> text
    QStringList nonStrings;                     // "key|name" of values that are not strings
    int writes = 0;
    QString busy;

    bool KeyExists(const QString &key) const override { return keys.contains(key.toLower()); }
    bool ReadString(const QString &key, const QString &name, QString &value) const override
    {
        if (!KeyExists(key) || nonStrings.contains(key.toLower() + QLatin1Char('|') + name.toLower()))
            return false;
        value = keys[key.toLower()].value(name.toLower());
        return true;
    }
    bool WriteString(const QString &key, const QString &name, const QString &value) override
    {
        ++writes;
        if (!KeyExists(key))
            return false;
        keys[key.toLower()][name.toLower()] = value;
        return true;
    }
    QString Busy() const override { return busy; }
};
