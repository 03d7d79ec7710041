#include "KaomojiEntriesModel.h"

#include "KaomojiCategories.h"
#include "ListEdit.h"

KaomojiEntriesModel::KaomojiEntriesModel(
    const KaomojiList &records, QUuid mostRecentAIKaomojiId, QObject *parent)
    : QAbstractListModel(parent)
    , m_records(records)
    , m_flashing(records.size(), false)
    , m_mostRecentAIKaomojiId(mostRecentAIKaomojiId)
{
    m_ids.reserve(records.size());
    for (const Kaomoji &record : records)
        m_ids.append(record.id());
}

int KaomojiEntriesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

QVariant KaomojiEntriesModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Kaomoji &record = m_records.at(index.row());
    switch (role) {
    case KaomojiIdRole:
        return record.id().toString(QUuid::WithoutBraces);
    case Qt::DisplayRole:
    case FaceRole:
        return record.face();
    case CategoryRole:
        return record.category();
    case TagsRole:
        return record.tags();
    case IsMostRecentAIRole:
        return isMostRecentAI(record);
    case FlashingRole:
        return m_flashing.at(index.row());
    default:
        return {};
    }
}

QHash<int, QByteArray> KaomojiEntriesModel::roleNames() const
{
    return {
        { KaomojiIdRole, "kaomojiId" },
        { FaceRole, "face" },
        { CategoryRole, "category" },
        { TagsRole, "tags" },
        { IsMostRecentAIRole, "isMostRecentAI" },
        { FlashingRole, "flashing" },
    };
}

void KaomojiEntriesModel::setEntries(const KaomojiList &records)
{
    // The very list shown already: a section just made, or one the search left whole.
    if (records.isSharedWith(m_records))
        return;
    QList<QUuid> ids;
    ids.reserve(records.size());
    for (const Kaomoji &record : records)
        ids.append(record.id());

    for (const ListEdit &edit : listEdits(m_ids, ids)) {
        switch (edit.kind) {
        case ListEdit::Kind::Remove:
            beginRemoveRows({}, edit.index, edit.index + edit.count - 1);
            m_records.remove(edit.index, edit.count);
            m_flashing.remove(edit.index, edit.count);
            m_ids.remove(edit.index, edit.count);
            endRemoveRows();
            break;
        case ListEdit::Kind::Insert:
            beginInsertRows({}, edit.index, edit.index + edit.count - 1);
            m_records.insert(edit.index, edit.count, Kaomoji {});
            m_flashing.insert(edit.index, edit.count, false);
            m_ids.insert(edit.index, edit.count, QUuid());
            for (int row = edit.index; row < edit.index + edit.count; ++row) {
                m_records[row] = records[row];
                m_ids[row] = ids[row];
            }
            endInsertRows();
            break;
        case ListEdit::Kind::Move:
            // The destination counts rows before the move, hence one more when moving down.
            beginMoveRows(
                {}, edit.index, edit.index, {}, edit.to > edit.index ? edit.to + 1 : edit.to);
            m_records.move(edit.index, edit.to);
            m_flashing.move(edit.index, edit.to);
            m_ids.move(edit.index, edit.to);
            endMoveRows();
            break;
        }
    }
    refreshContents(records);
}

// Ids normally name one unchanging record, but a hand-edited preferences file may reuse an
// id for another face.
void KaomojiEntriesModel::refreshContents(const KaomojiList &records)
{
    QList<int> changedRows;
    for (int row = 0; row < m_records.size(); ++row) {
        if (!m_records.at(row).hasSameContent(records.at(row)))
            changedRows.append(row);
    }
    // Shared from here on, so that the same list next time is known at once.
    m_records = records;
    for (int row : changedRows) {
        const QModelIndex changed = index(row);
        emit dataChanged(changed, changed,
            { Qt::DisplayRole, FaceRole, CategoryRole, TagsRole, IsMostRecentAIRole });
    }
}

void KaomojiEntriesModel::setMostRecentAIKaomojiId(QUuid id)
{
    if (m_mostRecentAIKaomojiId == id)
        return;
    const QUuid previous = m_mostRecentAIKaomojiId;
    m_mostRecentAIKaomojiId = id;
    for (int row = 0; row < m_records.size(); ++row) {
        const QUuid rowId = m_ids[row];
        if ((rowId == previous || rowId == id)
            && m_records.at(row).tags().contains(KaomojiCategories::aiGeneratedTag)) {
            const QModelIndex changed = index(row);
            emit dataChanged(changed, changed, { IsMostRecentAIRole });
        }
    }
}

bool KaomojiEntriesModel::setFlashing(QUuid id, bool flashing)
{
    const int row = rowOf(id);
    if (row < 0)
        return false;
    if (m_flashing.at(row) == flashing)
        return true;
    m_flashing[row] = flashing;
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, { FlashingRole });
    return true;
}

std::optional<Kaomoji> KaomojiEntriesModel::record(QUuid id) const
{
    const int row = rowOf(id);
    if (row < 0)
        return std::nullopt;
    return m_records.at(row);
}

bool KaomojiEntriesModel::isFlashing(QUuid id) const
{
    const int row = rowOf(id);
    return row >= 0 && m_flashing.at(row);
}

int KaomojiEntriesModel::rowOf(QUuid id) const
{
    return int(m_ids.indexOf(id));
}

bool KaomojiEntriesModel::isMostRecentAI(const Kaomoji &record) const
{
    return !m_mostRecentAIKaomojiId.isNull() && record.id() == m_mostRecentAIKaomojiId
        && record.tags().contains(KaomojiCategories::aiGeneratedTag);
}
