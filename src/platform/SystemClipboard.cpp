#include "SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

void SystemClipboard::copyText(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    // Clearing first drops every other format a previous owner offered, so a paste can only
    // ever see the face.
    clipboard->clear(QClipboard::Clipboard);
    clipboard->setText(text, QClipboard::Clipboard);
    // A middle click pastes it too, and so does Shift+Insert in xterm.
    if (clipboard->supportsSelection())
        clipboard->setText(text, QClipboard::Selection);
}
