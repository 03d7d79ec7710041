#include "QtAppLifecycle.h"

#include <QCoreApplication>

void QtAppLifecycle::quit()
{
    QCoreApplication::quit();
}
