#pragma once

#include "MainQueue.h"

// The event loop's own timers.
class QtMainQueue final : public MainQueue {
public:
    void runAfter(int milliseconds, QObject *context, std::function<void()> step) override;
};
