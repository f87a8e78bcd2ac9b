#pragma once
// Every benchmark repeats its figure and prints one line per figure:
//   name <TAB> min <TAB> median <TAB> max <TAB> unit and note
// which scripts/bench.sh gathers into one table.
#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

struct BenchStats {
    double min = 0, median = 0, max = 0;
};

inline BenchStats Summarise(std::vector<double> values) {
    if (values.empty()) return {};
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2], values.back()};
}

// Runs f once to warm up, then `runs` times, each timed in milliseconds.
inline BenchStats Measure(int runs, const std::function<void()>& f) {
    f();
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    return Summarise(ms);
}

inline void Report(const char* name, const BenchStats& s, const QString& note = QStringLiteral("ms")) {
    std::printf("%s\t%.2f\t%.2f\t%.2f\t%s\n", name, s.min, s.median, s.max, qPrintable(note));
    std::fflush(stdout);
}
