#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

// Keeps a copied text on the clipboard for a process that has no window to keep it in: until
// another program takes the clipboard over, or `limit` has passed. It goes to the selection
// that a middle click pastes as well, as every copy of Pelmora's does (SystemClipboard).
class ClipboardHolder final : public QObject {
    Q_OBJECT

public:
    ClipboardHolder(const QString &text, std::chrono::milliseconds limit);

signals:
    // The clipboard is somebody else's now, or the time is up.
    void released();

private:
    QTimer m_limit;
};
