#pragma once

#include <QString>
#include <optional>

class KaomojiData;
class QCommandLineParser;

// What `pelmora` does for launchers (rofi, wofi, fuzzel, dmenu) and for the user's own files
// without opening the picker: --list, --copy, --export and --import. They read and change the
// store the window uses, and hand a change to the running Pelmora when there is one, so that
// its window shows it at once.
namespace LauncherCommands {

// The commands the running Pelmora takes from them through SingleInstance: a face to copy, the
// absolute name of a file to import.
inline const QString copyCommand = QStringLiteral("copy");
inline const QString importCommand = QStringLiteral("import");

void describe(QCommandLineParser &parser);

// Nothing when none of these options was given; otherwise runs the one given and returns the
// process's exit code. Needs no display, except --copy when no Pelmora runs.
std::optional<int> run(const QCommandLineParser &parser, int argc, char **argv);

// Adds the file's new entries to `store`; says how it went, in the user's language.
QString importFile(KaomojiData &store, const QString &path, bool *ok = nullptr);

// Copies `face` on behalf of a launcher: records the use as a click on its tile would.
void recordCopy(KaomojiData &store, const QString &face);

} // namespace LauncherCommands
