#pragma once

#include "Paster.h"

#include <QObject>

class Preferences;
class RemoteDesktopPortal;
struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwp_virtual_keyboard_manager_v1;
struct zwp_virtual_keyboard_v1;

// Pastes on Wayland through the desktop's remote-desktop portal where it has one (GNOME, KDE
// Plasma), else through a virtual keyboard of Pelmora's own (zwp_virtual_keyboard_v1, which
// wlroots compositors such as sway offer) on a connection of its own. No client can see which
// window has the keyboard, so it waits until the picker has lost it, and types
// Shift+Insert: text fields take it for the clipboard, terminals for the primary selection,
// and both hold the face. PasteKeys in Pelmora.conf chooses other keys.
class WaylandPaster final : public QObject, public Paster {
    Q_OBJECT

public:
    explicit WaylandPaster(Preferences &preferences);
    ~WaylandPaster() override;

    QString problem() const override;
    void rememberTarget() override;
    void paste() override;

    // For the registry's listener.
    void announce(wl_registry *registry, uint32_t name, const char *interface);

private:
    void pasteWhenUnfocused(int attemptsLeft);
    // Through the portal, or else the virtual keyboard.
    void typePasteKeys();
    QString typeKeys(const QStringList &names);

    Preferences &m_preferences;
    QString m_problem; // of the virtual keyboard
    RemoteDesktopPortal *m_portal;
    wl_display *m_display = nullptr;
    wl_registry *m_registry = nullptr;
    wl_seat *m_seat = nullptr;
    zwp_virtual_keyboard_manager_v1 *m_manager = nullptr;
    zwp_virtual_keyboard_v1 *m_keyboard = nullptr;
    QStringList m_keymapKeys; // the keys the keyboard's keymap holds
};
