#pragma once

#include "Kaomoji.h"
#include "KaomojiEntriesModel.h"

#include <QAbstractListModel>
#include <QList>
#include <QStringList>
#include <QUuid>
#include <QtQml/qqmlregistration.h>

// The result sections of the window, in display order: "Recently Used", then the groups in
// the chips' order; groups without a chip are never shown. Follows the filter results by
// difference: a section keeps its row and its entries model for as long as its name stays.
class KaomojiSectionsModel final : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The window makes its sections")

public:
    enum Role {
        NameRole = Qt::UserRole + 1,
        EntriesRole,
        HasClearButtonRole,
        IsCustomRole,
    };
    Q_ENUM(Role)

    explicit KaomojiSectionsModel(QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // The names of the sections that `results` (group name to records) gives, in order.
    static QStringList sectionNames(const KaomojiGroups &results);

    void setResults(const KaomojiGroups &results);
    void setMostRecentAIKaomojiId(QUuid id);

    const QStringList &names() const { return m_names; }
    // Null when no section of this name is shown.
    KaomojiEntriesModel *entries(const QString &name) const;

private:
    QStringList m_names;
    QList<KaomojiEntriesModel *> m_entries;
    QUuid m_mostRecentAIKaomojiId;
};
