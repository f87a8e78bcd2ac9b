#include "common/clock.h"

#include <QThread>

void SystemClock::Sleep(int ms) {
    if (ms > 0) QThread::msleep(ms);
}

QDateTime SystemClock::Now() const { return QDateTime::currentDateTime(); }
