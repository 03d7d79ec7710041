#include "KaomojiView.h"

#include "AIKaomojiGenerator.h"
#include "AppLifecycle.h"
#include "Clipboard.h"
#include "FaceText.h"
#include "GenerationServiceStarter.h"
#include "KaomojiCategories.h"
#include "KaomojiData.h"
#include "KaomojiFile.h"
#include "MainQueue.h"
#include "Paster.h"
#include "PointerCursor.h"
#include "UrlOpener.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkReply>
#include <QUuid>
#include <cstdio>

KaomojiView::KaomojiView(Preferences &preferences, PlatformServices platform, QObject *parent)
    : QObject(parent)
    , m_platform(platform)
    , m_kaomojiData(new KaomojiData(preferences, this))
    , m_sections(new KaomojiSectionsModel(this))
    , m_rows(new KaomojiRowsModel(*m_sections, this))
    , m_generationEndpoint(AIKaomojiGenerator::endpointURL())
    , m_serviceStarter(new GenerationServiceStarter(this))
{
    m_sections->setMostRecentAIKaomojiId(m_kaomojiData->mostRecentAIKaomojiId());
    refreshListFlags();
    refreshResults();

    connect(m_kaomojiData, &KaomojiData::customKaomojisChanged, this, [this] {
        refreshListFlags();
        refreshResults();
    });
    connect(m_kaomojiData, &KaomojiData::recentlyUsedKaomojisChanged, this, [this] {
        refreshListFlags();
        refreshResults();
    });
    connect(m_kaomojiData, &KaomojiData::mostRecentAIKaomojiIdChanged, this, [this] {
        m_sections->setMostRecentAIKaomojiId(m_kaomojiData->mostRecentAIKaomojiId());
        emit mostRecentAIKaomojiIdChanged();
    });
    connect(m_kaomojiData, &KaomojiData::shouldUnselectCustomChanged, this,
        &KaomojiView::unselectCustomIfAsked);
    m_screenReaderActive = QAccessible::isActive();
    QAccessible::installActivationObserver(this);
}

KaomojiView::~KaomojiView()
{
    QAccessible::removeActivationObserver(this);
}

void KaomojiView::accessibilityActiveChanged(bool active)
{
    if (m_screenReaderActive == active)
        return;
    m_screenReaderActive = active;
    emit screenReaderActiveChanged();
}

void KaomojiView::setSearchText(const QString &text)
{
    if (m_searchText == text)
        return;
    m_searchText = text;
    emit searchTextChanged();
    refreshResults();
}

QStringList KaomojiView::selectedCategories() const
{
    QStringList names;
    for (const QString &name : KaomojiCategories::orderedCategories()) {
        if (m_selectedCategories.contains(name))
            names.append(name);
    }
    if (names.size() == m_selectedCategories.size())
        return names;
    QStringList others;
    for (const QString &name : m_selectedCategories) {
        if (!KaomojiCategories::orderedCategories().contains(name))
            others.append(name);
    }
    others.sort();
    return names + others;
}

void KaomojiView::setSelectedCategories(const QStringList &names)
{
    setSelectedCategorySet(QSet<QString>(names.cbegin(), names.cend()));
}

void KaomojiView::setSelectedCategorySet(const QSet<QString> &names)
{
    if (m_selectedCategories == names)
        return;
    m_selectedCategories = names;
    emit selectedCategoriesChanged();
    refreshResults();
}

void KaomojiView::setCopiedKaomoji(std::optional<QString> face, const QString &note)
{
    if (m_copiedKaomoji == face && m_copiedNote == note)
        return;
    m_copiedKaomoji = std::move(face);
    m_copiedNote = note;
    emit copiedKaomojiChanged();
}

void KaomojiView::setLastClickedKaomoji(std::optional<QString> face)
{
    if (m_lastClickedKaomoji == face)
        return;
    m_lastClickedKaomoji = std::move(face);
    emit lastClickedKaomojiChanged();
}

void KaomojiView::setIsVisible(bool visible)
{
    if (m_isVisible == visible)
        return;
    m_isVisible = visible;
    emit isVisibleChanged();
}

void KaomojiView::setShowingCustomForm(bool showing)
{
    if (m_showingCustomForm == showing)
        return;
    m_showingCustomForm = showing;
    emit showingCustomFormChanged();
}

void KaomojiView::setNewFace(const QString &face)
{
    if (m_newFace == face)
        return;
    m_newFace = face;
    emit newFaceChanged();
    setCustomFormError(QString());
}

void KaomojiView::setCustomFormError(const QString &message)
{
    if (m_customFormError == message)
        return;
    m_customFormError = message;
    emit customFormErrorChanged();
}

void KaomojiView::setIsGeneratingAI(bool generating)
{
    if (m_isGeneratingAI == generating)
        return;
    m_isGeneratingAI = generating;
    emit isGeneratingAIChanged();
}

void KaomojiView::setAIError(std::optional<QString> message)
{
    if (m_aiError == message)
        return;
    m_aiError = std::move(message);
    emit aiErrorChanged();
}

void KaomojiView::setFocusedField(FocusedField field)
{
    if (m_focusedField == field)
        return;
    m_focusedField = field;
    emit focusedFieldChanged();
}

QStringList KaomojiView::orderedCategories() const
{
    return KaomojiCategories::orderedCategories();
}

QString KaomojiView::mostRecentAIKaomojiId() const
{
    const QUuid id = m_kaomojiData->mostRecentAIKaomojiId();
    return id.isNull() ? QString() : id.toString(QUuid::WithoutBraces);
}

QString KaomojiView::categoryName(const QString &category) const
{
    return KaomojiCategories::displayName(category);
}

QString KaomojiView::kaomojiDescription(const QString &sectionName, const QString &id) const
{
    const KaomojiEntriesModel *entries = m_sections->entries(sectionName);
    const std::optional<Kaomoji> record =
        entries ? entries->record(QUuid::fromString(id)) : std::nullopt;
    if (!record)
        return {};
    const QString category = categoryName(record->category());
    if (record->tags().isEmpty())
        return category;
    //: What a screen reader says of a kaomoji after its face: %1 is its category, %2 its tags
    return tr("%1: %2").arg(category, record->tags().join(tr(", ", "between tags")));
}

void KaomojiView::submitSearch()
{
    if (!m_searchText.isEmpty())
        generateAIKaomoji();
}

void KaomojiView::wandAction()
{
    if (!m_searchText.isEmpty()) {
        generateAIKaomoji();
        return;
    }
    setShowingCustomForm(!m_showingCustomForm);
    setFocusLater(m_showingCustomForm ? NewFace : Search);
}

void KaomojiView::generateAIKaomoji()
{
    setIsGeneratingAI(true);
    setAIError(std::nullopt);
    requestGeneration(m_searchText);
}

void KaomojiView::requestGeneration(const QString &prompt)
{
    // With this view as the context, a reply that arrives after the window is gone is dropped.
    AIKaomojiGenerator::generateKaomoji(AIKaomojiGenerator::makeRequest(m_generationEndpoint),
        prompt, this, [this, prompt](const GenerationResult &result) {
            // Nothing answers on this machine: no service manager started the installed
            // service, so start it once and ask again.
            const GenerationError error = result.error();
            const bool refused = error.domain == QLatin1String("QNetworkReply")
                && error.code == QNetworkReply::ConnectionRefusedError;
            if (!refused || !m_serviceStarter->canStartFor(m_generationEndpoint)) {
                finishGeneration(result);
                return;
            }
            m_serviceStarter->start(m_generationEndpoint, [this, prompt](const QString &failure) {
                if (failure.isEmpty()) {
                    requestGeneration(prompt);
                    return;
                }
                finishGeneration(GenerationResult::failure({ AIKaomojiGenerator::errorDomain, 0,
                    tr("The generation service is not running, and starting it failed: %1",
                        "%1 says why")
                        .arg(failure) }));
            });
        });
}

// With several requests out, the first to finish ends the progress, and each applies its own
// outcome.
void KaomojiView::finishGeneration(const GenerationResult &result)
{
    setIsGeneratingAI(false);
    if (!result.isSuccess()) {
        setAIError(result.error().message);
        // The form is where the error shows, beside the prompt to try again with.
        setShowingCustomForm(true);
        return;
    }
    m_kaomojiData->addAIKaomoji(result.face());
    setSearchText(QString());
    selectCustomIfFiltering();
}

void KaomojiView::submitCustomForm()
{
    if (m_newFace.isEmpty())
        return;
    // A face the store cannot write would make every later save of the list fail.
    if (const QString problem = FaceText::problem(m_newFace); !problem.isEmpty()) {
        setCustomFormError(problem);
        return;
    }
    m_kaomojiData->addCustomKaomoji(Kaomoji::create(m_newFace, KaomojiCategories::custom));
    setNewFace(QString());
    selectCustomIfFiltering();

    setShowingCustomForm(false);
    setFocusLater(Search);
}

// A new custom entry stays in sight under a category filter; without a filter it is shown
// anyway.
void KaomojiView::selectCustomIfFiltering()
{
    if (m_selectedCategories.isEmpty() || m_selectedCategories.contains(KaomojiCategories::custom))
        return;
    QSet<QString> names = m_selectedCategories;
    names.insert(KaomojiCategories::custom);
    setSelectedCategorySet(names);
}

void KaomojiView::toggleCategory(const QString &name)
{
    QSet<QString> names = m_selectedCategories;
    if (!names.remove(name))
        names.insert(name);
    setSelectedCategorySet(names);
}

// The store raises the flag when the custom list runs empty: the "Custom" chip goes away,
// so the selection must not keep a name that no chip shows.
void KaomojiView::unselectCustomIfAsked()
{
    if (!m_kaomojiData->shouldUnselectCustom())
        return;
    QSet<QString> names = m_selectedCategories;
    names.remove(KaomojiCategories::custom);
    setSelectedCategorySet(names);
    m_kaomojiData->setShouldUnselectCustom(false);
}

void KaomojiView::clearRecentlyUsed()
{
    m_kaomojiData->setRecentlyUsedKaomojis({});
}

void KaomojiView::deleteKaomoji(const QString &id)
{
    const QUuid uuid = QUuid::fromString(id);
    if (uuid.isNull()) {
        qWarning("KaomojiView: cannot delete '%s', which is not a kaomoji id", qPrintable(id));
        return;
    }
    m_kaomojiData->deleteKaomoji(uuid);
}

void KaomojiView::donate()
{
    const QUrl url(QStringLiteral(PELMORA_DONATE_URL), QUrl::StrictMode);
    if (url.isValid())
        m_platform.urlOpener.openUrl(url);
}

void KaomojiView::quit()
{
    m_platform.appLifecycle.quit();
}

void KaomojiView::copyKaomoji(const QString &sectionName, const QString &id)
{
    const QUuid uuid = QUuid::fromString(id);
    const KaomojiEntriesModel *entries = m_sections->entries(sectionName);
    const std::optional<Kaomoji> record = entries ? entries->record(uuid) : std::nullopt;
    if (!record) {
        qWarning("KaomojiView: no kaomoji '%s' in the section '%s'", qPrintable(id),
            qPrintable(sectionName));
        return;
    }
    const QString face = record->face();
    m_platform.clipboard.copyText(face);
    // A tile of the recently used section copies its face without recording the use again.
    if (sectionName != KaomojiCategories::recentlyUsed)
        m_kaomojiData->addToRecentlyUsed(*record);
    QString note;
    if (m_pasteAfterCopy) {
        if (const QString problem = m_platform.paster.problem(); problem.isEmpty()) {
            // Hidden first, so that the window the user was typing in gets the keyboard back.
            emit dismissRequested();
            m_platform.paster.paste();
            return;
        } else if (!std::exchange(m_pasteProblemTold, true)) {
            // Told once; later clicks only copy, as with pasting off.
            std::fprintf(stderr, "pelmora: %s\n", qPrintable(problem));
            note = problem;
        }
    }
    setCopiedKaomoji(face, note);
    setLastClickedKaomoji(face);
    flash(sectionName, uuid);

    // Each click clears only its own face: a later click on another tile keeps its marker.
    m_platform.mainQueue.runAfter(copiedMarkerMilliseconds, this, [this, face] {
        if (m_copiedKaomoji == face)
            setCopiedKaomoji(std::nullopt);
        if (m_lastClickedKaomoji == face)
            setLastClickedKaomoji(std::nullopt);
    });
}

void KaomojiView::flash(const QString &sectionName, QUuid id)
{
    KaomojiEntriesModel *entries = m_sections->entries(sectionName);
    if (!entries || !entries->setFlashing(id, true))
        return;
    // Bound to the section's model: a section that went away takes its flash with it.
    m_platform.mainQueue.runAfter(
        flashMilliseconds, entries, [entries, id] { entries->setFlashing(id, false); });
}

void KaomojiView::importKaomojiFile(const QUrl &file)
{
    const auto records = KaomojiFile::load(file.toLocalFile());
    if (const auto *error = std::get_if<KaomojiFile::Error>(&records)) {
        showFileMessage(tr("Nothing imported: %1").arg(error->description));
        return;
    }
    const KaomojiList &list = std::get<KaomojiList>(records);
    const int added = m_kaomojiData->importCustomKaomojis(list);
    if (added > 0)
        selectCustomIfFiltering();
    //: After an import; the second sentence says how many the user had already
    showFileMessage(tr("%n kaomoji added.", nullptr, added)
        + (list.size() > added ? u' ' + tr("%n already there.", nullptr, int(list.size()) - added)
                               : QString()));
}

void KaomojiView::exportKaomojiFile(const QUrl &folder)
{
    const QDir directory(folder.toLocalFile());
    QString path = directory.filePath(QStringLiteral("kaomoji.json"));
    for (int number = 2; QFileInfo::exists(path); ++number)
        path = directory.filePath(QStringLiteral("kaomoji-%1.json").arg(number));
    const KaomojiList &records = m_kaomojiData->customKaomojis();
    if (const auto error = KaomojiFile::save(records, KaomojiFile::Format::Json, path))
        showFileMessage(tr("Nothing exported: %1").arg(error->description));
    else
        showFileMessage(tr("%n kaomoji exported to %1.", nullptr, int(records.size())).arg(path));
}

void KaomojiView::showFileMessage(const QString &message)
{
    m_fileMessage = message;
    emit fileMessageChanged();
    m_platform.mainQueue.runAfter(fileMessageMilliseconds, this, [this, message] {
        if (m_fileMessage != message)
            return;
        m_fileMessage.clear();
        emit fileMessageChanged();
    });
}

void KaomojiView::appear()
{
    setIsVisible(true);
}

void KaomojiView::dismiss()
{
    emit dismissRequested();
}

void KaomojiView::pushPointingHand()
{
    m_platform.pointerCursor.pushPointingHand();
}

void KaomojiView::popPointingHand()
{
    m_platform.pointerCursor.pop();
}

void KaomojiView::setFocusLater(FocusedField field)
{
    m_platform.mainQueue.runAfter(focusDelayMilliseconds, this, [this, field] {
        setFocusedField(field);
        emit focusRequested(field);
    });
}

void KaomojiView::refreshResults()
{
    const KaomojiGroups results =
        m_kaomojiData->filteredKaomojis(m_searchText, m_selectedCategories);
    m_sections->setResults(results);
    m_rows->refresh();
    if (m_hasResults != !results.isEmpty()) {
        m_hasResults = !results.isEmpty();
        emit hasResultsChanged();
    }
}

void KaomojiView::refreshListFlags()
{
    const bool hasCustom = !m_kaomojiData->customKaomojis().isEmpty();
    if (m_hasCustomKaomojis != hasCustom) {
        m_hasCustomKaomojis = hasCustom;
        emit hasCustomKaomojisChanged();
    }
    const bool hasRecentlyUsed = !m_kaomojiData->recentlyUsedKaomojis().isEmpty();
    if (m_hasRecentlyUsedKaomojis != hasRecentlyUsed) {
        m_hasRecentlyUsedKaomojis = hasRecentlyUsed;
        emit hasRecentlyUsedKaomojisChanged();
    }
}
