#pragma once

#include "Preferences.h"

#include <QSettings>
#include <functional>
#include <memory>

class BackgroundWriter;

// Preferences kept by QSettings: by default ~/.config/Pelmora/Pelmora.conf. A value written
// by hand is read as the bytes of the file, and a file QSettings cannot read is copied aside
// before it is written over.
class SettingsPreferences final : public Preferences {
public:
    SettingsPreferences(); // organization and application "Pelmora"
    explicit SettingsPreferences(const QString &iniFilePath);
    // Writes what is still pending before it returns.
    ~SettingsPreferences() override;

    std::optional<QByteArray> data(const QString &key) const override;
    QString setData(const QString &key, const QByteArray &value) override;
    void setDataThen(const QString &key, const QByteArray &value, QObject *context,
        std::function<void(const QString &failure)> done) override;
    QString location() const override;

    // From now on setDataThen writes on a thread of its own, so that a long list does not stall
    // the caller for as long as the file takes to write. One write runs at a time; values
    // given meanwhile wait, the newest of each key only, and go out together next.
    void writeInBackground();

private:
    explicit SettingsPreferences(std::function<std::unique_ptr<QSettings>()> open);

    // Copies a file QSettings cannot read next to it, and says where; empty when done or not
    // needed, else why the copy failed.
    QString keepUnreadableFile();
    QString failure(const QString &reason) const;

    std::function<std::unique_ptr<QSettings>()> m_open;
    std::unique_ptr<QSettings> m_settings;
    bool m_fileChecked = false; // by keepUnreadableFile, before the first write
    std::unique_ptr<BackgroundWriter> m_writer;
};
