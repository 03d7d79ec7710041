#pragma once

#include <QElapsedTimer>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

// The tray item: the title "(•⩊•)" drawn as its icon, a click that toggles the picker, and a
// menu with "Open" (for panels whose clicks only open menus), "Start at Login", "Paste After
// Copy" and "Quit".
class TrayIcon final : public QObject {
    Q_OBJECT

public:
    explicit TrayIcon(QObject *parent = nullptr);

    void show();
    void hide();

    // Where the item sits on screen; empty when the tray does not tell.
    QRect geometry() const;

    QString title() const;
    QMenu *menu() { return &m_menu; }
    void setPasteAfterCopy(bool on) { m_pasteAfterCopy->setChecked(on); }

signals:
    void toggleRequested();
    void openRequested();
    void quitRequested();
    void pasteAfterCopyToggled(bool on);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void redraw();

    QMenu m_menu;
    QAction *m_startAtLogin = nullptr;
    QAction *m_pasteAfterCopy = nullptr;
    QSystemTrayIcon m_icon;
    QElapsedTimer m_sinceTrigger;
};
