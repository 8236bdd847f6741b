/* Presses keys in KWin as a keyboard would, through its fake-input protocol, so they go the
 * whole way a real key goes: the compositor's keyboard layout, then its global shortcuts.
 * KWin grants the protocol only to clients it trusts, or to any when it runs with
 * KWIN_WAYLAND_NO_PERMISSION_CHECKS=1.
 *   kwinkeys CODE:STATE...   (evdev key codes; STATE 1 down, 0 up)
 * Each event is handled by KWin before the next is sent, and before the program ends. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wayland-client.h>

#include "fake-input-client-protocol.h"

static struct org_kde_kwin_fake_input* fake;

static void announce(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                     uint32_t version) {
    (void)data;
    /* keyboard_key came with version 4. */
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
        fake = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4);
}

static void withdraw(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener listener = {announce, withdraw};

int main(int argc, char** argv) {
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "kwinkeys: no Wayland display (WAYLAND_DISPLAY=%s)\n",
                getenv("WAYLAND_DISPLAY") ? getenv("WAYLAND_DISPLAY") : "");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, NULL);
    wl_display_roundtrip(display);
    if (!fake) {
        fprintf(stderr, "kwinkeys: the compositor offers no fake input (version 4)\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(fake, "huebird tests", "pressing keys in tests");
    for (int i = 1; i < argc; ++i) {
        unsigned code = 0, state = 0;
        char end = 0;
        if (sscanf(argv[i], "%u:%u%c", &code, &state, &end) != 2 || state > 1) {
            fprintf(stderr, "kwinkeys: %s is not CODE:STATE\n", argv[i]);
            return 2;
        }
        org_kde_kwin_fake_input_keyboard_key(fake, code, state);
        if (wl_display_roundtrip(display) < 0) {
            fprintf(stderr, "kwinkeys: the compositor closed the connection\n");
            return 1;
        }
    }
    org_kde_kwin_fake_input_destroy(fake);
    wl_display_disconnect(display);
    return 0;
}
