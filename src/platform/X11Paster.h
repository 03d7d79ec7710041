#pragma once

#include "Paster.h"

#include <QObject>
#include <QStringList>

class Preferences;
struct _XDisplay;

// Pastes on X11 by typing the paste keys through XTest into the window that had the keyboard
// before the picker opened: Ctrl+V, or what terminals take (Ctrl+Shift+V; Shift+Insert for
// xterm and rxvt, which paste the primary selection that is set to the face as well). The user
// may choose other keys in Pelmora.conf: PasteKeys, TerminalPasteKeys.
class X11Paster final : public QObject, public Paster {
    Q_OBJECT

public:
    explicit X11Paster(Preferences &preferences);
    ~X11Paster() override;

    QString problem() const override { return m_problem; }
    void rememberTarget() override;
    void paste() override;

    // The keys that paste into a window of this WM_CLASS (instance and class name), as the
    // user writes them ("Ctrl+Shift+V").
    QString pasteKeys(const QStringList &windowClass) const;

private:
    void pasteWhenFocused(int attemptsLeft);
    unsigned long clientWithClass(unsigned long window, QStringList *windowClass) const;
    QString typeKeys(const QString &keys);

    Preferences &m_preferences;
    _XDisplay *m_display = nullptr;
    QString m_problem;
    unsigned long m_target = 0; // the window with the keyboard before the picker opened
    unsigned long m_targetClient = 0; // its ancestor that carries WM_CLASS
    bool m_focusGivenBack = false;
};
