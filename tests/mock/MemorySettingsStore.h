// SPDX-License-Identifier: MIT
#pragma once

// A settings store in memory that can be told to fail from the n-th write on.

#include "core/Failure.h"
#include "modules/SettingsStore.h"

#include <QMap>
#include <QStringList>

namespace orv::test {

class MemorySettingsStore : public SettingsStore
{
public:
    QString GetSetting(const QString &application, const QString &section, const QString &key,
        const QString &defaultValue) override
    {
        reads.append(key);
        return values.value(path(application, section, key), defaultValue);
    }

    void SaveSetting(const QString &application, const QString &section, const QString &key,
        const QString &value) override
    {
        if (failFromWrite >= 0 && writes.size() >= failFromWrite)
            fail(FailureCode::ControlFailed, "store not writable");
        writes.append(key);
        values.insert(path(application, section, key), value);
    }

    static QString path(const QString &application, const QString &section, const QString &key)
    {
        return application + QLatin1Char('|') + section + QLatin1Char('|') + key;
    }

    QString value(const QString &section, const QString &key) const
    {
        return values.value(path(QStringLiteral("OrvelBrowser"), section, key));
    }
    void set(const QString &section, const QString &key, const QString &value)
    {
        values.insert(path(QStringLiteral("OrvelBrowser"), section, key), value);
    }

    QMap<QString, QString> values;
    QStringList reads;
    QStringList writes;
    int failFromWrite = -1; // index of the first write that fails; -1: none
};

} // namespace orv::test
