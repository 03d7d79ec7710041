#include "ListEdit.h"

#include "TestSeed.h"

#include <QTest>

using Edits = std::vector<ListEdit>;
using Kind = ListEdit::Kind;

namespace {

// Applies the steps as a view would; a step out of range gives { -1 }.
QList<int> applied(QList<int> list, const Edits &edits, const QList<int> &after)
{
    for (const ListEdit &edit : edits) {
        const bool inRange = edit.kind == Kind::Move ? edit.index >= 0 && edit.index < list.size()
                && edit.to >= 0 && edit.to < list.size() && edit.index != edit.to
                                                     : edit.count >= 1 && edit.index >= 0
                && edit.index + (edit.kind == Kind::Remove ? edit.count : 0) <= list.size()
                && edit.index + edit.count <= (edit.kind == Kind::Insert ? after.size() : INT_MAX);
        if (!inRange)
            return { -1 };
        if (edit.kind == Kind::Remove)
            list.remove(edit.index, edit.count);
        else if (edit.kind == Kind::Move)
            list.move(edit.index, edit.to);
        for (int row = edit.index; edit.kind == Kind::Insert && row < edit.index + edit.count;
             ++row)
            list.insert(row, after[row]);
    }
    return list;
}

int countOf(const Edits &edits, Kind kind)
{
    return int(std::count_if(
        edits.cbegin(), edits.cend(), [kind](const ListEdit &edit) { return edit.kind == kind; }));
}

// The length of a longest increasing run, the slow and obvious way.
int longestIncreasing(const QList<int> &values)
{
    QList<int> best(values.size(), 1);
    for (int i = 0; i < values.size(); ++i) {
        for (int j = 0; j < i; ++j) {
            if (values[j] < values[i])
                best[i] = std::max(best[i], best[j] + 1);
        }
    }
    return best.isEmpty() ? 0 : *std::max_element(best.cbegin(), best.cend());
}

} // namespace

class ListEditTest : public QObject {
    Q_OBJECT

private slots:
    void stepsForTypicalChanges_data()
    {
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<QList<int>>("after");
        QTest::addColumn<Edits>("expected");
        QTest::newRow("equal") << QList<int> { 1, 2, 3 } << QList<int> { 1, 2, 3 } << Edits {};
        QTest::newRow("narrowing removes in runs")
            << QList<int> { 1, 2, 3, 4, 5, 6, 7 } << QList<int> { 1, 4, 7 }
            << Edits { { Kind::Remove, 1, 2, 0 }, { Kind::Remove, 2, 2, 0 } };
        QTest::newRow("widening inserts in runs")
            << QList<int> { 1, 4, 7 } << QList<int> { 0, 1, 2, 3, 4, 7, 8 }
            << Edits { { Kind::Insert, 0, 1, 0 }, { Kind::Insert, 2, 2, 0 },
                   { Kind::Insert, 6, 1, 0 } };
        // A use of a sixth recent entry: one in at the front, the oldest out at the end.
        QTest::newRow("recently used shift")
            << QList<int> { 1, 2, 3, 4, 5 } << QList<int> { 6, 1, 2, 3, 4 }
            << Edits { { Kind::Remove, 4, 1, 0 }, { Kind::Insert, 0, 1, 0 } };
        QTest::newRow("last to front")
            << QList<int> { 1, 2, 3, 4, 5 } << QList<int> { 5, 1, 2, 3, 4 }
            << Edits { { Kind::Move, 4, 1, 0 } };
        QTest::newRow("first to back")
            << QList<int> { 1, 2, 3, 4, 5 } << QList<int> { 2, 3, 4, 5, 1 }
            << Edits { { Kind::Move, 0, 1, 4 } };
    }
    void stepsForTypicalChanges()
    {
        QFETCH(QList<int>, before);
        QFETCH(QList<int>, after);
        QFETCH(Edits, expected);
        QCOMPARE(listEdits(before, after), expected);
    }

    // Any change arrives, with the fewest moves for distinct keys; repeated keys, which a
    // hand-edited preferences file can hold, are told apart.
    void randomChangesArriveWithFewestMoves()
    {
        QRandomGenerator random(testSeed());
        const auto randomList = [&](int keyRange, bool unique) {
            QList<int> list;
            for (int i = int(random.bounded(15)); i > 0; --i) {
                const int key = int(random.bounded(keyRange));
                if (!unique || !list.contains(key))
                    list.append(key);
            }
            return list;
        };
        for (int round = 0; round < 3000; ++round) {
            const bool unique = round % 2 == 0;
            const QList<int> before = randomList(unique ? 20 : 6, unique);
            const QList<int> after = randomList(unique ? 20 : 6, unique);
            const Edits edits = listEdits(before, after);
            QVERIFY2(applied(before, edits, after) == after, qPrintable(seedNote()));
            if (!unique)
                continue;
            QList<int> kept;
            for (int key : before) {
                if (after.contains(key))
                    kept.append(int(after.indexOf(key)));
            }
            QVERIFY2(countOf(edits, Kind::Move) == kept.size() - longestIncreasing(kept),
                qPrintable(seedNote()));
            QCOMPARE(countOf(edits, Kind::Remove) == 0, kept.size() == before.size());
        }
    }
};

QTEST_APPLESS_MAIN(ListEditTest)
#include "ListEditTest.moc"
