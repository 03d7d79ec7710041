#include "ListEdit.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// Applies the steps as a view would, failing on any row out of range.
QList<int> applied(QList<int> list, const std::vector<ListEdit> &edits, const QList<int> &after)
{
    for (const ListEdit &edit : edits) {
        switch (edit.kind) {
        case ListEdit::Kind::Remove:
            if (edit.count < 1 || edit.index < 0 || edit.index + edit.count > list.size())
                return { -1 };
            list.remove(edit.index, edit.count);
            break;
        case ListEdit::Kind::Insert:
            if (edit.count < 1 || edit.index < 0 || edit.index > list.size()
                || edit.index + edit.count > after.size())
                return { -1 };
            for (int row = edit.index; row < edit.index + edit.count; ++row)
                list.insert(row, after[row]);
            break;
        case ListEdit::Kind::Move:
            if (edit.index < 0 || edit.index >= list.size() || edit.to < 0 || edit.to >= list.size()
                || edit.index == edit.to)
                return { -1 };
            list.move(edit.index, edit.to);
            break;
        }
    }
    return list;
}

int countOf(const std::vector<ListEdit> &edits, ListEdit::Kind kind)
{
    return int(std::count_if(
        edits.cbegin(), edits.cend(), [kind](const ListEdit &edit) { return edit.kind == kind; }));
}

// The length of a longest increasing run, the slow and obvious way.
int longestIncreasingLength(const QList<int> &values)
{
    QList<int> best(values.size(), 1);
    int longest = 0;
    for (int i = 0; i < values.size(); ++i) {
        for (int j = 0; j < i; ++j) {
            if (values[j] < values[i])
                best[i] = std::max(best[i], best[j] + 1);
        }
        longest = std::max(longest, best[i]);
    }
    return longest;
}

QList<int> randomList(QRandomGenerator &random, int maximumSize, int keyRange)
{
    QList<int> list;
    const int size = int(random.bounded(maximumSize + 1));
    for (int i = 0; i < size; ++i)
        list.append(int(random.bounded(keyRange)));
    return list;
}

QList<int> withoutRepeats(const QList<int> &list)
{
    QList<int> unique;
    for (int key : list) {
        if (!unique.contains(key))
            unique.append(key);
    }
    return unique;
}

} // namespace

class ListEditTest : public QObject {
    Q_OBJECT

private slots:
    void equalListsNeedNoStep()
    {
        QVERIFY(listEdits(QList<int> {}, QList<int> {}).empty());
        QVERIFY(listEdits(QList<int> { 1, 2, 3 }, QList<int> { 1, 2, 3 }).empty());
    }

    void narrowingOnlyRemovesInRuns()
    {
        const auto edits = listEdits(QList<int> { 1, 2, 3, 4, 5, 6, 7 }, QList<int> { 1, 4, 7 });
        const std::vector<ListEdit> expected = {
            { ListEdit::Kind::Remove, 1, 2, 0 },
            { ListEdit::Kind::Remove, 2, 2, 0 },
        };
        QCOMPARE(edits, expected);
        QCOMPARE(listEdits(QList<int> { 1, 2 }, QList<int> {}),
            (std::vector<ListEdit> { { ListEdit::Kind::Remove, 0, 2, 0 } }));
    }

    void wideningOnlyInsertsInRuns()
    {
        const auto edits = listEdits(QList<int> { 1, 4, 7 }, QList<int> { 0, 1, 2, 3, 4, 7, 8 });
        const std::vector<ListEdit> expected = {
            { ListEdit::Kind::Insert, 0, 1, 0 },
            { ListEdit::Kind::Insert, 2, 2, 0 },
            { ListEdit::Kind::Insert, 6, 1, 0 },
        };
        QCOMPARE(edits, expected);
    }

    // A use of a sixth entry: one in at the front, the oldest out at the end.
    void recentlyUsedShiftIsOneInsertAndOneRemove()
    {
        const QList<int> before { 1, 2, 3, 4, 5 };
        const QList<int> after { 6, 1, 2, 3, 4 };
        const auto edits = listEdits(before, after);
        QCOMPARE(countOf(edits, ListEdit::Kind::Move), 0);
        QCOMPARE(countOf(edits, ListEdit::Kind::Remove), 1);
        QCOMPARE(countOf(edits, ListEdit::Kind::Insert), 1);
        QCOMPARE(applied(before, edits, after), after);
    }

    void reorderingMovesOnlyWhatLeftTheLongestRun()
    {
        const QList<int> before { 1, 2, 3, 4, 5 };
        QCOMPARE(listEdits(before, QList<int> { 5, 1, 2, 3, 4 }),
            (std::vector<ListEdit> { { ListEdit::Kind::Move, 4, 1, 0 } }));
        QCOMPARE(listEdits(before, QList<int> { 2, 3, 4, 5, 1 }),
            (std::vector<ListEdit> { { ListEdit::Kind::Move, 0, 1, 4 } }));
        const QList<int> reversed { 5, 4, 3, 2, 1 };
        const auto edits = listEdits(before, reversed);
        QCOMPARE(countOf(edits, ListEdit::Kind::Move), 4);
        QCOMPARE(applied(before, edits, reversed), reversed);
    }

    // A hand-edited preferences file can hold one id twice.
    void repeatedKeysAreToldApart()
    {
        const QList<int> before { 7, 1, 7, 2 };
        for (const QList<int> &after : { QList<int> { 7, 2 }, QList<int> { 1, 7, 7, 2, 7 },
                 QList<int> { 2, 7, 1, 7 }, QList<int> { 7, 7, 7 } }) {
            const auto edits = listEdits(before, after);
            QCOMPARE(applied(before, edits, after), after);
        }
    }

    void randomChangesArriveWithFewestMoves()
    {
        QRandomGenerator random(20240611);
        for (int round = 0; round < 3000; ++round) {
            const bool unique = round % 2 == 0;
            QList<int> before = randomList(random, 14, unique ? 20 : 6);
            QList<int> after = randomList(random, 14, unique ? 20 : 6);
            if (unique) {
                before = withoutRepeats(before);
                after = withoutRepeats(after);
            }
            const auto edits = listEdits(before, after);
            QCOMPARE(applied(before, edits, after), after);
            if (!unique)
                continue;
            QList<int> keptPositions;
            for (int key : before) {
                if (after.contains(key))
                    keptPositions.append(int(after.indexOf(key)));
            }
            QCOMPARE(countOf(edits, ListEdit::Kind::Move),
                keptPositions.size() - longestIncreasingLength(keptPositions));
            QCOMPARE(
                countOf(edits, ListEdit::Kind::Remove) == 0, keptPositions.size() == before.size());
        }
    }

    void worksOnTextKeys()
    {
        const QStringList before { "Recently Used", "Joy", "Love" };
        const QStringList after { "Custom", "Joy", "Love", "Cat" };
        const auto edits = listEdits(before, after);
        QCOMPARE(edits.size(), size_t(3));
        QCOMPARE(edits[0], (ListEdit { ListEdit::Kind::Remove, 0, 1, 0 }));
    }
};

QTEST_APPLESS_MAIN(ListEditTest)
#include "ListEditTest.moc"
