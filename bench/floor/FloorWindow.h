#pragma once

#include <QElapsedTimer>
#include <QQuickView>

// The floor's window: hidden until the tray item is clicked, and tracing the same latency lines
// as the picker window (PELMORA_TRACE_STARTUP), so the benchmark reads both the same way.
class FloorWindow final : public QQuickView {
    Q_OBJECT

public:
    FloorWindow();

    void toggle(const QRect &trayRect);

protected:
    bool event(QEvent *event) override;

private:
    void traceFrame();

    QElapsedTimer m_sinceShowRequested;
    QElapsedTimer m_sinceKeyPressed;
};
