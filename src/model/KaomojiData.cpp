#include "KaomojiData.h"

#include "FaceText.h"
#include "KaomojiCategories.h"
#include "KaomojiJson.h"
#include "Preferences.h"
#include "PresetCatalog.h"

#include <algorithm>
#include <cstdio>

namespace {

// Translated where they are printed, once a translation is in place.
const char *const customDecodeError =
    QT_TRANSLATE_NOOP("KaomojiData", "Error decoding custom kaomojis: %1");
const char *const recentlyUsedDecodeError =
    QT_TRANSLATE_NOOP("KaomojiData", "Error decoding recently used kaomojis: %1");
const char *const customEncodeError =
    QT_TRANSLATE_NOOP("KaomojiData", "Error encoding custom kaomojis: %1");
const char *const recentlyUsedEncodeError =
    QT_TRANSLATE_NOOP("KaomojiData", "Error encoding recently used kaomojis: %1");

void printLine(const QString &line)
{
    std::fputs(line.toUtf8().append('\n').constData(), stdout);
    std::fflush(stdout);
}

} // namespace

KaomojiData::KaomojiData(Preferences &preferences, QObject *parent, QLocale::Language uiLanguage)
    : QObject(parent)
    , m_preferences(preferences)
    , m_presetKaomojis(makePresetKaomojis())
    , m_matcher(TextMatcher::ruleFor(QLocale()), TextMatcher::kanaRuleFor(uiLanguage))
    , m_searchWords(uiLanguage, m_matcher)
{
    for (const PresetCategory &category : presetCatalogTable()) {
        IndexedGroup group { QString::fromUtf8(category.name), {}, {} };
        group.records = m_presetKaomojis.value(group.name);
        group.index.rebuild(group.records, m_matcher, m_searchWords);
        m_presetGroups.push_back(std::move(group));
    }
    m_customGroup.name = KaomojiCategories::custom;
    m_recentlyUsedGroup.name = KaomojiCategories::recentlyUsed;

    // Loading writes nothing back: no change hook runs at start-up.
    m_customKaomojis = loadCustomKaomojis();
    m_recentlyUsedKaomojis = loadRecentlyUsedKaomojis();
    m_customGroup.records = m_customKaomojis;
    m_customGroup.index.rebuild(m_customKaomojis, m_matcher, m_searchWords);
    m_recentlyUsedGroup.records = m_recentlyUsedKaomojis;
    m_recentlyUsedGroup.index.rebuild(m_recentlyUsedKaomojis, m_matcher, m_searchWords);
}

// --- persistence -------------------------------------------------------------------------

KaomojiList KaomojiData::loadCustomKaomojis()
{
    // Stored newest first, read back in the same order.
    return loadList(customKey, customDecodeError);
}

KaomojiList KaomojiData::loadRecentlyUsedKaomojis()
{
    return loadList(recentlyUsedKey, recentlyUsedDecodeError);
}

KaomojiList KaomojiData::loadList(const QString &key, const char *errorMessage)
{
    const std::optional<QByteArray> stored = m_preferences.data(key);
    if (!stored)
        return {};
    auto decoded = KaomojiJson::decode(*stored);
    if (auto *records = std::get_if<KaomojiList>(&decoded))
        return std::move(*records);

    // The next change of this list overwrites the stored value, so keep the unreadable
    // bytes aside first: one bad record must not cost the user every entry they made.
    const QString backupKey = key + QStringLiteral("Unreadable");
    QString kept;
    if (m_preferences.data(backupKey) == stored) {
        kept = tr("; the unreadable data is kept under \"%1\" in %2")
                   .arg(backupKey, m_preferences.location());
    } else if (const QString failure = m_preferences.setData(backupKey, *stored);
               failure.isEmpty()) {
        kept = tr("; the unreadable data is kept under \"%1\" in %2")
                   .arg(backupKey, m_preferences.location());
    } else {
        kept = tr("; the unreadable data could not be kept aside (%1) and stays under \"%2\" "
                  "until this list changes")
                   .arg(failure, key);
    }
    printLine(tr(errorMessage).arg(std::get<KaomojiJson::Error>(decoded).description + kept));
    return {};
}

void KaomojiData::saveCustomKaomojis()
{
    saveList(customKey, m_customKaomojis, customEncodeError);
}

void KaomojiData::saveRecentlyUsedKaomojis()
{
    saveList(recentlyUsedKey, m_recentlyUsedKaomojis, recentlyUsedEncodeError);
}

void KaomojiData::saveList(const QString &key, const KaomojiList &records, const char *errorMessage)
{
    const auto encoded = KaomojiJson::encode(records);
    if (const auto *error = std::get_if<KaomojiJson::Error>(&encoded)) {
        printLine(tr(errorMessage).arg(error->description));
        return;
    }
    // A failed write keeps the list in memory; the next change writes the whole list again.
    m_preferences.setDataThen(
        key, std::get<QByteArray>(encoded), this, [this, errorMessage](const QString &failure) {
            if (!failure.isEmpty())
                printLine(tr(errorMessage).arg(failure));
            else if (m_saveFailed)
                printLine(tr("Saving works again: the lists are saved in %1")
                              .arg(m_preferences.location()));
            m_saveFailed = !failure.isEmpty();
        });
}

// --- observable fields -------------------------------------------------------------------

void KaomojiData::storeList(KaomojiList &list, IndexedGroup &group, KaomojiList records,
    void (KaomojiData::*save)(), void (KaomojiData::*changed)())
{
    list = std::move(records);
    group.records = list;
    group.index.rebuild(list, m_matcher, m_searchWords);
    (this->*save)();
    m_memoizedResults.clear();
    emit(this->*changed)();
}

void KaomojiData::storeCustomKaomojis(KaomojiList records)
{
    storeList(m_customKaomojis, m_customGroup, std::move(records), &KaomojiData::saveCustomKaomojis,
        &KaomojiData::customKaomojisChanged);
}

void KaomojiData::storeRecentlyUsedKaomojis(KaomojiList records)
{
    storeList(m_recentlyUsedKaomojis, m_recentlyUsedGroup, std::move(records),
        &KaomojiData::saveRecentlyUsedKaomojis, &KaomojiData::recentlyUsedKaomojisChanged);
}

// Assignments always run the hook, even when the content is unchanged: callers rely on a
// write reaching the preferences.
void KaomojiData::setCustomKaomojis(const KaomojiList &records)
{
    storeCustomKaomojis(records);
}

void KaomojiData::setRecentlyUsedKaomojis(const KaomojiList &records)
{
    storeRecentlyUsedKaomojis(records);
}

void KaomojiData::setShouldUnselectCustom(bool value)
{
    if (m_shouldUnselectCustom == value)
        return;
    m_shouldUnselectCustom = value;
    emit shouldUnselectCustomChanged();
}

void KaomojiData::setMostRecentAIKaomojiId(QUuid id)
{
    if (m_mostRecentAIKaomojiId == id)
        return;
    m_mostRecentAIKaomojiId = id;
    emit mostRecentAIKaomojiIdChanged();
}

// --- operations ----------------------------------------------------------------------------

bool KaomojiData::addCustomKaomoji(const Kaomoji &record)
{
    // The whole list is saved at every change: a face that could not be saved would block
    // every later save of it. The client and the form refuse such faces with their own words.
    if (const QString problem = FaceText::problem(record.face()); !problem.isEmpty()) {
        printLine(tr("Kaomoji not added: %1").arg(problem));
        return false;
    }
    KaomojiList records = m_customKaomojis;
    records.prepend(record);
    storeCustomKaomojis(std::move(records));
    return true;
}

void KaomojiData::addAIKaomoji(const QString &face)
{
    const Kaomoji record =
        Kaomoji::create(face, KaomojiCategories::custom, { KaomojiCategories::aiGeneratedTag });
    if (addCustomKaomoji(record))
        setMostRecentAIKaomojiId(record.id());
}

void KaomojiData::addToRecentlyUsed(const Kaomoji &record)
{
    // Preset ids are new on every start, so a restored entry is recognised by its content.
    const bool alreadyPresent =
        std::any_of(m_recentlyUsedKaomojis.cbegin(), m_recentlyUsedKaomojis.cend(),
            [&](const Kaomoji &used) { return used == record || used.hasSameContent(record); });
    if (!alreadyPresent) {
        KaomojiList records = m_recentlyUsedKaomojis;
        records.prepend(record);
        storeRecentlyUsedKaomojis(records);
        // One in, one out: a longer list read from storage keeps its length.
        if (records.size() > recentlyUsedLimit) {
            records.removeLast();
            storeRecentlyUsedKaomojis(std::move(records));
        }
    }
    setMostRecentAIKaomojiId({});
}

int KaomojiData::importCustomKaomojis(const KaomojiList &records)
{
    KaomojiList added;
    const auto present = [](const KaomojiList &list, const Kaomoji &record) {
        return std::any_of(list.cbegin(), list.cend(), [&](const Kaomoji &other) {
            return other.face() == record.face() && other.tags() == record.tags();
        });
    };
    for (const Kaomoji &record : records) {
        if (!present(m_customKaomojis, record) && !present(added, record))
            added.append(record);
    }
    if (!added.isEmpty())
        storeCustomKaomojis(added + m_customKaomojis);
    return int(added.size());
}

Kaomoji KaomojiData::recordForFace(const QString &face) const
{
    const auto find = [&](const KaomojiList &records) -> const Kaomoji * {
        const auto found = std::find_if(records.cbegin(), records.cend(),
            [&](const Kaomoji &record) { return record.face() == face; });
        return found == records.cend() ? nullptr : &*found;
    };
    for (const KaomojiList *records : { &m_recentlyUsedKaomojis, &m_customKaomojis }) {
        if (const Kaomoji *record = find(*records))
            return *record;
    }
    for (const IndexedGroup &group : m_presetGroups) {
        if (const Kaomoji *record = find(group.records))
            return *record;
    }
    return Kaomoji::create(face, KaomojiCategories::custom);
}

void KaomojiData::deleteKaomoji(QUuid id)
{
    const auto withoutId = [id](KaomojiList records) {
        records.removeIf([id](const Kaomoji &record) { return record.id() == id; });
        return records;
    };
    storeCustomKaomojis(withoutId(m_customKaomojis));
    storeRecentlyUsedKaomojis(withoutId(m_recentlyUsedKaomojis));
    m_memoizedResults.clear();
    if (m_customKaomojis.isEmpty()) {
        // Raised again even when already true: the view lowers it after reacting.
        m_shouldUnselectCustom = true;
        emit shouldUnselectCustomChanged();
    }
}

// --- search --------------------------------------------------------------------------------

KaomojiGroups KaomojiData::allKaomojis() const
{
    KaomojiGroups groups = m_presetKaomojis;
    if (!m_recentlyUsedKaomojis.isEmpty())
        groups.insert(KaomojiCategories::recentlyUsed, m_recentlyUsedKaomojis);
    groups.insert(KaomojiCategories::custom, m_customKaomojis);
    return groups;
}

QString KaomojiData::cacheKey(const QString &searchText, const QSet<QString> &selected)
{
    QStringList names(selected.cbegin(), selected.cend());
    std::sort(names.begin(), names.end());
    return searchText + u'|' + names.join(u',');
}

KaomojiGroups KaomojiData::filteredKaomojis(
    const QString &searchText, const QSet<QString> &selected)
{
    const QString key = cacheKey(searchText, selected);
    if (const auto cached = m_memoizedResults.constFind(key); cached != m_memoizedResults.cend())
        return *cached;

    const QString foldedText = searchText.isEmpty() ? QString() : m_matcher.fold(searchText);
    KaomojiGroups results;
    const auto addGroup = [&](const IndexedGroup &group) {
        KaomojiList records = filterGroup(group, searchText, foldedText, selected);
        if (!records.isEmpty())
            results.insert(group.name, std::move(records));
    };
    for (const IndexedGroup &group : m_presetGroups)
        addGroup(group);
    addGroup(m_recentlyUsedGroup);
    addGroup(m_customGroup);

    m_memoizedResults.insert(key, results);
    return results;
}

KaomojiList KaomojiData::filterGroup(const IndexedGroup &group, const QString &searchText,
    const QString &foldedText, const QSet<QString> &selected) const
{
    const auto passesCategory = [&](const Kaomoji &record) {
        return selected.isEmpty() || selected.contains(record.category());
    };
    if (searchText.isEmpty()) {
        if (selected.isEmpty())
            return group.records; // shared, not copied
        KaomojiList kept;
        std::copy_if(
            group.records.cbegin(), group.records.cend(), std::back_inserter(kept), passesCategory);
        return kept;
    }

    std::vector<char> matched(size_t(group.records.size()), 0);
    if (foldedText.contains(TextMatcher::separator)) {
        // A query holding the separator cannot use the joined index; test record by record.
        for (qsizetype i = 0; i < group.records.size(); ++i)
            matched[size_t(i)] = kaomojiMatches(group.records[i], {}, searchText);
    } else if (group.index.findMatches(foldedText, matched) == group.records.size()
        && selected.isEmpty()) {
        return group.records;
    }

    KaomojiList kept;
    for (qsizetype i = 0; i < group.records.size(); ++i) {
        if (matched[size_t(i)] && passesCategory(group.records[i]))
            kept.append(group.records[i]);
    }
    return kept;
}

bool KaomojiData::kaomojiMatches(
    const Kaomoji &record, const QSet<QString> &selected, const QString &searchText) const
{
    if (!selected.isEmpty() && !selected.contains(record.category()))
        return false;
    if (searchText.isEmpty())
        return true;
    const QString needle = m_matcher.fold(searchText);
    const auto has = [&](const QString &text) {
        return TextMatcher::indexOfFolded(m_matcher.fold(text), needle) >= 0;
    };
    // The words of the UI's language are in its own scripts: plain ASCII never matches them.
    const bool beyondAscii = !TextMatcher::isAscii(needle);
    const auto named = [&](const QString &name) {
        return has(name)
            || (beyondAscii
                && TextMatcher::indexOfFolded(m_searchWords.forName(name), needle) >= 0);
    };
    return has(record.face()) || named(record.category())
        || std::any_of(record.tags().cbegin(), record.tags().cend(), named);
}
