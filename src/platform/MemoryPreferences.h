#pragma once

#include "Preferences.h"

#include <QHash>

// Preferences held in memory, for tests that need no file.
class MemoryPreferences final : public Preferences {
public:
    std::optional<QByteArray> data(const QString &key) const override;
    QString setData(const QString &key, const QByteArray &value) override;
    QString location() const override { return QStringLiteral("memory"); }

    int writeCount() const { return m_writeCount; }
    void setFailure(QString reason) { m_failure = std::move(reason); }

private:
    QHash<QString, QByteArray> m_values;
    QString m_failure;
    int m_writeCount = 0;
};
