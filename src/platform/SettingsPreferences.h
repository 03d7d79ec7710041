#pragma once

#include "Preferences.h"

#include <QSettings>
#include <functional>
#include <memory>

// Preferences kept by QSettings: by default ~/.config/Pelmora/Pelmora.conf.
class SettingsPreferences final : public Preferences {
public:
    SettingsPreferences(); // organization and application "Pelmora"
    explicit SettingsPreferences(const QString &iniFilePath);

    std::optional<QByteArray> data(const QString &key) const override;
    QString setData(const QString &key, const QByteArray &value) override;
    QString location() const override;

private:
    std::function<std::unique_ptr<QSettings>()> m_open;
    std::unique_ptr<QSettings> m_settings;
};
