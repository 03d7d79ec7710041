#pragma once

#include "AppLifecycle.h"

// Ends the application by leaving its event loop; the tray item goes away with it.
class QtAppLifecycle final : public AppLifecycle {
public:
    void quit() override;
};
