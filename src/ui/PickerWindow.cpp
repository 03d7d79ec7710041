#include "PickerWindow.h"

#include "WindowPlacement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPalette>
#include <QQmlEngine>
#include <QQmlError>
#include <QScreen>
#include <cstdio>

namespace {

// Latency lines for the benchmark, on standard error.
bool tracing()
{
    static const bool enabled = qEnvironmentVariableIntValue("PELMORA_TRACE_STARTUP") > 0;
    return enabled;
}

void trace(const char *what, const QElapsedTimer &since)
{
    std::fprintf(stderr, "pelmora: %s after %.2f ms\n", what, double(since.nsecsElapsed()) / 1e6);
    std::fflush(stderr);
}

} // namespace

namespace {

// A tool window stays out of the taskbar yet still takes the keyboard.
constexpr Qt::WindowFlags attachedFlags =
    Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;

} // namespace

PickerWindow::PickerWindow(Mode mode, QWindow *parent)
    : QQuickView(parent)
    , m_mode(mode)
{
    setTitle(tr("(•⩊•)", "the picker window's title"));
    if (mode == Mode::AttachedToTray)
        setFlags(attachedFlags);
    setResizeMode(QQuickView::SizeRootObjectToView);
    setMinimumSize(contentSize);
    setMaximumSize(contentSize);
    resize(contentSize);
    setColor(QGuiApplication::palette().color(QPalette::Window));
    connect(this, &QWindow::activeChanged, this, &PickerWindow::hideWhenInactive);
    connect(this, &QQuickWindow::frameSwapped, this, [this] { m_drawnSinceOpened = true; });
    if (tracing())
        connect(this, &QQuickWindow::frameSwapped, this, &PickerWindow::traceFrame);
}

bool PickerWindow::load(const QUrl &source, const QVariantMap &initialProperties)
{
    // The static QML modules live in the resources; imports are looked up there.
    engine()->addImportPath(QStringLiteral("qrc:/qt/qml"));
    setInitialProperties(initialProperties);
    setSource(source);
    if (status() == QQuickView::Ready && rootObject())
        return true;
    QStringList messages;
    for (const QQmlError &error : errors())
        messages.append(error.toString());
    if (messages.isEmpty())
        messages.append(QStringLiteral("%1 did not create a visual item").arg(source.toString()));
    m_errorString = messages.join(QLatin1Char('\n'));
    return false;
}

void PickerWindow::open(const QRect &trayRect)
{
    if (tracing() && !isVisible())
        m_sinceShowRequested.start();
    if (!isVisible())
        m_drawnSinceOpened = false;
    if (m_mode == Mode::AttachedToTray && !isVisible()) {
        const QPoint cursor = QCursor::pos();
        const QPoint anchor = trayRect.isEmpty() ? cursor : trayRect.center();
        QScreen *screen = QGuiApplication::screenAt(anchor);
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        setPosition(WindowPlacement::place(trayRect, cursor, size(), screen->availableGeometry()));
    }
    if (windowStates() & Qt::WindowMinimized)
        setWindowStates(windowStates() & ~Qt::WindowMinimized);
    show();
    raise();
    requestActivate();
    m_sinceOpened.start();
    emit opened();
}

void PickerWindow::toggle(const QRect &trayRect)
{
    if (isOnScreen()) {
        if (m_drawnSinceOpened)
            hide();
        return;
    }
    if (m_mode == Mode::AttachedToTray && m_sinceAutoHidden.isValid()
        && m_sinceAutoHidden.elapsed() < m_reopenGuardMs)
        return;
    open(trayRect);
}

void PickerWindow::dismiss()
{
    if (m_mode == Mode::Standalone)
        showMinimized();
    else
        hide();
}

bool PickerWindow::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress && tracing() && !m_sinceKeyPressed.isValid())
        m_sinceKeyPressed.start();
    // A tile copies (and the lists are saved) when the button is let go.
    if (event->type() == QEvent::MouseButtonRelease && tracing() && !m_sinceClicked.isValid())
        m_sinceClicked.start();
    if (event->type() == QEvent::Close) {
        if (m_mode == Mode::AttachedToTray) {
            // Closing only hides: the window and everything typed into it are kept.
            event->ignore();
            hide();
            return true;
        }
        emit closedByUser();
    }
    return QQuickView::event(event);
}

void PickerWindow::hideWhenInactive()
{
    if (m_mode != Mode::AttachedToTray || isActive() || !isVisible())
        return;
    if (m_sinceOpened.isValid() && m_sinceOpened.elapsed() < m_activationGraceMs)
        return;
    hide();
    m_sinceAutoHidden.start();
}

bool PickerWindow::isOnScreen() const
{
    return isVisible() && !(windowStates() & Qt::WindowMinimized);
}

void PickerWindow::traceFrame()
{
    if (m_sinceShowRequested.isValid()) {
        trace("window shown", m_sinceShowRequested);
        m_sinceShowRequested.invalidate();
    }
    if (m_sinceKeyPressed.isValid()) {
        trace("keystroke shown", m_sinceKeyPressed);
        m_sinceKeyPressed.invalidate();
    }
    if (m_sinceClicked.isValid()) {
        trace("click shown", m_sinceClicked);
        m_sinceClicked.invalidate();
    }
}

void PickerWindow::attachToTray()
{
    if (m_mode == Mode::AttachedToTray)
        return;
    m_mode = Mode::AttachedToTray;
    hide();
    setFlags(attachedFlags);
}
