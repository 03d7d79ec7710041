#include "TrayIcon.h"

#include "LoginAutostart.h"
#include "TrayIconRenderer.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QStandardPaths>
#include <QStyleHints>
#include <cstdio>

TrayIcon::TrayIcon(QObject *parent)
    : QObject(parent)
{
    m_menu.addAction(
        tr("Open", "tray menu: show the picker window"), this, &TrayIcon::openRequested);
    m_startAtLogin = m_menu.addAction(tr("Start at Login", "tray menu: autostart on or off"));
    m_startAtLogin->setCheckable(true);
    connect(m_startAtLogin, &QAction::triggered, this, [this](bool enabled) {
        if (const QString failure = LoginAutostart::setEnabled(enabled); !failure.isEmpty()) {
            std::fprintf(stderr, "pelmora: %s\n", qPrintable(failure));
            m_startAtLogin->setChecked(LoginAutostart::isEnabled());
        }
    });
    // Read afresh each time, so an entry the user made or removed by hand shows as it is.
    connect(&m_menu, &QMenu::aboutToShow, this,
        [this] { m_startAtLogin->setChecked(LoginAutostart::isEnabled()); });
    m_startAtLogin->setChecked(LoginAutostart::isEnabled());
    m_pasteAfterCopy = m_menu.addAction(
        tr("Paste After Copy", "tray menu: a click also pastes into the window typed in"));
    m_pasteAfterCopy->setCheckable(true);
    connect(m_pasteAfterCopy, &QAction::triggered, this, &TrayIcon::pasteAfterCopyToggled);
    m_menu.addSeparator();
    m_menu.addAction(tr("Quit", "tray menu: end Pelmora"), this, &TrayIcon::quitRequested);
    m_icon.setContextMenu(&m_menu);
    m_icon.setToolTip(title());
    redraw();

    connect(&m_icon, &QSystemTrayIcon::activated, this,
        [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason != QSystemTrayIcon::Trigger)
                return;
            // Two clicks that reach us close together are a double click, also where the
            // toolkit did not pair them because both waited for the app (the window was being
            // built): the second must not close what the first opened.
            const bool second = m_sinceTrigger.isValid()
                && m_sinceTrigger.elapsed()
                    < QGuiApplication::styleHints()->mouseDoubleClickInterval();
            m_sinceTrigger.start();
            if (!second)
                emit toggleRequested();
        });
    // The icon is drawn in the palette's text colour, so it follows theme changes.
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
    // Where the icon is installed, panels that take icons from the desktop's theme get its name
    // and can recolour it; the others show the drawing. Looked for as the file it is installed
    // as: asking the icon theme reads the whole theme's index, which would hold the tray item
    // back at every start.
    static const QString themeName = QStringLiteral("pelmora-symbolic");
    static const bool installed = !QStandardPaths::locate(QStandardPaths::GenericDataLocation,
        QStringLiteral("icons/hicolor/symbolic/apps/pelmora-symbolic.svg"))
                                       .isEmpty();
    const QColor color = QApplication::palette().color(QPalette::Active, QPalette::WindowText);
    m_icon.setIcon(TrayIconRenderer::render(color, installed ? themeName : QString()));
}
