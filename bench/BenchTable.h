#pragma once

#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// A tiny harness: runs a step many times and prints one table row with the median.
// Rows look like: | what | median | p90 | target | runs |
namespace BenchTable {

struct Stats {
    double median = 0;
    double p90 = 0;
};

inline Stats statsOf(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    if (samples.empty())
        return {};
    const auto at = [&](double q) { return samples[size_t(q * double(samples.size() - 1))]; };
    return { at(0.5), at(0.9) };
}

inline QString formatDuration(double nanoseconds)
{
    if (nanoseconds < 1e3)
        return QStringLiteral("%1 ns").arg(nanoseconds, 0, 'f', 0);
    if (nanoseconds < 1e6)
        return QStringLiteral("%1 µs").arg(nanoseconds / 1e3, 0, 'f', 2);
    if (nanoseconds < 1e9)
        return QStringLiteral("%1 ms").arg(nanoseconds / 1e6, 0, 'f', 2);
    return QStringLiteral("%1 s").arg(nanoseconds / 1e9, 0, 'f', 2);
}

inline void printRow(
    const QString &what, const QString &median, const QString &p90, const QString &target, int runs)
{
    // Padded as text, not bytes: "µs" and "≤" are wider in UTF-8 than on screen.
    const QString row = QStringLiteral("| %1 | %2 | %3 | %4 | %5 |")
                            .arg(what.leftJustified(58), median.rightJustified(12),
                                p90.rightJustified(12), target.leftJustified(16))
                            .arg(runs, 6);
    std::puts(row.toUtf8().constData());
    std::fflush(stdout);
}

// Times `step` `runs` times (each sample averaged over `batch` calls) and prints the row.
inline Stats measure(const QString &what, const QString &target, int runs, int batch,
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
    printRow(what, formatDuration(stats.median), formatDuration(stats.p90), target, runs);
    return stats;
}

} // namespace BenchTable
