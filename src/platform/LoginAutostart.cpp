#include "LoginAutostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace {

// The command of the entry: plain "pelmora" when that is this program, so the entry survives
// an upgrade; the full path otherwise (a build tree, another prefix).
QString command()
{
    const QString self = QCoreApplication::applicationFilePath();
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("pelmora"));
    if (!onPath.isEmpty()
        && QFileInfo(onPath).canonicalFilePath() == QFileInfo(self).canonicalFilePath())
        return QStringLiteral("pelmora");
    return QLatin1Char('"') + self + QLatin1Char('"');
}

} // namespace

QString LoginAutostart::entryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/autostart/pelmora.desktop");
}

bool LoginAutostart::isEnabled()
{
    if (!QFile::exists(entryPath()))
        return false;
    QSettings entry(entryPath(), QSettings::IniFormat);
    entry.beginGroup(QStringLiteral("Desktop Entry"));
    return entry.value(QStringLiteral("Hidden")).toString() != QLatin1String("true")
        && entry.value(QStringLiteral("X-GNOME-Autostart-enabled")).toString()
        != QLatin1String("false");
}

QString LoginAutostart::setEnabled(bool enabled)
{
    const QString path = entryPath();
    if (!enabled) {
        if (QFile::exists(path) && !QFile::remove(path))
            return QCoreApplication::translate("LoginAutostart", "cannot remove %1").arg(path);
        return {};
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return QCoreApplication::translate("LoginAutostart", "cannot create %1")
            .arg(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QCoreApplication::translate("LoginAutostart", "cannot write %1: %2")
            .arg(path, file.errorString());
    file.write("[Desktop Entry]\n"
               "Type=Application\n"
               "Name=Pelmora\n"
               "Comment=The kaomoji picker in the tray\n"
               "Comment[ja]=トレイの顔文字ピッカー\n"
               "Exec="
        + command().toUtf8()
        + "\n"
          "Icon=pelmora\n"
          "Terminal=false\n"
          "X-GNOME-Autostart-enabled=true\n");
    if (!file.commit())
        return QCoreApplication::translate("LoginAutostart", "cannot write %1: %2")
            .arg(path, file.errorString());
    return {};
}
