#pragma once

#include "GenerationResult.h"
#include "KaomojiRowsModel.h"
#include "KaomojiSectionsModel.h"
#include "PlatformServices.h"

#include <QAccessible>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QtQml/qqmlregistration.h>
#include <optional>

class GenerationServiceStarter;
class KaomojiData;
class Preferences;

// The picker window's state and every action of the window. It owns the store; the views
// bind to its properties and call its actions, and hold no state of their own beyond looks.
class KaomojiView final : public QObject, private QAccessible::ActivationObserver {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The app makes the one window state")

    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)
    Q_PROPERTY(QStringList selectedCategories READ selectedCategories WRITE setSelectedCategories
            NOTIFY selectedCategoriesChanged)
    Q_PROPERTY(QString copiedKaomoji READ copiedKaomoji NOTIFY copiedKaomojiChanged)
    Q_PROPERTY(bool hasCopiedKaomoji READ hasCopiedKaomoji NOTIFY copiedKaomojiChanged)
    // A line under the copied face: why it was not pasted.
    Q_PROPERTY(QString copiedNote READ copiedNote NOTIFY copiedKaomojiChanged)
    Q_PROPERTY(QString lastClickedKaomoji READ lastClickedKaomoji NOTIFY lastClickedKaomojiChanged)
    Q_PROPERTY(bool isVisible READ isVisible NOTIFY isVisibleChanged)
    Q_PROPERTY(bool showingCustomForm READ showingCustomForm WRITE setShowingCustomForm NOTIFY
            showingCustomFormChanged)
    Q_PROPERTY(QString newFace READ newFace WRITE setNewFace NOTIFY newFaceChanged)
    Q_PROPERTY(QString customFormError READ customFormError NOTIFY customFormErrorChanged)
    Q_PROPERTY(bool isGeneratingAI READ isGeneratingAI NOTIFY isGeneratingAIChanged)
    Q_PROPERTY(QString aiError READ aiError NOTIFY aiErrorChanged)
    Q_PROPERTY(bool hasAIError READ hasAIError NOTIFY aiErrorChanged)
    Q_PROPERTY(QString fileMessage READ fileMessage NOTIFY fileMessageChanged)
    Q_PROPERTY(FocusedField focusedField READ focusedField WRITE setFocusedField NOTIFY
            focusedFieldChanged)

    Q_PROPERTY(QStringList orderedCategories READ orderedCategories CONSTANT)
    Q_PROPERTY(bool hasCustomKaomojis READ hasCustomKaomojis NOTIFY hasCustomKaomojisChanged)
    Q_PROPERTY(bool hasRecentlyUsedKaomojis READ hasRecentlyUsedKaomojis NOTIFY
            hasRecentlyUsedKaomojisChanged)
    Q_PROPERTY(bool hasResults READ hasResults NOTIFY hasResultsChanged)
    Q_PROPERTY(QString mostRecentAIKaomojiId READ mostRecentAIKaomojiId NOTIFY
            mostRecentAIKaomojiIdChanged)
    Q_PROPERTY(KaomojiSectionsModel *sections READ sections CONSTANT)
    Q_PROPERTY(KaomojiRowsModel *rows READ rows CONSTANT)
    // A screen reader (or another assistive technology) listens; what only it reads is worked
    // out while it does.
    Q_PROPERTY(bool screenReaderActive READ screenReaderActive NOTIFY screenReaderActiveChanged)

public:
    enum FocusedField { None, Search, NewFace };
    Q_ENUM(FocusedField)

    // Delays of the focus moves, a tile's flash and the copied marker.
    static constexpr int focusDelayMilliseconds = 100;
    static constexpr int flashMilliseconds = 300;
    static constexpr int copiedMarkerMilliseconds = 2000;
    // How long the outcome of an import or export from the menu stays in sight.
    static constexpr int fileMessageMilliseconds = 6000;

    KaomojiView(Preferences &preferences, PlatformServices platform, QObject *parent = nullptr);
    ~KaomojiView() override;

    QString searchText() const { return m_searchText; }
    void setSearchText(const QString &text);
    // In the chips' order; names without a chip follow, sorted.
    QStringList selectedCategories() const;
    void setSelectedCategories(const QStringList &names);
    const QSet<QString> &selectedCategorySet() const { return m_selectedCategories; }
    QString copiedKaomoji() const { return m_copiedKaomoji.value_or(QString()); }
    bool hasCopiedKaomoji() const { return m_copiedKaomoji.has_value(); }
    QString copiedNote() const { return m_copiedNote; }
    // On: a copy also hides the window and pastes into the one the user was typing in.
    void setPasteAfterCopy(bool on) { m_pasteAfterCopy = on; }
    QString lastClickedKaomoji() const { return m_lastClickedKaomoji.value_or(QString()); }
    bool hasLastClickedKaomoji() const { return m_lastClickedKaomoji.has_value(); }
    bool isVisible() const { return m_isVisible; }
    bool showingCustomForm() const { return m_showingCustomForm; }
    void setShowingCustomForm(bool showing);
    QString newFace() const { return m_newFace; }
    void setNewFace(const QString &face);
    // Why the form refused the face, until the face is edited.
    QString customFormError() const { return m_customFormError; }
    bool isGeneratingAI() const { return m_isGeneratingAI; }
    QString aiError() const { return m_aiError.value_or(QString()); }
    bool hasAIError() const { return m_aiError.has_value(); }
    FocusedField focusedField() const { return m_focusedField; }
    QString fileMessage() const { return m_fileMessage; }
    void setFocusedField(FocusedField field);

    QStringList orderedCategories() const;
    bool hasCustomKaomojis() const { return m_hasCustomKaomojis; }
    bool hasRecentlyUsedKaomojis() const { return m_hasRecentlyUsedKaomojis; }
    bool hasResults() const { return m_hasResults; }
    QString mostRecentAIKaomojiId() const;
    KaomojiSectionsModel *sections() const { return m_sections; }
    KaomojiRowsModel *rows() const { return m_rows; }
    bool screenReaderActive() const { return m_screenReaderActive; }

    KaomojiData &kaomojiData() const { return *m_kaomojiData; }
    // Where generation requests go; the configured service unless a test points elsewhere.
    void setGenerationEndpoint(const QUrl &endpoint) { m_generationEndpoint = endpoint; }

    // A chip's or a section's name as the user reads it; `category` stays the key.
    Q_INVOKABLE QString categoryName(const QString &category) const;
    // What a screen reader says of a tile after its face: its category's name and its tags.
    Q_INVOKABLE QString kaomojiDescription(const QString &sectionName, const QString &id) const;
    Q_INVOKABLE void submitSearch();
    Q_INVOKABLE void wandAction();
    Q_INVOKABLE void generateAIKaomoji();
    Q_INVOKABLE void submitCustomForm();
    Q_INVOKABLE void toggleCategory(const QString &name);
    Q_INVOKABLE void clearRecentlyUsed();
    Q_INVOKABLE void deleteKaomoji(const QString &id);
    Q_INVOKABLE void donate();
    Q_INVOKABLE void quit();
    Q_INVOKABLE void copyKaomoji(const QString &sectionName, const QString &id);
    // The user's own kaomoji from a file of theirs, JSON or text (KaomojiFile), and to a new
    // JSON file "kaomoji.json" ("kaomoji-2.json" and so on beside older ones) in a folder.
    Q_INVOKABLE void importKaomojiFile(const QUrl &file);
    Q_INVOKABLE void exportKaomojiFile(const QUrl &folder);
    Q_INVOKABLE void appear();
    Q_INVOKABLE void dismiss();
    Q_INVOKABLE void pushPointingHand();
    Q_INVOKABLE void popPointingHand();

signals:
    void searchTextChanged();
    void selectedCategoriesChanged();
    void copiedKaomojiChanged();
    void lastClickedKaomojiChanged();
    void isVisibleChanged();
    void showingCustomFormChanged();
    void newFaceChanged();
    void customFormErrorChanged();
    void isGeneratingAIChanged();
    void aiErrorChanged();
    void focusedFieldChanged();
    void fileMessageChanged();
    void hasCustomKaomojisChanged();
    void hasRecentlyUsedKaomojisChanged();
    void hasResultsChanged();
    void mostRecentAIKaomojiIdChanged();
    void screenReaderActiveChanged();
    // Every delayed focus step, also when focusedField already names the field: the user
    // may have clicked elsewhere since.
    void focusRequested(KaomojiView::FocusedField field);
    void dismissRequested();

private:
    void accessibilityActiveChanged(bool active) override;
    void setSelectedCategorySet(const QSet<QString> &names);
    void setCopiedKaomoji(std::optional<QString> face, const QString &note = {});
    void setLastClickedKaomoji(std::optional<QString> face);
    void setIsVisible(bool visible);
    void setCustomFormError(const QString &message);
    void setIsGeneratingAI(bool generating);
    void setAIError(std::optional<QString> message);
    void setFocusLater(FocusedField field);
    void showFileMessage(const QString &message);
    void requestGeneration(const QString &prompt);
    void finishGeneration(const GenerationResult &result);
    void selectCustomIfFiltering();
    void unselectCustomIfAsked();
    void refreshResults();
    void refreshListFlags();
    void flash(const QString &sectionName, QUuid id);

    PlatformServices m_platform;
    KaomojiData *m_kaomojiData;
    KaomojiSectionsModel *m_sections;
    KaomojiRowsModel *m_rows;
    QUrl m_generationEndpoint;
    GenerationServiceStarter *m_serviceStarter;

    QString m_searchText;
    QSet<QString> m_selectedCategories;
    std::optional<QString> m_copiedKaomoji;
    QString m_copiedNote;
    bool m_pasteAfterCopy = false;
    bool m_pasteProblemTold = false;
    std::optional<QString> m_lastClickedKaomoji;
    bool m_isVisible = false;
    bool m_showingCustomForm = false;
    QString m_newFace;
    QString m_customFormError;
    bool m_isGeneratingAI = false;
    std::optional<QString> m_aiError;
    FocusedField m_focusedField = None;
    QString m_fileMessage;

    bool m_hasCustomKaomojis = false;
    bool m_hasRecentlyUsedKaomojis = false;
    bool m_hasResults = false;
    bool m_screenReaderActive = false;
};
