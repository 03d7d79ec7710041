#pragma once

#include <QRandomGenerator>
#include <QString>

// The seed of a test's random cases: fixed, so that every run of `make test` tries the same
// cases, or PELMORA_TEST_SEED to try others. Failure messages name it, so any run can be replayed.
inline quint32 testSeed()
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("PELMORA_TEST_SEED").toUInt(&ok);
    return ok ? seed : 20240611u;
}

inline QString seedNote()
{
    return QStringLiteral(" (seed %1; replay with PELMORA_TEST_SEED=%1)").arg(testSeed());
}
