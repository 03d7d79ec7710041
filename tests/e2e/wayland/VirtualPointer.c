// pelmora-virtual-pointer: a mouse for a headless wlroots compositor (sway). The device gives the
// seat its pointer capability, so that `swaymsg seat seat0 cursor set|press|release` reaches the
// clients; those commands send no frame event, which clients wait for before they act, so each
// line on standard input sends one. It prints "ready" once the device exists and "done" after
// each frame, and ends when its input closes.

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <stdio.h>
#include <string.h>
#include <wayland-client.h>

static struct wl_seat *seat;
static struct zwlr_virtual_pointer_manager_v1 *manager;

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface,
    uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, wl_seat_interface.name) == 0)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    else if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void global_remove(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

int main(void)
{
    struct wl_display *display = wl_display_connect(NULL);
    if (!display) {
        fputs("pelmora-virtual-pointer: cannot reach the Wayland display\n", stderr);
        return 1;
    }
    static const struct wl_registry_listener listener = { global, global_remove };
    wl_registry_add_listener(wl_display_get_registry(display), &listener, NULL);
    wl_display_roundtrip(display);
    if (!seat || !manager) {
        fputs("pelmora-virtual-pointer: the compositor offers no virtual pointers\n", stderr);
        return 1;
    }
    struct zwlr_virtual_pointer_v1 *pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    wl_display_roundtrip(display);
    puts("ready");
    fflush(stdout);

    // Each line asks for one frame, which ends the pointer events that swaymsg made.
    char line[128];
    while (fgets(line, sizeof line, stdin)) {
        zwlr_virtual_pointer_v1_frame(pointer);
        wl_display_roundtrip(display);
        puts("done");
        fflush(stdout);
    }
    wl_display_disconnect(display);
    return 0;
}
