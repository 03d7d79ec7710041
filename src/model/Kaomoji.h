#pragma once

#include <QList>
#include <QMap>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QUuid>

// One emoticon: its identity, its text, its category and its search keywords.
// A value that never changes; a changed record is a new record.
class Kaomoji {
public:
    Kaomoji() = default;
    Kaomoji(QUuid id, QString face, QString category, QStringList tags);

    // A record with a fresh random (version 4) id.
    static Kaomoji create(QString face, QString category, QStringList tags = {});

    QUuid id() const { return m_id; }
    const QString &face() const { return m_face; }
    const QString &category() const { return m_category; }
    const QStringList &tags() const { return m_tags; }

    // Records are the same record exactly when their ids are equal.
    friend bool operator==(const Kaomoji &a, const Kaomoji &b) { return a.m_id == b.m_id; }

    // A restored copy of the same entry: everything but the id agrees.
    bool hasSameContent(const Kaomoji &other) const;

private:
    QUuid m_id;
    QString m_face;
    QString m_category;
    QStringList m_tags;
};

using KaomojiList = QList<Kaomoji>;
// Group name to records, as the catalog and the filter hand them out.
using KaomojiGroups = QMap<QString, KaomojiList>;

Q_DECLARE_METATYPE(Kaomoji)
