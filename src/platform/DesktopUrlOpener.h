#pragma once

#include "UrlOpener.h"

// Hands web addresses to the desktop's default browser.
class DesktopUrlOpener final : public UrlOpener {
public:
    void openUrl(const QUrl &url) override;
};
