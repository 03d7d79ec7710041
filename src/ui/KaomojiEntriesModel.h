#pragma once

#include "Kaomoji.h"

#include <QAbstractListModel>
#include <QList>
#include <QUuid>
#include <QtQml/qqmlregistration.h>
#include <optional>

// The tiles of one result section. Follows the section's records by difference, so a tile
// whose record stays keeps its row (and its delegate) while others come and go.
class KaomojiEntriesModel final : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Each result section makes its own entries")

public:
    enum Role {
        KaomojiIdRole = Qt::UserRole + 1,
        FaceRole,
        CategoryRole,
        TagsRole,
        IsMostRecentAIRole,
        FlashingRole,
    };
    Q_ENUM(Role)

    KaomojiEntriesModel(
        const KaomojiList &records, QUuid mostRecentAIKaomojiId, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Brings the rows to `records` by inserting, removing and moving rows, then reports
    // changed contents; rows whose record stays are not touched.
    void setEntries(const KaomojiList &records);
    void setMostRecentAIKaomojiId(QUuid id);
    // False when no row has this id.
    bool setFlashing(QUuid id, bool flashing);

    std::optional<Kaomoji> record(QUuid id) const;
    const QList<QUuid> &ids() const { return m_ids; }
    bool isFlashing(QUuid id) const;
    // By row, which must exist.
    const Kaomoji &recordAt(int row) const { return m_records.at(row); }
    bool isFlashingAt(int row) const { return m_flashing.at(row); }
    bool sparklesAt(int row) const { return isMostRecentAI(m_records.at(row)); }

private:
    int rowOf(QUuid id) const;
    bool isMostRecentAI(const Kaomoji &record) const;
    void refreshContents(const KaomojiList &records);

    // Shared with the list the section was last given, as long as nothing changed since.
    KaomojiList m_records;
    QList<bool> m_flashing;
    // The rows' ids apart, the keys that the differences are computed on.
    QList<QUuid> m_ids;
    QUuid m_mostRecentAIKaomojiId;
};
