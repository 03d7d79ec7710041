#include "KaomojiEntriesModel.h"

#include "KaomojiCategories.h"
#include "ListEdit.h"

KaomojiEntriesModel::KaomojiEntriesModel(
    const KaomojiList &records, QUuid mostRecentAIKaomojiId, QObject *parent)
    : QAbstractListModel(parent)
    , m_mostRecentAIKaomojiId(mostRecentAIKaomojiId)
{
    m_entries.reserve(records.size());
    m_ids.reserve(records.size());
    for (const Kaomoji &record : records) {
        m_entries.append({ record, false });
        m_ids.append(record.id());
    }
}

int KaomojiEntriesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant KaomojiEntriesModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Entry &entry = m_entries[index.row()];
    switch (role) {
    case KaomojiIdRole:
        return entry.record.id().toString(QUuid::WithoutBraces);
    case Qt::DisplayRole:
    case FaceRole:
        return entry.record.face();
    case CategoryRole:
        return entry.record.category();
    case TagsRole:
        return entry.record.tags();
    case IsMostRecentAIRole:
        return isMostRecentAI(entry.record);
    case FlashingRole:
        return entry.flashing;
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
    QList<QUuid> ids;
    ids.reserve(records.size());
    for (const Kaomoji &record : records)
        ids.append(record.id());

    for (const ListEdit &edit : listEdits(m_ids, ids)) {
        switch (edit.kind) {
        case ListEdit::Kind::Remove:
            beginRemoveRows({}, edit.index, edit.index + edit.count - 1);
            m_entries.remove(edit.index, edit.count);
            m_ids.remove(edit.index, edit.count);
            endRemoveRows();
            break;
        case ListEdit::Kind::Insert:
            beginInsertRows({}, edit.index, edit.index + edit.count - 1);
            m_entries.insert(edit.index, edit.count, Entry {});
            m_ids.insert(edit.index, edit.count, QUuid());
            for (int row = edit.index; row < edit.index + edit.count; ++row) {
                m_entries[row].record = records[row];
                m_ids[row] = ids[row];
            }
            endInsertRows();
            break;
        case ListEdit::Kind::Move:
            // The destination counts rows before the move, hence one more when moving down.
            beginMoveRows(
                {}, edit.index, edit.index, {}, edit.to > edit.index ? edit.to + 1 : edit.to);
            m_entries.move(edit.index, edit.to);
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
    for (int row = 0; row < m_entries.size(); ++row) {
        Kaomoji &shown = m_entries[row].record;
        if (shown.hasSameContent(records[row]))
            continue;
        shown = records[row];
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
    for (int row = 0; row < m_entries.size(); ++row) {
        const QUuid rowId = m_ids[row];
        if ((rowId == previous || rowId == id)
            && m_entries[row].record.tags().contains(KaomojiCategories::aiGeneratedTag)) {
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
    if (m_entries[row].flashing == flashing)
        return true;
    m_entries[row].flashing = flashing;
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, { FlashingRole });
    return true;
}

std::optional<Kaomoji> KaomojiEntriesModel::record(QUuid id) const
{
    const int row = rowOf(id);
    if (row < 0)
        return std::nullopt;
    return m_entries[row].record;
}

bool KaomojiEntriesModel::isFlashing(QUuid id) const
{
    const int row = rowOf(id);
    return row >= 0 && m_entries[row].flashing;
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
