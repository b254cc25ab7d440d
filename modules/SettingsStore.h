// SPDX-License-Identifier: MIT
#pragma once

// The per-user settings store: texts addressed by application, section and
// key. A read names the default returned for a missing key; a write that the
// store cannot keep fails with Failure(ControlFailed).

#include <QString>

#include <memory>

class QSettings;

namespace orv {

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual QString GetSetting(const QString &application, const QString &section,
        const QString &key, const QString &defaultValue)
        = 0;
    virtual void SaveSetting(const QString &application, const QString &section, const QString &key,
        const QString &value)
        = 0;
};

// Where the settings of a window caption live. The placement fills the
// section named by the caption itself; the zoom, kept apart from it, is the
// key named by the caption in one section of its own. Users' settings are
// found again only while these names stay.
struct CaptionSettings
{
    QString placementSection;
    QString zoomSection;
    QString zoomKey;
};
CaptionSettings settingsOf(const QString &caption);

// QSettings in the user's configuration folder: <config>/<application>/<application>.ini
// (on Linux ~/.config/OrvelBrowser/OrvelBrowser.ini). Every write is flushed
// at once, so a failing write fails at its own key.
class QSettingsStore : public SettingsStore
{
public:
    QSettingsStore();
    // One INI file for every application name (tests, benchmarks).
    explicit QSettingsStore(const QString &iniFile);

    QString GetSetting(const QString &application, const QString &section, const QString &key,
        const QString &defaultValue) override;
    void SaveSetting(const QString &application, const QString &section, const QString &key,
        const QString &value) override;

    // Where a key of a section is kept; captions, which name the sections
    // and the zoom's keys, may hold '/' and '\'.
    static QString groupKey(const QString &section, const QString &key);

private:
    std::unique_ptr<QSettings> open(const QString &application) const;

    QString m_iniFile;
};

} // namespace orv
