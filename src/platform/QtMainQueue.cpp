#include "QtMainQueue.h"

#include <QTimer>

void QtMainQueue::runAfter(int milliseconds, QObject *context, std::function<void()> step)
{
    QTimer::singleShot(milliseconds, context, std::move(step));
}
