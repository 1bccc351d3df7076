#include "platform/QtEventPump.h"
#include <QCoreApplication>

void QtEventPump::processEvents()
{
    if (m_ultima.isValid() && m_ultima.elapsed() < kIntervaloMs)
        return;
    QCoreApplication::processEvents();
    m_ultima.start();
}
