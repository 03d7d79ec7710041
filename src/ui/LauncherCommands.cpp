#include "LauncherCommands.h"

#include "ClipboardHolder.h"
#include "FaceText.h"
#include "KaomojiCategories.h"
#include "KaomojiData.h"
#include "KaomojiFile.h"
#include "KaomojiSectionsModel.h"
#include "SettingsPreferences.h"
#include "SingleInstance.h"
#include "Translations.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <string>
#include <unistd.h>

namespace LauncherCommands {

namespace {

const QString listOption = QStringLiteral("list");
const QString queryOption = QStringLiteral("query");
const QString categoryOption = QStringLiteral("category");
const QString formatOption = QStringLiteral("format");
const QString exportOption = QStringLiteral("export");

// A copy made while no Pelmora runs stays this long at most when no other program takes the
// clipboard over.
constexpr std::chrono::minutes clipboardHoldLimit { 10 };

// Option descriptions, marked where they are written.
QString translated(const char *text)
{
    return QCoreApplication::translate("LauncherCommands", text);
}

void say(const QString &line)
{
    std::fprintf(stderr, "pelmora: %s\n", qPrintable(line));
}

void print(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

// The chips' names, in English or in the user's language, any case.
std::optional<QString> categoryNamed(const QString &name)
{
    for (const QString &category : KaomojiCategories::orderedCategories()) {
        if (name.compare(category, Qt::CaseInsensitive) == 0
            || name.compare(KaomojiCategories::displayName(category), Qt::CaseInsensitive) == 0)
            return category;
    }
    return std::nullopt;
}

QString listing(const KaomojiGroups &results, const QString &format)
{
    QString text;
    QJsonArray array;
    for (const QString &section : KaomojiSectionsModel::sectionNames(results)) {
        for (const Kaomoji &record : results.value(section)) {
            const QString tags = record.tags().join(u',');
            if (format == QLatin1String("json"))
                array.append(QJsonObject { { QStringLiteral("face"), record.face() },
                    { QStringLiteral("category"), record.category() },
                    { QStringLiteral("tags"), QJsonArray::fromStringList(record.tags()) },
                    { QStringLiteral("section"), section } });
            else if (format == QLatin1String("tsv"))
                text += record.face() + u'\t' + record.category() + u'\t' + tags + u'\n';
            else
                text += record.face() + u'\n';
        }
    }
    if (format == QLatin1String("json"))
        return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
    return text;
}

int list(const QCommandLineParser &parser)
{
    const QString format = parser.isSet(formatOption) ? parser.value(formatOption) : "plain";
    if (format != QLatin1String("plain") && format != QLatin1String("tsv")
        && format != QLatin1String("json")) {
        say(QCoreApplication::translate(
            "LauncherCommands", "--list writes plain, tsv or json, not \"%1\"")
                .arg(format));
        return 2;
    }
    QSet<QString> selected;
    for (const QString &name : parser.values(categoryOption)) {
        const std::optional<QString> category = categoryNamed(name);
        if (!category) {
            say(QCoreApplication::translate(
                "LauncherCommands", "there is no category \"%1\"; the categories are: %2")
                    .arg(name, KaomojiCategories::orderedCategories().join(QLatin1String(", "))));
            return 2;
        }
        selected.insert(*category);
    }
    SettingsPreferences preferences;
    KaomojiData store(preferences);
    print(listing(store.filteredKaomojis(parser.value(queryOption), selected), format));
    return 0;
}

int exportTo(const QString &path, const QString &formatName)
{
    const std::optional<KaomojiFile::Format> format =
        KaomojiFile::formatNamed(formatName.isEmpty() ? QStringLiteral("json") : formatName);
    if (!format) {
        say(QCoreApplication::translate(
            "LauncherCommands", "--export writes json or txt, not \"%1\"")
                .arg(formatName));
        return 2;
    }
    SettingsPreferences preferences;
    KaomojiData store(preferences);
    if (const auto error = KaomojiFile::save(store.customKaomojis(), *format, path)) {
        say(QCoreApplication::translate("LauncherCommands", "nothing exported: %1")
                .arg(error->description));
        return 1;
    }
    say(QCoreApplication::translate("LauncherCommands", "%n kaomoji of your own written to %1",
        nullptr, int(store.customKaomojis().size()))
            .arg(path));
    return 0;
}

// Claims the instance socket for `command`: Delivered, Primary with the lock held (nobody
// runs: do it here, where no Pelmora can start meanwhile), or nothing after saying why.
std::optional<SingleInstance::Claim> claim(
    SingleInstance &instance, const QString &command, const QString &argument)
{
    const SingleInstance::Claim claim = instance.claim(command, argument);
    if (claim == SingleInstance::Claim::Failed) {
        say(instance.errorString());
        return std::nullopt;
    }
    return claim;
}

QString socketPath()
{
    QString problem;
    const QString path = SingleInstance::defaultSocketPath(&problem);
    if (path.isEmpty())
        say(problem);
    return path;
}

int importFrom(const QString &path)
{
    const QString absolutePath = QFileInfo(path).absoluteFilePath();
    const auto records = KaomojiFile::load(absolutePath);
    if (const auto *error = std::get_if<KaomojiFile::Error>(&records)) {
        say(QCoreApplication::translate("LauncherCommands", "nothing imported: %1")
                .arg(error->description));
        return 1;
    }
    const QString socket = socketPath();
    if (socket.isEmpty())
        return 1;
    SingleInstance instance(socket, {});
    const auto claimed = claim(instance, importCommand, absolutePath);
    if (!claimed)
        return 1;
    if (*claimed == SingleInstance::Claim::Delivered) {
        say(QCoreApplication::translate("LauncherCommands", "%1 handed to the running Pelmora")
                .arg(path));
        return 0;
    }
    SettingsPreferences preferences;
    KaomojiData store(preferences);
    say(importFile(store, absolutePath));
    return 0;
}

std::optional<QString> faceToCopy(const QString &given)
{
    if (given != QLatin1String("-"))
        return given;
    // A line of `--list --format tsv` brings its category and tags along.
    std::string line;
    if (!std::getline(std::cin, line))
        return std::nullopt;
    QString face = QString::fromStdString(line);
    if (const qsizetype tab = face.indexOf(u'\t'); tab >= 0)
        face.truncate(tab);
    if (face.endsWith(u'\r'))
        face.chop(1);
    return face;
}

bool hasDisplay()
{
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// Nobody runs to keep the copy: a process of its own in the background does, as xclip and
// wl-copy do, so that the launcher's command line ends at once.
int holdInTheBackground(const QString &face, int argc, char **argv)
{
    const pid_t child = ::fork();
    if (child != 0) {
        if (child < 0)
            say(QCoreApplication::translate("LauncherCommands", "cannot keep the copy: %1")
                    .arg(QString::fromLocal8Bit(strerror(errno))));
        return child < 0 ? 1 : 0;
    }
    ::setsid();
    const int nothing = ::open("/dev/null", O_RDWR);
    for (int stream : { 0, 1, 2 })
        ::dup2(nothing, stream);
    // Under Wayland only a focused window may set the clipboard; the X server of XWayland
    // hands what is copied there on to the Wayland clients.
    if (!qEnvironmentVariableIsEmpty("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    ClipboardHolder holder(face, clipboardHoldLimit);
    QObject::connect(&holder, &ClipboardHolder::released, &app, &QCoreApplication::quit);
    return app.exec();
}

// The face to keep on the clipboard when no Pelmora runs to keep it; nothing when done.
std::optional<QString> copyOrHand(const QString &given, int &exitCode)
{
    exitCode = 1;
    const std::optional<QString> face = faceToCopy(given);
    if (!face || face->isEmpty()) {
        say(QCoreApplication::translate("LauncherCommands", "nothing to copy: no kaomoji given"));
        return std::nullopt;
    }
    if (const QString problem = FaceText::problem(*face); !problem.isEmpty()) {
        say(problem);
        return std::nullopt;
    }
    const QString socket = socketPath();
    if (socket.isEmpty())
        return std::nullopt;
    SingleInstance instance(socket, {});
    const auto claimed = claim(instance, copyCommand, *face);
    if (!claimed)
        return std::nullopt;
    if (*claimed == SingleInstance::Claim::Delivered) {
        exitCode = 0;
        return std::nullopt;
    }
    if (!hasDisplay()) {
        say(QCoreApplication::translate("LauncherCommands",
            "no display to copy to: DISPLAY and WAYLAND_DISPLAY are both unset"));
        return std::nullopt;
    }
    SettingsPreferences preferences;
    KaomojiData store(preferences);
    recordCopy(store, *face);
    return face; // the lock goes with `instance`, before the copy is kept
}

int copy(const QString &given, int argc, char **argv)
{
    int exitCode = 1;
    std::optional<QString> face;
    {
        QCoreApplication reporter(argc, argv);
        Translations::install();
        face = copyOrHand(given, exitCode);
    }
    return face ? holdInTheBackground(*face, argc, argv) : exitCode;
}

} // namespace

void describe(QCommandLineParser &parser)
{
    const auto add = [&](const QString &name, const char *description, const char *value) {
        parser.addOption(QCommandLineOption(
            name, translated(description), value ? translated(value) : QString()));
    };
    add(listOption,
        QT_TRANSLATE_NOOP("LauncherCommands",
            "Print the kaomoji the picker shows for --query and --category, one a line, in the "
            "picker's order; for launchers like rofi."),
        nullptr);
    add(queryOption, QT_TRANSLATE_NOOP("LauncherCommands", "Search words for --list."),
        QT_TRANSLATE_NOOP("LauncherCommands", "TEXT"));
    add(categoryOption,
        QT_TRANSLATE_NOOP("LauncherCommands", "Only this category for --list (may repeat)."),
        QT_TRANSLATE_NOOP("LauncherCommands", "NAME"));
    add(formatOption,
        QT_TRANSLATE_NOOP("LauncherCommands",
            "plain, tsv (face, category, tags) or json for --list; json or txt for --export."),
        QT_TRANSLATE_NOOP("LauncherCommands", "FORMAT"));
    add(copyCommand,
        QT_TRANSLATE_NOOP("LauncherCommands",
            "Copy FACE as a click on its tile does (\"-\": the first line of standard input, up "
            "to a tab)."),
        QT_TRANSLATE_NOOP("LauncherCommands", "FACE"));
    add(exportOption, QT_TRANSLATE_NOOP("LauncherCommands", "Write your own kaomoji to FILE."),
        QT_TRANSLATE_NOOP("LauncherCommands", "FILE"));
    add(importCommand,
        QT_TRANSLATE_NOOP(
            "LauncherCommands", "Add the kaomoji in FILE (json or txt) that you do not have yet."),
        QT_TRANSLATE_NOOP("LauncherCommands", "FILE"));
}

std::optional<int> run(const QCommandLineParser &parser, int argc, char **argv)
{
    const QStringList tasks = { listOption, copyCommand, exportOption, importCommand };
    const auto given = std::count_if(
        tasks.cbegin(), tasks.cend(), [&](const QString &task) { return parser.isSet(task); });
    const QStringList modifiers = { queryOption, categoryOption, formatOption };
    const auto modifier = std::find_if(modifiers.cbegin(), modifiers.cend(),
        [&](const QString &option) { return parser.isSet(option); });
    if (given == 0 && modifier == modifiers.cend())
        return std::nullopt;
    if (parser.isSet(copyCommand) && given == 1)
        return copy(parser.value(copyCommand), argc, argv);
    QCoreApplication reporter(argc, argv);
    Translations::install();
    if (given == 0) {
        say(QCoreApplication::translate("LauncherCommands", "--%1 goes with --list or --export")
                .arg(*modifier));
        return 2;
    }
    if (given > 1) {
        say(QCoreApplication::translate(
            "LauncherCommands", "give one of --list, --copy, --export and --import at a time"));
        return 2;
    }
    if (parser.isSet(listOption))
        return list(parser);
    if (parser.isSet(exportOption))
        return exportTo(parser.value(exportOption), parser.value(formatOption));
    return importFrom(parser.value(importCommand));
}

QString importFile(KaomojiData &store, const QString &path, bool *ok)
{
    const auto records = KaomojiFile::load(path);
    if (ok)
        *ok = std::holds_alternative<KaomojiList>(records);
    if (const auto *error = std::get_if<KaomojiFile::Error>(&records))
        return QCoreApplication::translate("LauncherCommands", "nothing imported: %1")
            .arg(error->description);
    const KaomojiList &list = std::get<KaomojiList>(records);
    const int added = store.importCustomKaomojis(list);
    return QCoreApplication::translate("LauncherCommands", "%n new kaomoji from %1", nullptr, added)
               .arg(path)
        + QCoreApplication::translate(
            "LauncherCommands", " (%n already there)", nullptr, int(list.size()) - added);
}

void recordCopy(KaomojiData &store, const QString &face)
{
    store.addToRecentlyUsed(store.recordForFace(face));
}

} // namespace LauncherCommands
