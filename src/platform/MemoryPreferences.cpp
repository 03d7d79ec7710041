#include "MemoryPreferences.h"

std::optional<QByteArray> MemoryPreferences::data(const QString &key) const
{
    const auto found = m_values.constFind(key);
    if (found == m_values.constEnd())
        return std::nullopt;
    return *found;
}

QString MemoryPreferences::setData(const QString &key, const QByteArray &value)
{
    if (!m_failure.isEmpty())
        return m_failure;
    m_values.insert(key, value);
    ++m_writeCount;
    return {};
}
