#pragma once
// Every pause the program makes and every "now" it reads goes through a clock, so
// that tests can make a 2000-record transfer with its fixed pauses run at once.
#include <QDateTime>

class Clock {
public:
    virtual ~Clock() = default;
    virtual void Sleep(int ms) = 0;
    virtual QDateTime Now() const = 0;
    // Real time a port time-out of `ms` milliseconds may take. Tests that wait for
    // a reply that will never come shorten it.
    virtual int TimeoutMs(int ms) const { return ms; }
};

class SystemClock : public Clock {
public:
    void Sleep(int ms) override;
    QDateTime Now() const override;
};
