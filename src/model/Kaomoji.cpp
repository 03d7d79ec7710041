#include "Kaomoji.h"

#include <utility>

Kaomoji::Kaomoji(QUuid id, QString face, QString category, QStringList tags)
    : m_id(id)
    , m_face(std::move(face))
    , m_category(std::move(category))
    , m_tags(std::move(tags))
{
}

Kaomoji Kaomoji::create(QString face, QString category, QStringList tags)
{
    return Kaomoji(QUuid::createUuid(), std::move(face), std::move(category), std::move(tags));
}

bool Kaomoji::hasSameContent(const Kaomoji &other) const
{
    return m_face == other.m_face && m_category == other.m_category && m_tags == other.m_tags;
}
