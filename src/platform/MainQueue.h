#pragma once

#include <QObject>
#include <functional>

// Steps that run later on the UI thread: the delayed focus moves, a tile's flash and the copied
// marker. A step whose context object is gone by then is dropped.
class MainQueue {
public:
    virtual ~MainQueue() = default;
    virtual void runAfter(int milliseconds, QObject *context, std::function<void()> step) = 0;
};
