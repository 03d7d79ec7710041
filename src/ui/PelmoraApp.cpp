#include "PelmoraApp.h"

#include "FaceFont.h"
#include "KaomojiData.h"
#include "KaomojiView.h"
#include "LauncherCommands.h"
#include "PickerWindow.h"
#include "ShortcutKeys.h"
#include "SingleInstance.h"
#include "TerminationSignals.h"
#include "Translations.h"
#include "TrayIcon.h"
#include "WindowActivation.h"

#include <QCommandLineParser>
#include <QQmlEngine>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QtQml/qqmlextensionplugin.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <malloc.h>
#include <unistd.h>

Q_IMPORT_QML_PLUGIN(PelmoraPlugin)
Q_IMPORT_QML_PLUGIN(Pelmora_LayoutPlugin)

namespace {

const QString showCommand = QStringLiteral("show");
const QString toggleCommand = QStringLiteral("toggle");
const QString shortcutCommand = QStringLiteral("shortcut");
const QString pasteCommand = QStringLiteral("paste-after-copy");
// Kept in Pelmora.conf as "true" or "false".
const QString pasteAfterCopyKey = QStringLiteral("PasteAfterCopy");

// How long Pelmora waits for a tray at start before it shows the picker as a window.
constexpr int trayWaitMs = 3000;
// How long a window asked for at start waits for the panel to place the tray item.
constexpr int trayPlacementPollMs = 20;
constexpr int trayPlacementAttempts = 25;

// Lines for the start-up benchmark and the tests, on standard error.
void trace(const QString &line)
{
    static const bool enabled = qEnvironmentVariableIntValue("PELMORA_TRACE_STARTUP") > 0;
    if (!enabled)
        return;
    std::fprintf(stderr, "pelmora: %s\n", qPrintable(line));
    std::fflush(stderr);
}

void describeApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Pelmora"));
    QCoreApplication::setApplicationName(QStringLiteral("Pelmora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PELMORA_VERSION));
}

// The toolkit's own options (-platform xcb, -session ID from a session manager restoring the
// desktop) are read by the GUI application later; here they only must not count as mistakes.
void acceptToolkitOptions(QCommandLineParser &parser)
{
    const char *const withValue[] = { "platform", "platformpluginpath", "platformtheme", "plugin",
        "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display", "name", "title",
        "visual", "geometry", "style", "stylesheet", "qmljsdebugger" };
    const char *const flags[] = { "reverse", "nograb", "dograb", "sync", "widgetcount" };
    for (const char *name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : flags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

void describeOptions(QCommandLineParser &parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    acceptToolkitOptions(parser);
    parser.setApplicationDescription(
        QCoreApplication::translate("PelmoraApp", "A kaomoji picker that lives in the tray."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption(toggleCommand,
        QCoreApplication::translate("PelmoraApp",
            "Show the picker window, or hide it when it is open. Starts "
            "Pelmora when it is not running. Bind a shortcut to this.")));
    parser.addOption(QCommandLineOption(shortcutCommand,
        QCoreApplication::translate("PelmoraApp",
            "Open and close the picker with KEYS (like Ctrl+Alt+K, the default) from any "
            "program; \"none\" turns it off. Starts Pelmora when it is not running."),
        QCoreApplication::translate("PelmoraApp", "KEYS")));
    parser.addOption(QCommandLineOption(pasteCommand,
        QCoreApplication::translate("PelmoraApp",
            "With \"on\", a click on a kaomoji also pastes it into the window you were typing "
            "in; \"off\" only copies. Starts Pelmora when it is not running."),
        QStringLiteral("on|off")));
    LauncherCommands::describe(parser);
}

// Ends a start that will not become Pelmora, saying why in the user's language. Translations
// need an application object; one that ends with the process takes nothing from a GUI one.
int endWith(int exitCode, int argc, char **argv, const std::function<QString()> &message)
{
    QCoreApplication reporter(argc, argv);
    Translations::install();
    std::fprintf(stderr, "pelmora: %s\n", qPrintable(message()));
    return exitCode;
}

// What this start asks of Pelmora: a command for the instance socket and its argument.
struct Request {
    QString command;
    QString argument;
    bool platformChosen = false;
};

// Reads the command line. A later start only hands its request to the running Pelmora, so this
// needs no display, and no application object either: one made and destroyed before the GUI
// application would take Qt Quick's accessibility support with it.
Request requestFromArguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    describeOptions(parser);
    if (!parser.parse(arguments) || parser.isSet(QStringLiteral("help"))
        || parser.isSet(QStringLiteral("help-all")) || parser.isSet(QStringLiteral("version"))) {
        // Help, the version and mistakes end the process here, under an application object of
        // their own: it holds the translation and names the program in the usage line.
        QCoreApplication reporter(argc, argv);
        Translations::install();
        QCommandLineParser reporting;
        describeOptions(reporting);
        reporting.process(reporter);
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::exit(endWith(2, argc, argv, [&] {
            return QCoreApplication::translate(
                "PelmoraApp", "unexpected argument '%1'; see pelmora --help")
                .arg(parser.positionalArguments().constFirst());
        }));
    }
    if (const std::optional<int> exitCode = LauncherCommands::run(parser, argc, argv))
        std::exit(*exitCode);
    Request request;
    request.platformChosen = parser.isSet(QStringLiteral("platform"));
    if (parser.isSet(shortcutCommand)) {
        const QString text = parser.value(shortcutCommand);
        const auto keys = ShortcutKeys::fromText(text, nullptr);
        if (!keys) {
            std::exit(endWith(2, argc, argv, [&] {
                QString problem;
                ShortcutKeys::fromText(text, &problem);
                return problem;
            }));
        }
        request.command = shortcutCommand;
        request.argument = keys->text();
        return request;
    }
    if (parser.isSet(pasteCommand)) {
        request.command = pasteCommand;
        request.argument = parser.value(pasteCommand);
        if (request.argument != u"on" && request.argument != u"off") {
            std::exit(endWith(2, argc, argv, [&] {
                return QCoreApplication::translate(
                    "PelmoraApp", "--paste-after-copy takes \"on\" or \"off\", not '%1'")
                    .arg(request.argument);
            }));
        }
        return request;
    }
    request.command = parser.isSet(toggleCommand) ? toggleCommand : showCommand;
    // The token the desktop gave this launch lets the running Pelmora's window take the keyboard.
    request.argument = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    if (request.argument.isEmpty())
        request.argument = qEnvironmentVariable("DESKTOP_STARTUP_ID");
    return request;
}

bool hasDisplay(bool platformChosen)
{
    return platformChosen || qEnvironmentVariableIsSet("QT_QPA_PLATFORM")
        || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// Hands the memory freed since to the system: building and drawing the window leave much of
// it behind, which a tray app that runs for days would otherwise hold for good.
void returnFreedMemory()
{
    malloc_trim(0);
}

QtMessageHandler previousMessageHandler = nullptr;

// The face font names a font per script, and Qt notes every listed font that lacks a script it
// tries before the one that has it: once per script, and nothing is wrong.
void quietenFontNotes()
{
    previousMessageHandler = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (type == QtWarningMsg && message.contains(u"OpenType support missing for"))
                return;
            previousMessageHandler(type, context, message);
        });
}

} // namespace

int PelmoraApp::run(int argc, char **argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();

    // A second start only talks to the first one: until it knows it is the first, it needs
    // neither a display nor an application object.
    describeApplication();
    const Request request = requestFromArguments(argc, argv);
    QString problem;
    const QString socketPath = SingleInstance::defaultSocketPath(&problem);
    if (socketPath.isEmpty()) {
        // Asked again under the translation.
        return endWith(1, argc, argv, [] {
            QString problem;
            SingleInstance::defaultSocketPath(&problem);
            return problem;
        });
    }
    SingleInstance instance(socketPath,
        { showCommand, toggleCommand, shortcutCommand, pasteCommand, LauncherCommands::copyCommand,
            LauncherCommands::importCommand });
    switch (instance.claim(request.command, request.argument)) {
    case SingleInstance::Claim::Delivered:
        return 0;
    case SingleInstance::Claim::Failed:
        return endWith(1, argc, argv, [&] { return instance.errorString(); });
    case SingleInstance::Claim::Primary:
        break;
    }
    if (!hasDisplay(request.platformChosen)) {
        return endWith(1, argc, argv, [] {
            return tr("no display to show the picker on: DISPLAY and WAYLAND_DISPLAY are both "
                      "unset; start Pelmora from a desktop session");
        });
    }

    // The picker is small and mostly text; the software renderer starts faster than GPU
    // contexts and works everywhere, including remote and virtual displays.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    // A frame is drawn as soon as the events before it are handled: on X11, Qt otherwise waits
    // 5 ms for more events first, and what a key typed in the search finds shows that much
    // later. (Programs started from here, such as the browser, inherit the setting.)
    if (qEnvironmentVariableIsEmpty("QT_QPA_UPDATE_IDLE_TIME"))
        qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    quietenFontNotes();

    PelmoraApp app(argc, argv, sinceStart);
    // Said now that the translation is in place.
    if (!instance.errorString().isEmpty())
        std::fprintf(stderr, "pelmora: %s\n", qPrintable(instance.errorString()));
    if (!instance.listen())
        std::fprintf(stderr, "pelmora: %s\n",
            qPrintable(
                tr("%1; another start will open a second Pelmora").arg(instance.errorString())));
    connect(&instance, &SingleInstance::commandReceived, &app, &PelmoraApp::handleCommand);
    // Logging out or Ctrl+C in a terminal ends Pelmora like "Quit": the tray item leaves the
    // panel and the instance socket is removed, so nothing stale is left behind.
    TerminationSignals terminationSignals;
    connect(&terminationSignals, &TerminationSignals::received, &app, &QCoreApplication::quit);
    if (!app.start(request.command, request.argument))
        return 1;
    const int exitCode = app.exec();
    // Tearing the window down takes a while over a long list, and a termination signal allows
    // it only a second: nothing is left behind by then.
    instance.close();
    if (app.m_newStartWanted) {
        // Every change is saved when it happens, so the new start finds everything.
        ::execv("/proc/self/exe", argv);
        std::fprintf(stderr, "pelmora: %s\n",
            qPrintable(
                tr("cannot start again: %1").arg(QString::fromLocal8Bit(std::strerror(errno)))));
        return 1;
    }
    return exitCode;
}

PelmoraApp::PelmoraApp(int &argc, char **argv, QElapsedTimer sinceStart)
    : QApplication(argc, argv)
    , m_sinceStart(sinceStart)
{
    describeApplication();
    Translations::install();
    setDesktopFileName(QStringLiteral("pelmora"));
    // Hiding the picker closes its last window; the tray item keeps the app alive.
    setQuitOnLastWindowClosed(false);
    // Ten thousand kaomoji of one's own take longer to write than a frame lasts.
    m_preferences.writeInBackground();
    // Sees the keys that reach the tray item (eventFilter).
    installEventFilter(this);
}

PelmoraApp::~PelmoraApp()
{
    // The tray item leaves the panel before anything it could open is torn down.
    m_trayIcon.reset();
    m_window.reset();
    m_view.reset();
}

bool PelmoraApp::eventFilter(QObject *watched, QEvent *event)
{
    // Keys typed right after the click that opens the picker, before the window manager has
    // given it the keyboard, reach the window under the pointer: the tray item. They were
    // meant for the picker.
    const bool isKey = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (isKey && m_window && m_window->isVisible() && watched->isWindowType()
        && watched != m_window.get() && !QGuiApplication::focusWindow()) {
        QCoreApplication::sendEvent(m_window.get(), event);
        return true;
    }
    return QApplication::eventFilter(watched, event);
}

bool PelmoraApp::start(const QString &command, const QString &argument)
{
    connect(&m_globalShortcut, &GlobalShortcut::activated, this,
        [this](const QString &activationToken) { handleCommand(toggleCommand, activationToken); });
    if (command == shortcutCommand)
        changeShortcut(argument);
    else
        m_globalShortcut.start();
    m_pasteAfterCopy = m_preferences.data(pasteAfterCopyKey).value_or(QByteArray()) == "true";
    if (command == pasteCommand)
        setPasteAfterCopy(argument == u"on");
    const bool openWindow = command == toggleCommand;
    m_openWhenReady = openWindow;
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        placeInTray();
        return buildWindowInTheBackground(openWindow);
    }
    // No display server behind this platform: nothing can come up later.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        showAsWindowOfItsOwn();
        return true;
    }
    // At login the panel may come up after the apps it holds: wait a while for a tray before
    // showing the picker as a window of its own, and move into a tray that comes later.
    connect(&m_trayWatcher, &SystemTrayWatcher::appeared, this, &PelmoraApp::moveIntoTray);
    connect(&m_trayWatcher, &SystemTrayWatcher::appearedForANewStart, this, [this] {
        std::fprintf(stderr, "pelmora: %s\n",
            qPrintable(tr("a system tray appeared; starting again to show in it")));
        m_newStartWanted = true;
        quit();
    });
    m_trayWatcher.start();
    QTimer::singleShot(trayWaitMs, this, [this] {
        if (!m_trayIcon)
            showAsWindowOfItsOwn();
    });
    return true;
}

void PelmoraApp::placeInTray()
{
    m_trayIcon = std::make_unique<TrayIcon>();
    connect(m_trayIcon.get(), &TrayIcon::toggleRequested, this, &PelmoraApp::toggleWindow);
    connect(m_trayIcon.get(), &TrayIcon::openRequested, this, &PelmoraApp::openWindow);
    connect(m_trayIcon.get(), &TrayIcon::quitRequested, this, [this] { m_appLifecycle.quit(); });
    m_trayIcon->setPasteAfterCopy(m_pasteAfterCopy);
    connect(
        m_trayIcon.get(), &TrayIcon::pasteAfterCopyToggled, this, &PelmoraApp::setPasteAfterCopy);
    m_trayIcon->show();
    QTimer::singleShot(0, this,
        [this] { trace(QStringLiteral("tray shown after %1 ms").arg(m_sinceStart.elapsed())); });
}

bool PelmoraApp::buildWindowInTheBackground(bool open)
{
    if (open) {
        if (!buildWindow())
            return false;
        openWhenTrayItemIsPlaced(trayPlacementAttempts);
        return true;
    }
    // Built right after the tray item appears, so that the first click only has to draw it.
    // Nothing is laid out ahead: the first frame measures the faces it shows, and the rest
    // follow a few at a time once the window is open.
    QTimer::singleShot(0, this, [this] {
        if (!m_window && !buildWindow())
            QCoreApplication::exit(1);
    });
    return true;
}

void PelmoraApp::showAsWindowOfItsOwn()
{
    std::fprintf(stderr, "pelmora: %s\n",
        qPrintable(tr("no system tray found; showing the picker as a normal window, and closing "
                      "it quits (it moves into a tray that appears later)")));
    if (!buildWindowInTheBackground(true))
        QCoreApplication::exit(1);
}

void PelmoraApp::moveIntoTray()
{
    placeInTray();
    if (!m_window) {
        // Still within the wait: start as if the tray had been there.
        if (!buildWindowInTheBackground(m_openWhenReady))
            QCoreApplication::exit(1);
        return;
    }
    std::fprintf(stderr, "pelmora: %s\n",
        qPrintable(tr("a system tray appeared; the picker now opens from its item")));
    m_window->attachToTray();
}

bool PelmoraApp::buildWindow()
{
    const PlatformServices platform { m_clipboard, m_urlOpener, m_pointerCursor, m_appLifecycle,
        m_mainQueue, *m_paster };
    m_view = std::make_unique<KaomojiView>(m_preferences, platform);
    m_view->setPasteAfterCopy(m_pasteAfterCopy);
    // While the window's QML loads on this thread.
    m_view->rows()->prepareFontsInBackground();
    QQmlEngine::setObjectOwnership(m_view.get(), QQmlEngine::CppOwnership);

    const auto mode =
        m_trayIcon ? PickerWindow::Mode::AttachedToTray : PickerWindow::Mode::Standalone;
    m_window = std::make_unique<PickerWindow>(mode);
    connect(m_window.get(), &PickerWindow::opened, m_view.get(), &KaomojiView::appear);
    connect(m_window.get(), &PickerWindow::opened, this,
        [] { trace(QStringLiteral("window opened")); });
    connect(m_window.get(), &PickerWindow::closedByUser, this, [this] { m_appLifecycle.quit(); });
    connect(m_view.get(), &KaomojiView::dismissRequested, m_window.get(), &PickerWindow::dismiss);
    connect(m_window.get(), &QWindow::visibleChanged, this, [this](bool visible) {
        if (visible)
            return;
        trace(QStringLiteral("window hidden"));
        // A hidden window needs none of what it drew with; the next opening draws anew. (Not
        // while it is being torn down, when m_window is already null.)
        if (m_window) {
            WindowActivation::forget(*m_window);
            m_window->releaseResources();
        }
        FaceFont::releaseUnused();
    });

    const QUrl source(QStringLiteral("qrc:/qt/qml/Pelmora/Main.qml"));
    if (!m_window->load(
            source, { { QStringLiteral("view"), QVariant::fromValue(m_view.get()) } })) {
        std::fprintf(stderr, "pelmora: %s\n",
            qPrintable(
                tr("the picker window could not be built:\n%1").arg(m_window->errorString())));
        m_window.reset();
        m_view.reset();
        return false;
    }
    // Creating the native window now leaves only the first frame for the first opening.
    m_window->create();
    returnFreedMemory();
    trace(QStringLiteral("window content ready after %1 ms").arg(m_sinceStart.elapsed()));
    return true;
}

void PelmoraApp::openWindow()
{
    if (!m_window && !buildWindow()) {
        QCoreApplication::exit(1);
        return;
    }
    rememberPasteTarget();
    m_window->open(trayGeometry());
}

void PelmoraApp::openWhenTrayItemIsPlaced(int attemptsLeft)
{
    // Until the panel has taken the new item in, the tray reports it at the screen's origin;
    // waiting a moment lets the first window open against the item rather than in a corner.
    const QRect tray = trayGeometry();
    if (attemptsLeft > 0 && !tray.isEmpty() && tray.topLeft() == QPoint(0, 0)) {
        QTimer::singleShot(trayPlacementPollMs, this,
            [this, attemptsLeft] { openWhenTrayItemIsPlaced(attemptsLeft - 1); });
        return;
    }
    openWindow();
}

void PelmoraApp::toggleWindow()
{
    if (!m_window && !buildWindow()) {
        QCoreApplication::exit(1);
        return;
    }
    rememberPasteTarget();
    m_window->toggle(trayGeometry());
}

void PelmoraApp::handleCommand(const QString &command, const QString &argument)
{
    if (command == shortcutCommand) {
        changeShortcut(argument);
        return;
    }
    if (command == pasteCommand) {
        setPasteAfterCopy(argument == u"on");
        return;
    }
    if (!m_window && !buildWindow()) {
        QCoreApplication::exit(1);
        return;
    }
    if (command == LauncherCommands::copyCommand) {
        m_clipboard.copyText(argument);
        LauncherCommands::recordCopy(m_view->kaomojiData(), argument);
        trace(QStringLiteral("copied %1").arg(argument));
        return;
    }
    if (command == LauncherCommands::importCommand) {
        const QString result = LauncherCommands::importFile(m_view->kaomojiData(), argument);
        std::fprintf(stderr, "pelmora: %s\n", qPrintable(result));
        return;
    }
    // The argument is the activation token of the launch that asked.
    const WindowActivation activation(*m_window, argument);
    if (command == toggleCommand)
        toggleWindow();
    else
        openWindow();
}

void PelmoraApp::changeShortcut(const QString &keysText)
{
    QString problem;
    const std::optional<ShortcutKeys> keys = ShortcutKeys::fromText(keysText, &problem);
    if (!keys) {
        std::fprintf(stderr, "pelmora: %s\n", qPrintable(problem));
        return;
    }
    m_globalShortcut.change(*keys);
    trace(QStringLiteral("shortcut %1").arg(keys->text()));
}

void PelmoraApp::setPasteAfterCopy(bool on)
{
    m_pasteAfterCopy = on;
    if (m_view)
        m_view->setPasteAfterCopy(on);
    if (m_trayIcon)
        m_trayIcon->setPasteAfterCopy(on);
    const QString failure =
        m_preferences.setData(pasteAfterCopyKey, on ? QByteArrayLiteral("true") : "false");
    if (!failure.isEmpty())
        std::fprintf(stderr, "pelmora: %s\n", qPrintable(failure));
    trace(QStringLiteral("paste after copy %1").arg(on ? u"on" : u"off"));
}

void PelmoraApp::rememberPasteTarget()
{
    if (m_pasteAfterCopy && !m_window->isVisible())
        m_paster->rememberTarget();
}

QRect PelmoraApp::trayGeometry() const
{
    return m_trayIcon ? m_trayIcon->geometry() : QRect();
}
