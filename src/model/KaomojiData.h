#pragma once

#include "Kaomoji.h"
#include "SearchIndex.h"
#include "UiLanguage.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QUuid>
#include <vector>

class Preferences;

// The one store behind the picker: the built-in emoticons, the user's own, the recently
// used ones, and the marker of the newest generated one. Both user lists are saved after
// every change (the preferences may finish writing later, in order); every change signal is
// emitted after the value is stored and handed to them, so an observer that reads
// filteredKaomojis() sees the new lists.
class KaomojiData final : public QObject {
    Q_OBJECT
    Q_PROPERTY(KaomojiGroups presetKaomojis READ presetKaomojis CONSTANT)
    Q_PROPERTY(KaomojiList customKaomojis READ customKaomojis WRITE setCustomKaomojis NOTIFY
            customKaomojisChanged)
    Q_PROPERTY(KaomojiList recentlyUsedKaomojis READ recentlyUsedKaomojis WRITE
            setRecentlyUsedKaomojis NOTIFY recentlyUsedKaomojisChanged)
    Q_PROPERTY(
        QUuid mostRecentAIKaomojiId READ mostRecentAIKaomojiId NOTIFY mostRecentAIKaomojiIdChanged)
    Q_PROPERTY(bool shouldUnselectCustom READ shouldUnselectCustom WRITE setShouldUnselectCustom
            NOTIFY shouldUnselectCustomChanged)

public:
    static inline const QString customKey = QStringLiteral("CustomKaomojis");
    static inline const QString recentlyUsedKey = QStringLiteral("RecentlyUsedKaomojis");
    static constexpr int recentlyUsedLimit = 5;

    // Builds the catalog and loads both lists; writes nothing back. Searches find faces by
    // their English words and by the words of `uiLanguage`, the language Pelmora speaks.
    explicit KaomojiData(Preferences &preferences, QObject *parent = nullptr,
        QLocale::Language uiLanguage = UiLanguage::current());

    const KaomojiGroups &presetKaomojis() const { return m_presetKaomojis; }
    const KaomojiList &customKaomojis() const { return m_customKaomojis; }
    const KaomojiList &recentlyUsedKaomojis() const { return m_recentlyUsedKaomojis; }
    // A null id while no generated record is marked.
    QUuid mostRecentAIKaomojiId() const { return m_mostRecentAIKaomojiId; }
    bool shouldUnselectCustom() const { return m_shouldUnselectCustom; }

    void setCustomKaomojis(const KaomojiList &records);
    void setRecentlyUsedKaomojis(const KaomojiList &records);
    void setShouldUnselectCustom(bool value);

    // A hand-made record goes first in the custom list. A face FaceText refuses is left out,
    // with one printed line; returns whether the record was added.
    bool addCustomKaomoji(const Kaomoji &record);
    void addAIKaomoji(const QString &face);
    void addToRecentlyUsed(const Kaomoji &record);
    // Puts the records whose face and tags no custom entry has yet before the others, in their
    // own order; returns how many that was.
    int importCustomKaomojis(const KaomojiList &records);
    // The record a face copied by its text stands for: Recently Used, the user's own, then the
    // catalog; a face Pelmora does not know counts as one of the user's own.
    Kaomoji recordForFace(const QString &face) const;
    void deleteKaomoji(QUuid id);

    KaomojiGroups allKaomojis() const;
    // Memoized per (text, sorted selection) until either user list changes.
    KaomojiGroups filteredKaomojis(const QString &searchText, const QSet<QString> &selected);
    bool kaomojiMatches(
        const Kaomoji &record, const QSet<QString> &selected, const QString &searchText) const;
    static QString cacheKey(const QString &searchText, const QSet<QString> &selected);

    KaomojiList loadCustomKaomojis();
    KaomojiList loadRecentlyUsedKaomojis();
    void saveCustomKaomojis();
    void saveRecentlyUsedKaomojis();

signals:
    void customKaomojisChanged();
    void recentlyUsedKaomojisChanged();
    void mostRecentAIKaomojiIdChanged();
    void shouldUnselectCustomChanged();

private:
    KaomojiList loadList(const QString &key, const char *errorMessage);
    void saveList(const QString &key, const KaomojiList &records, const char *errorMessage);
    struct IndexedGroup;
    // Stores a user list, then runs its hook (save, empty the cache), then notifies.
    void storeList(KaomojiList &list, IndexedGroup &group, KaomojiList records,
        void (KaomojiData::*save)(), void (KaomojiData::*changed)());
    void storeCustomKaomojis(KaomojiList records);
    void storeRecentlyUsedKaomojis(KaomojiList records);
    void setMostRecentAIKaomojiId(QUuid id);

    Preferences &m_preferences;
    KaomojiGroups m_presetKaomojis;
    KaomojiList m_customKaomojis;
    KaomojiList m_recentlyUsedKaomojis;
    QUuid m_mostRecentAIKaomojiId;
    bool m_shouldUnselectCustom = false;
    bool m_saveFailed = false; // the last save failed: the next good one says so

    struct IndexedGroup {
        QString name;
        KaomojiList records;
        SearchIndex index;
    };
    KaomojiList filterGroup(const IndexedGroup &group, const QString &searchText,
        const QString &foldedText, const QSet<QString> &selected) const;

    TextMatcher m_matcher;
    SearchWords m_searchWords;
    std::vector<IndexedGroup> m_presetGroups; // in catalog order
    IndexedGroup m_customGroup;
    IndexedGroup m_recentlyUsedGroup;
    QHash<QString, KaomojiGroups> m_memoizedResults;
};
