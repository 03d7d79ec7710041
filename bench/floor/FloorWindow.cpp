#include "FloorWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cstdio>

namespace {

void trace(const char *what, const QElapsedTimer &since)
{
    std::fprintf(
        stderr, "pelmora-floor: %s after %.2f ms\n", what, double(since.nsecsElapsed()) / 1e6);
    std::fflush(stderr);
}

} // namespace

FloorWindow::FloorWindow()
{
    setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setResizeMode(QQuickView::SizeRootObjectToView);
    resize(300, 400);
    setSource(QUrl(QStringLiteral("qrc:/floor/Floor.qml")));
    connect(this, &QQuickWindow::frameSwapped, this, &FloorWindow::traceFrame);
}

void FloorWindow::toggle(const QRect &trayRect)
{
    if (isVisible()) {
        hide();
        return;
    }
    // Below the tray item, inside the screen, as the picker opens.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint anchor = trayRect.isEmpty() ? screen.topRight() : trayRect.bottomRight();
    setPosition(std::clamp(anchor.x() - width(), screen.left(), screen.right() - width()),
        std::clamp(anchor.y() + 4, screen.top(), screen.bottom() - height()));
    m_sinceShowRequested.start();
    show();
    raise();
    requestActivate();
}

bool FloorWindow::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress && !m_sinceKeyPressed.isValid())
        m_sinceKeyPressed.start();
    return QQuickView::event(event);
}

void FloorWindow::traceFrame()
{
    if (m_sinceShowRequested.isValid()) {
        trace("window shown", m_sinceShowRequested);
        m_sinceShowRequested.invalidate();
    }
    if (m_sinceKeyPressed.isValid()) {
        trace("keystroke shown", m_sinceKeyPressed);
        m_sinceKeyPressed.invalidate();
    }
}
