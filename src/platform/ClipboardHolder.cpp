#include "ClipboardHolder.h"

#include "SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

ClipboardHolder::ClipboardHolder(const QString &text, std::chrono::milliseconds limit)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    SystemClipboard().copyText(text);
    connect(clipboard, &QClipboard::changed, this, [this, clipboard](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard && !clipboard->ownsClipboard())
            emit released();
    });
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, &ClipboardHolder::released);
    m_limit.start(limit);
}
