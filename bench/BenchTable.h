#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

// A tiny harness: runs a step many times and prints one record of the table that
// scripts/bench-table.sh lays out (these parts have no floor to compare with):
//   row|what|median|p90|max|||target|ok or MISS|runs
namespace BenchTable {

struct Stats {
    double median = 0;
    double p90 = 0;
    double max = 0;
};

// Quantiles between the two nearest samples, as scripts/bench-app.sh computes them.
inline Stats statsOf(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    if (samples.empty())
        return {};
    const auto at = [&](double q) {
        const double place = q * double(samples.size() - 1);
        const size_t below = size_t(place);
        const size_t above = std::min(below + 1, samples.size() - 1);
        return samples[below] + (place - double(below)) * (samples[above] - samples[below]);
    };
    return { at(0.5), at(0.9), samples.back() };
}

// Three significant digits in the unit that suits: "72.0 ns", "24.3 µs", "1.19 ms"; a limit
// has no trailing zeros ("50 µs").
inline QString formatDuration(double nanoseconds, bool isLimit = false)
{
    static const char *const units[] = { "ns", "µs", "ms", "s" };
    int unit = 0;
    while (unit < 3 && nanoseconds >= 1000) {
        nanoseconds /= 1000;
        ++unit;
    }
    const int decimals = nanoseconds >= 100 ? 0 : nanoseconds >= 10 ? 1 : 2;
    const QString number = isLimit ? QString::number(nanoseconds, 'g', 3)
                                   : QString::number(nanoseconds, 'f', decimals);
    return number + u' ' + QString::fromUtf8(units[unit]);
}

inline void printRow(
    const QString &what, const Stats &stats, std::chrono::nanoseconds limit, int runs)
{
    const QString row = QStringList { QStringLiteral("row"), what, formatDuration(stats.median),
        formatDuration(stats.p90), formatDuration(stats.max), QString(), QString(), QString(),
        QStringLiteral("≤ ") + formatDuration(double(limit.count()), true),
        stats.median <= double(limit.count()) ? QStringLiteral("ok") : QStringLiteral("MISS"),
        QString::number(runs) }
                            .join(u'|');
    std::puts(row.toUtf8().constData());
    std::fflush(stdout);
}

// Times `step` `runs` times (each sample averaged over `batch` calls) and prints the row; the
// target holds when the median is within `limit`.
inline Stats measure(const QString &what, std::chrono::nanoseconds limit, int runs, int batch,
    const std::function<void()> &step)
{
    std::vector<double> samples;
    samples.reserve(size_t(runs));
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < batch; ++i)
            step();
        samples.push_back(double(timer.nsecsElapsed()) / batch);
    }
    const Stats stats = statsOf(samples);
    printRow(what, stats, limit, runs);
    return stats;
}

} // namespace BenchTable
