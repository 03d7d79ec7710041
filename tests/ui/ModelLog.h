#pragma once

#include <QAbstractItemModel>
#include <QStringList>

// Writes down every change a model reports, one line each ("insert 0 0", "remove 4 5",
// "move 3 0", "data 2 2 flashing", "reset", "layout"), so a test can say exactly which
// rows a change touched, and that no other model heard of it.
class ModelLog final : public QObject {
public:
    explicit ModelLog(QAbstractItemModel *model)
        : QObject(model)
    {
        const auto rows = [this](const char *what) {
            return [this, what](const QModelIndex &, int first, int last) {
                lines.append(QStringLiteral("%1 %2 %3").arg(what).arg(first).arg(last));
            };
        };
        connect(model, &QAbstractItemModel::rowsInserted, this, rows("insert"));
        connect(model, &QAbstractItemModel::rowsRemoved, this, rows("remove"));
        connect(model, &QAbstractItemModel::rowsMoved, this,
            [this](const QModelIndex &, int first, int, const QModelIndex &, int to) {
                lines.append(QStringLiteral("move %1 %2").arg(first).arg(to));
            });
        connect(model, &QAbstractItemModel::dataChanged, this,
            [this, model](const QModelIndex &from, const QModelIndex &to, const QList<int> &roles) {
                QStringList names;
                for (int role : roles)
                    names.append(QString::fromUtf8(model->roleNames().value(role)));
                names.removeAll(QString()); // roles without a name, such as display
                lines.append(QStringLiteral("data %1 %2 %3")
                                 .arg(from.row())
                                 .arg(to.row())
                                 .arg(names.join(u',')));
            });
        connect(model, &QAbstractItemModel::modelReset, this,
            [this] { lines.append(QStringLiteral("reset")); });
        connect(model, &QAbstractItemModel::layoutChanged, this,
            [this] { lines.append(QStringLiteral("layout")); });
    }

    QStringList lines;
};
