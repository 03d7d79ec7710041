#include "Kaomoji.h"

#include <QRandomGenerator>
#include <array>
#include <utility>

namespace {

// A random (version 4) id, drawn from Qt's seeded generator: the catalog makes hundreds at every
// start, and the system's source (the processor's own, where it has one) is slow inside virtual
// machines.
QUuid randomId()
{
    std::array<quint32, 4> bits {};
    QRandomGenerator::global()->fillRange(bits.data(), qsizetype(bits.size()));
    const auto [time, middle, high, low] = bits;
    // The version (4) and the variant (DCE) in their bits, the rest random.
    return QUuid(time, ushort(middle >> 16), ushort((middle & 0x0fff) | 0x4000),
        uchar(((high >> 24) & 0x3f) | 0x80), uchar(high >> 16), uchar(high >> 8), uchar(high),
        uchar(low >> 24), uchar(low >> 16), uchar(low >> 8), uchar(low));
}

} // namespace

Kaomoji::Kaomoji(QUuid id, QString face, QString category, QStringList tags)
    : m_id(id)
    , m_face(std::move(face))
    , m_category(std::move(category))
    , m_tags(std::move(tags))
{
}

Kaomoji Kaomoji::create(QString face, QString category, QStringList tags)
{
    return Kaomoji(randomId(), std::move(face), std::move(category), std::move(tags));
}

bool Kaomoji::hasSameContent(const Kaomoji &other) const
{
    return m_face == other.m_face && m_category == other.m_category && m_tags == other.m_tags;
}
