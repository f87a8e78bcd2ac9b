#include "common/progress.h"

#include "common/clock.h"

ProgressPacer::ProgressPacer(Clock& clock, int intervalMs, int everySteps)
    : clock_(clock), intervalMs_(intervalMs), everySteps_(everySteps) {}

bool ProgressPacer::Due(bool last) {
    ++steps_;
    const qint64 now = clock_.Now().toMSecsSinceEpoch();
    // Either clock counts: the program's (which tests move) and the real one.
    const bool due = shown_ == 0 || last || steps_ >= everySteps_ || now - lastClock_ >= intervalMs_ ||
                     real_.elapsed() >= intervalMs_;
    if (!due) return false;
    ++shown_;
    steps_ = 0;
    lastClock_ = now;
    real_.start();
    return true;
}
