#include "TrayIcon.h"

#include "TrayIconRenderer.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>

TrayIcon::TrayIcon(QObject *parent)
    : QObject(parent)
{
    m_menu.addAction(
        tr("Open", "tray menu: show the picker window"), this, &TrayIcon::openRequested);
    m_menu.addSeparator();
    m_menu.addAction(tr("Quit", "tray menu: end Pelmora"), this, &TrayIcon::quitRequested);
    m_icon.setContextMenu(&m_menu);
    m_icon.setToolTip(title());
    redraw();

    connect(&m_icon, &QSystemTrayIcon::activated, this,
        [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger)
                emit toggleRequested();
        });
    // The icon is drawn in the panel's text colour, so it follows theme changes.
    qApp->installEventFilter(this);
}

void TrayIcon::show()
{
    m_icon.show();
}

void TrayIcon::hide()
{
    m_icon.hide();
}

QRect TrayIcon::geometry() const
{
    return m_icon.geometry();
}

QString TrayIcon::title() const
{
    return tr("(•⩊•)", "the tray item's title and tooltip");
}

bool TrayIcon::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange)
        redraw();
    return QObject::eventFilter(watched, event);
}

void TrayIcon::redraw()
{
    const QColor color = QApplication::palette().color(QPalette::Active, QPalette::WindowText);
    m_icon.setIcon(TrayIconRenderer::render(title(), color));
}
