#include "SettingsPreferences.h"

#include <QDir>
#include <QFileInfo>

SettingsPreferences::SettingsPreferences()
    // The native format on Linux is an INI file named after the organization and the
    // application, ~/.config/Pelmora/Pelmora.conf ("IniFormat" would name it Pelmora.ini).
    : m_open([] {
        return std::make_unique<QSettings>(QStringLiteral("Pelmora"), QStringLiteral("Pelmora"));
    })
    , m_settings(m_open())
{
}

SettingsPreferences::SettingsPreferences(const QString &iniFilePath)
    : m_open(
        [iniFilePath] { return std::make_unique<QSettings>(iniFilePath, QSettings::IniFormat); })
    , m_settings(m_open())
{
}

std::optional<QByteArray> SettingsPreferences::data(const QString &key) const
{
    const QVariant value = m_settings->value(key);
    if (!value.isValid())
        return std::nullopt;
    return value.toByteArray();
}

QString SettingsPreferences::setData(const QString &key, const QByteArray &value)
{
    // QSettings never clears its status, so after one failure every later write would look
    // failed too: a fresh instance judges this write on its own. It shares the file's cached
    // state with the old one, so the changes that could not be written go out with this one.
    if (m_settings->status() != QSettings::NoError)
        m_settings = m_open();
    m_settings->setValue(key, value);
    // Sync now: a change must survive the process being killed right after it.
    m_settings->sync();
    if (m_settings->status() == QSettings::NoError)
        return {};

    const QFileInfo file(m_settings->fileName());
    const QFileInfo directory(file.absolutePath());
    QString reason = QStringLiteral("the file could not be written");
    if (m_settings->status() == QSettings::FormatError)
        reason = QStringLiteral("the file is not in a readable format");
    else if (directory.exists() && !directory.isDir())
        reason = QStringLiteral("%1 is not a directory").arg(directory.filePath());
    else if (directory.exists() && !directory.isWritable())
        reason = QStringLiteral("the directory %1 is read-only").arg(directory.filePath());
    else if (file.exists() && !file.isWritable())
        reason = QStringLiteral("the file is read-only");
    return QStringLiteral("could not save to %1 (%2); the change is kept in memory and saved "
                          "again at the next change")
        .arg(m_settings->fileName(), reason);
}

QString SettingsPreferences::location() const
{
    return m_settings->fileName();
}
