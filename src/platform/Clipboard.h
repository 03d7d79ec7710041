#pragma once

#include <QString>

// The system clipboard, as the picker uses it: empty it, then put a face on it as plain text.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void copyText(const QString &text) = 0;
};
