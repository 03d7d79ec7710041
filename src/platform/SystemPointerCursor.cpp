#include "SystemPointerCursor.h"

#include <QCursor>
#include <QGuiApplication>

SystemPointerCursor::~SystemPointerCursor()
{
    // The application object may already be gone when the cursor adapter is destroyed.
    if (!QGuiApplication::instance())
        return;
    while (m_depth > 0)
        pop();
}

void SystemPointerCursor::pushPointingHand()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::PointingHandCursor));
    ++m_depth;
}

void SystemPointerCursor::pop()
{
    if (m_depth == 0)
        return;
    QGuiApplication::restoreOverrideCursor();
    --m_depth;
}
