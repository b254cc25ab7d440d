// SPDX-License-Identifier: MIT
#include "modules/SettingsStore.h"

#include "core/Failure.h"

#include <QSettings>

namespace orv {

namespace {

// The file is edited by hand now and then. Its reader turns a value with a
// comma into a list and "@Rect(...)" into a typed value; both must reach the
// caller as the text they are, so that a conversion of them fails.
QString storedText(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    if (value.canConvert<QString>())
        return value.toString();
    return QStringLiteral("@");
}

} // namespace

CaptionSettings settingsOf(const QString &caption)
{
    return { caption, QStringLiteral("Zoom"), caption };
}

QSettingsStore::QSettingsStore() = default;

QSettingsStore::QSettingsStore(const QString &iniFile) : m_iniFile(iniFile)
{
}

std::unique_ptr<QSettings> QSettingsStore::open(const QString &application) const
{
    if (!m_iniFile.isEmpty())
        return std::make_unique<QSettings>(m_iniFile, QSettings::IniFormat);
    return std::make_unique<QSettings>(
        QSettings::IniFormat, QSettings::UserScope, application, application);
}

QString QSettingsStore::groupKey(const QString &section, const QString &key)
{
    const auto escaped = [](QString text) {
        text.replace(QLatin1Char('%'), QStringLiteral("%25"));
        text.replace(QLatin1Char('/'), QStringLiteral("%2F"));
        text.replace(QLatin1Char('\\'), QStringLiteral("%5C"));
        return text;
    };
    return escaped(section) + QLatin1Char('/') + escaped(key);
}

QString QSettingsStore::GetSetting(const QString &application, const QString &section,
    const QString &key, const QString &defaultValue)
{
    const auto settings = open(application);
    const QString path = m_iniFile.isEmpty()
        ? groupKey(section, key)
        : application + QLatin1Char('/') + groupKey(section, key);
    return storedText(settings->value(path, defaultValue));
}

void QSettingsStore::SaveSetting(
    const QString &application, const QString &section, const QString &key, const QString &value)
{
    const auto settings = open(application);
    const QString path = m_iniFile.isEmpty()
        ? groupKey(section, key)
        : application + QLatin1Char('/') + groupKey(section, key);
    settings->setValue(path, value);
    settings->sync();
    if (settings->status() != QSettings::NoError)
        fail(FailureCode::ControlFailed,
            "Settings store not writable: " + settings->fileName().toStdString());
}

} // namespace orv
