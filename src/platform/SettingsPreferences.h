#pragma once

#include "Preferences.h"

#include <QSettings>
#include <functional>
#include <memory>

// Preferences kept by QSettings: by default ~/.config/Pelmora/Pelmora.conf. A value written
// by hand is read as the bytes of the file, and a file QSettings cannot read is copied aside
// before it is written over.
class SettingsPreferences final : public Preferences {
public:
    SettingsPreferences(); // organization and application "Pelmora"
    explicit SettingsPreferences(const QString &iniFilePath);

    std::optional<QByteArray> data(const QString &key) const override;
    QString setData(const QString &key, const QByteArray &value) override;
    QString location() const override;

private:
    // Copies a file QSettings cannot read next to it, and says where; empty when done or not
    // needed, else why the copy failed.
    QString keepUnreadableFile();
    QString failure(const QString &reason) const;

    std::function<std::unique_ptr<QSettings>()> m_open;
    std::unique_ptr<QSettings> m_settings;
    bool m_fileChecked = false; // by keepUnreadableFile, before the first write
};
