#pragma once

#include <QHash>
#include <QList>
#include <algorithm>
#include <utility>
#include <vector>

// One step that turns a list of keys into another, applied in order to the list as it is
// after the previous steps. Views follow these steps instead of rebuilding, so a tile keeps
// its identity (and its state) while the results change around it.
struct ListEdit {
    enum class Kind { Remove, Insert, Move };

    Kind kind = Kind::Remove;
    // Remove, Insert: the first row; Move: the row taken out.
    int index = 0;
    // Remove, Insert: how many rows. Insert takes the keys at the same rows of the new list.
    int count = 1;
    // Move: the row the item ends at, counted after it was taken out (as QList::move).
    int to = 0;

    friend bool operator==(const ListEdit &, const ListEdit &) = default;
};

namespace ListEditDetail {

// Removals only, when `after` is `before` with some keys left out; false otherwise.
template <typename Key>
bool appendRemovals(const QList<Key> &before, const QList<Key> &after, std::vector<ListEdit> &edits)
{
    qsizetype kept = 0;
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (kept < after.size() && before[i] == after[kept]) {
            ++kept;
            continue;
        }
        if (!edits.empty() && edits.back().index == int(kept))
            ++edits.back().count;
        else
            edits.push_back({ ListEdit::Kind::Remove, int(kept), 1, 0 });
    }
    return kept == after.size();
}

// Insertions only, when `before` is `after` with some keys left out; false otherwise.
template <typename Key>
bool appendInsertions(
    const QList<Key> &before, const QList<Key> &after, std::vector<ListEdit> &edits)
{
    qsizetype matched = 0;
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (matched < before.size() && after[i] == before[matched]) {
            ++matched;
            continue;
        }
        ListEdit *last = edits.empty() ? nullptr : &edits.back();
        if (last && last->index + last->count == int(i))
            ++last->count;
        else
            edits.push_back({ ListEdit::Kind::Insert, int(i), 1, 0 });
    }
    return matched == before.size();
}

// Marks the members of one longest increasing run of `values` (patience sorting).
inline std::vector<bool> longestIncreasing(const std::vector<int> &values)
{
    std::vector<int> tails; // index into values of the smallest tail of each length
    std::vector<int> previous(values.size(), -1);
    for (int i = 0; i < int(values.size()); ++i) {
        const auto place = std::lower_bound(tails.begin(), tails.end(), values[size_t(i)],
            [&](int at, int value) { return values[size_t(at)] < value; });
        if (place != tails.begin())
            previous[size_t(i)] = *(place - 1);
        if (place == tails.end())
            tails.push_back(i);
        else
            *place = i;
    }
    std::vector<bool> member(values.size(), false);
    for (int i = tails.empty() ? -1 : tails.back(); i >= 0; i = previous[size_t(i)])
        member[size_t(i)] = true;
    return member;
}

// Any change: removals, then the fewest moves (everything off one longest kept run), then
// insertions. Repeated keys are told apart by how often they occurred before.
template <typename Key>
void appendAnyEdits(const QList<Key> &before, const QList<Key> &after, std::vector<ListEdit> &edits)
{
    // Each key's rows in `after`, first to last: the first not yet taken is at `firstAfter`
    // (counted from 1, 0 when all are taken), the next after it in `nextAfter`.
    QHash<Key, int> firstAfter;
    firstAfter.reserve(after.size());
    std::vector<int> nextAfter(size_t(after.size()), 0);
    for (qsizetype i = after.size() - 1; i >= 0; --i) {
        int &first = firstAfter[after[i]];
        nextAfter[size_t(i)] = first;
        first = int(i) + 1;
    }

    // Removals; `kept` lists the surviving items by their row in `after`.
    std::vector<int> kept;
    kept.reserve(size_t(before.size()));
    for (qsizetype i = 0; i < before.size(); ++i) {
        const auto found = firstAfter.find(before[i]);
        if (found != firstAfter.end() && found.value() > 0) {
            kept.push_back(found.value() - 1);
            found.value() = nextAfter[size_t(found.value() - 1)];
            continue;
        }
        if (!edits.empty() && edits.back().kind == ListEdit::Kind::Remove
            && edits.back().index == int(kept.size()))
            ++edits.back().count;
        else
            edits.push_back({ ListEdit::Kind::Remove, int(kept.size()), 1, 0 });
    }

    // Moves: each item off the run goes right after its predecessor in the new order.
    const std::vector<bool> anchored = longestIncreasing(kept);
    std::vector<bool> stays(after.size(), false);
    for (size_t i = 0; i < kept.size(); ++i)
        stays[size_t(kept[i])] = anchored[i];
    std::vector<int> current = kept;
    std::vector<int> targets = kept;
    std::sort(targets.begin(), targets.end());
    for (size_t t = 0; t < targets.size(); ++t) {
        if (stays[size_t(targets[t])])
            continue;
        const auto from =
            int(std::find(current.begin(), current.end(), targets[t]) - current.begin());
        current.erase(current.begin() + from);
        const int to = t == 0
            ? 0
            : int(std::find(current.begin(), current.end(), targets[t - 1]) - current.begin()) + 1;
        current.insert(current.begin() + to, targets[t]);
        if (from != to)
            edits.push_back({ ListEdit::Kind::Move, from, 1, to });
    }

    // Insertions, front to back, so every row before the insertion is already final.
    std::vector<bool> present(after.size(), false);
    for (int row : kept)
        present[size_t(row)] = true;
    for (int i = 0; i < int(after.size()); ++i) {
        if (present[size_t(i)])
            continue;
        ListEdit *last = edits.empty() ? nullptr : &edits.back();
        if (last && last->kind == ListEdit::Kind::Insert && last->index + last->count == i)
            ++last->count;
        else
            edits.push_back({ ListEdit::Kind::Insert, i, 1, 0 });
    }
}

} // namespace ListEditDetail

// The steps from `before` to `after`: none when they are equal, only removals or only
// insertions when one is the other with keys left out (the usual keystroke), otherwise
// removals, then as few moves as possible, then insertions.
template <typename Key>
std::vector<ListEdit> listEdits(const QList<Key> &before, const QList<Key> &after)
{
    std::vector<ListEdit> edits;
    if (before == after)
        return edits;
    if (after.size() < before.size() && ListEditDetail::appendRemovals(before, after, edits))
        return edits;
    edits.clear();
    if (after.size() > before.size() && ListEditDetail::appendInsertions(before, after, edits))
        return edits;
    edits.clear();
    ListEditDetail::appendAnyEdits(before, after, edits);
    return edits;
}
