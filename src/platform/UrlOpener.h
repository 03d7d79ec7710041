#pragma once

#include <QUrl>

// Opens a web address in the desktop's default browser; the outcome is not reported.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void openUrl(const QUrl &url) = 0;
};
