// pelmora-floor: a tray item whose click toggles a small Qt Quick window, and nothing else.
// Started like `pelmora` and printing the trace lines pelmora prints under PELMORA_TRACE_STARTUP
// (prefixed "pelmora-floor: "), it is the floor each figure of the app's benchmark is held to.

#include "FloorWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    // The same renderer as the picker's, drawing as soon (no idle time before a frame), so the
    // two are measured alike.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);

    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        std::fputs("pelmora-floor: no system tray found\n", stderr);
        return 1;
    }
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::transparent);
    QPainter(&pixmap).fillRect(QRect(4, 4, 14, 14), Qt::black);
    QSystemTrayIcon icon { QIcon(pixmap) };
    icon.show();
    QTimer::singleShot(0, &application, [&] {
        std::fprintf(stderr, "pelmora-floor: tray shown after %lld ms\n", sinceStart.elapsed());
    });

    // Built right after the tray item shows, hidden, as the picker is.
    std::unique_ptr<FloorWindow> window;
    QTimer::singleShot(0, &application, [&] {
        window = std::make_unique<FloorWindow>();
        window->create();
        std::fprintf(
            stderr, "pelmora-floor: window content ready after %lld ms\n", sinceStart.elapsed());
    });
    QObject::connect(&icon, &QSystemTrayIcon::activated, &application,
        [&](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger && window)
                window->toggle(icon.geometry());
        });
    return application.exec();
}
