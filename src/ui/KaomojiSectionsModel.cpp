#include "KaomojiSectionsModel.h"

#include "KaomojiCategories.h"
#include "ListEdit.h"

KaomojiSectionsModel::KaomojiSectionsModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

int KaomojiSectionsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_names.size());
}

QVariant KaomojiSectionsModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const QString &name = m_names[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case NameRole:
        return name;
    case EntriesRole:
        return QVariant::fromValue(m_entries[index.row()]);
    case HasClearButtonRole:
        return name == KaomojiCategories::recentlyUsed;
    case IsCustomRole:
        return name == KaomojiCategories::custom;
    default:
        return {};
    }
}

QHash<int, QByteArray> KaomojiSectionsModel::roleNames() const
{
    return {
        { NameRole, "name" },
        { EntriesRole, "entries" },
        { HasClearButtonRole, "hasClearButton" },
        { IsCustomRole, "isCustom" },
    };
}

QStringList KaomojiSectionsModel::sectionNames(const KaomojiGroups &results)
{
    QStringList names;
    const auto present = [&](const QString &name) {
        const auto group = results.constFind(name);
        return group != results.cend() && !group->isEmpty();
    };
    if (present(KaomojiCategories::recentlyUsed))
        names.append(KaomojiCategories::recentlyUsed);
    for (const QString &name : KaomojiCategories::orderedCategories()) {
        if (present(name))
            names.append(name);
    }
    return names;
}

void KaomojiSectionsModel::setResults(const KaomojiGroups &results)
{
    const QStringList names = sectionNames(results);
    for (const ListEdit &edit : listEdits(m_names, names)) {
        switch (edit.kind) {
        case ListEdit::Kind::Remove:
            beginRemoveRows({}, edit.index, edit.index + edit.count - 1);
            // Later: a delegate on its way out may still read the model this turn.
            for (int row = edit.index; row < edit.index + edit.count; ++row)
                m_entries[row]->deleteLater();
            m_names.remove(edit.index, edit.count);
            m_entries.remove(edit.index, edit.count);
            endRemoveRows();
            break;
        case ListEdit::Kind::Insert:
            beginInsertRows({}, edit.index, edit.index + edit.count - 1);
            for (int row = edit.index; row < edit.index + edit.count; ++row) {
                m_names.insert(row, names[row]);
                m_entries.insert(row,
                    new KaomojiEntriesModel(
                        results.value(names[row]), m_mostRecentAIKaomojiId, this));
            }
            endInsertRows();
            break;
        case ListEdit::Kind::Move:
            beginMoveRows(
                {}, edit.index, edit.index, {}, edit.to > edit.index ? edit.to + 1 : edit.to);
            m_names.move(edit.index, edit.to);
            m_entries.move(edit.index, edit.to);
            endMoveRows();
            break;
        }
    }
    // A section made just now already holds its records and finds nothing to change.
    for (int row = 0; row < m_names.size(); ++row)
        m_entries[row]->setEntries(results.value(m_names[row]));
}

void KaomojiSectionsModel::setMostRecentAIKaomojiId(QUuid id)
{
    if (m_mostRecentAIKaomojiId == id)
        return;
    m_mostRecentAIKaomojiId = id;
    for (KaomojiEntriesModel *entries : std::as_const(m_entries))
        entries->setMostRecentAIKaomojiId(id);
}

KaomojiEntriesModel *KaomojiSectionsModel::entries(const QString &name) const
{
    const qsizetype row = m_names.indexOf(name);
    return row < 0 ? nullptr : m_entries[row];
}
