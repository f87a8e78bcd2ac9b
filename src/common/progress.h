#pragma once
// How often a transfer shows its progress: what a person sees moves at most every
// 50 ms (and at least every 64th step), never per frame, so a 2000-record run
// spends its time on the line, not on repainting; the first and the last step
// are always shown.
#include <QElapsedTimer>

class Clock;

class ProgressPacer {
public:
    explicit ProgressPacer(Clock& clock, int intervalMs = 50, int everySteps = 64);
    // One step of the run: true when it is to be shown.
    bool Due(bool last = false);
    int Shown() const { return shown_; }

private:
    Clock& clock_;
    int intervalMs_;
    int everySteps_;
    int steps_ = 0;
    int shown_ = 0;
    qint64 lastClock_ = 0;
    QElapsedTimer real_;
};
