/* Pointer and keys for the Wayland session tests, by the compositor's own means: KWin's
 * fake-input protocol (KWin lets any client use it when started with
 * KWIN_WAYLAND_NO_PERMISSION_CHECKS=1), or wlroots' virtual pointer and virtual keyboard (sway).
 *
 *   huebird_wlfakeinput [--extent W H]
 *       reads commands on stdin, one a line, and answers each with "ok" once the compositor has
 *       handled it (or "error WHY"); says "ready kwin" or "ready wlroots" first:
 *         abs X Y             the pointer to desktop (X, Y)
 *         rel DX DY           the pointer by (DX, DY)
 *         button CODE 1|0     presses or releases a button (Linux codes: 272 left, 273 right)
 *         key CODE 1|0        presses or releases a key (Linux key codes; Shift, Control, Alt
 *                             and Super hold their modifier while down)
 *       W x H is the size of the whole desktop, which wlroots' absolute motion is a fraction of
 *       (1280 x 1024 unless given).
 *
 * One process, and one device, serves a whole session: a button pressed stays pressed by the
 * same device until it is released. On sway 1.7 (wlroots 0.15) it must: destroying a virtual
 * pointer crashes the compositor. The virtual keyboard has one keymap (US) for the whole session:
 * a tool that brings a keymap of its own with every key (wtype) changes the X server's keymap
 * under the X11 programs' feet, and they read the key with the wrong one.
 */
#define _GNU_SOURCE
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>

#include "fake-input-client-protocol.h"

/* wlroots' virtual pointer protocol (zwlr_virtual_pointer_manager_v1 and zwlr_virtual_pointer_v1,
 * version 1), described here by hand because Debian ships no client files for it. The requests
 * are listed in the protocol's order, which gives their numbers. */
static const struct wl_interface virtual_pointer_interface;
static const struct wl_interface* no_types[] = {NULL, NULL, NULL, NULL, NULL};
static const struct wl_interface* create_types[] = {&wl_seat_interface, &virtual_pointer_interface};
static const struct wl_message virtual_pointer_requests[] = {
    {"motion", "uff", no_types},   {"motion_absolute", "uuuuu", no_types},
    {"button", "uuu", no_types},   {"axis", "uuf", no_types},
    {"frame", "", no_types},       {"axis_source", "u", no_types},
    {"axis_stop", "uu", no_types}, {"axis_discrete", "uufi", no_types},
    {"destroy", "", no_types},
};
enum { VP_MOTION, VP_MOTION_ABSOLUTE, VP_BUTTON, VP_AXIS, VP_FRAME };
static const struct wl_interface virtual_pointer_interface = {"zwlr_virtual_pointer_v1", 1, 9,
                                                              virtual_pointer_requests,  0, NULL};
static const struct wl_message virtual_pointer_manager_requests[] = {
    {"create_virtual_pointer", "?on", create_types},
    {"destroy", "", no_types},
};
static const struct wl_interface virtual_pointer_manager_interface = {
    "zwlr_virtual_pointer_manager_v1", 1, 2, virtual_pointer_manager_requests, 0, NULL};

/* wlroots' virtual keyboard (zwp_virtual_keyboard_manager_v1 and zwp_virtual_keyboard_v1,
 * version 1), likewise. */
static const struct wl_interface virtual_keyboard_interface;
static const struct wl_interface* keyboard_create_types[] = {&wl_seat_interface,
                                                             &virtual_keyboard_interface};
static const struct wl_message virtual_keyboard_requests[] = {
    {"keymap", "uhu", no_types},
    {"key", "uuu", no_types},
    {"modifiers", "uuuu", no_types},
    {"destroy", "", no_types},
};
enum { VK_KEYMAP, VK_KEY, VK_MODIFIERS };
static const struct wl_interface virtual_keyboard_interface = {"zwp_virtual_keyboard_v1", 1, 4,
                                                               virtual_keyboard_requests, 0, NULL};
static const struct wl_message virtual_keyboard_manager_requests[] = {
    {"create_virtual_keyboard", "on", keyboard_create_types},
};
static const struct wl_interface virtual_keyboard_manager_interface = {
    "zwp_virtual_keyboard_manager_v1", 1, 1, virtual_keyboard_manager_requests, 0, NULL};

/* The US layout on a PC keyboard, as the compositor's keymap compiler resolves it. */
static const char keymap_text[] =
    "xkb_keymap {\n"
    "  xkb_keycodes { include \"evdev+aliases(qwerty)\" };\n"
    "  xkb_types { include \"complete\" };\n"
    "  xkb_compat { include \"complete\" };\n"
    "  xkb_symbols { include \"pc+us+inet(evdev)\" };\n"
    "};\n";

static struct org_kde_kwin_fake_input* fake;
static uint32_t fake_version;
static struct wl_proxy* pointer_manager;
static struct wl_proxy* pointer;
static struct wl_proxy* keyboard_manager;
static struct wl_proxy* keyboard;
static struct wl_seat* seat;
static uint32_t modifiers; /* the modifiers held down, as the keymap's mask */
static uint32_t extent_w = 1280, extent_h = 1024;

static void global_added(void* data, struct wl_registry* registry, uint32_t name,
                         const char* interface, uint32_t version) {
    (void)data;
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0) {
        fake_version = version < 4 ? version : 4;
        fake = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, fake_version);
    } else if (strcmp(interface, virtual_pointer_manager_interface.name) == 0) {
        pointer_manager = wl_registry_bind(registry, name, &virtual_pointer_manager_interface, 1);
    } else if (strcmp(interface, virtual_keyboard_manager_interface.name) == 0) {
        keyboard_manager = wl_registry_bind(registry, name, &virtual_keyboard_manager_interface, 1);
    } else if (strcmp(interface, wl_seat_interface.name) == 0 && !seat) {
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    }
}

static void global_removed(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = {global_added, global_removed};

static uint32_t now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (uint32_t)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

static const char* run_kwin(const char* verb, double a, double b) {
    if (strcmp(verb, "abs") == 0) {
        if (fake_version < 3) return "absolute motion needs version 3";
        org_kde_kwin_fake_input_pointer_motion_absolute(fake, wl_fixed_from_double(a),
                                                        wl_fixed_from_double(b));
    } else if (strcmp(verb, "rel") == 0) {
        org_kde_kwin_fake_input_pointer_motion(fake, wl_fixed_from_double(a),
                                               wl_fixed_from_double(b));
    } else if (strcmp(verb, "button") == 0) {
        org_kde_kwin_fake_input_button(
            fake, (uint32_t)a,
            b != 0 ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED);
    } else if (strcmp(verb, "key") == 0) {
        if (fake_version < 4) return "keys need version 4";
        org_kde_kwin_fake_input_keyboard_key(
            fake, (uint32_t)a,
            b != 0 ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    } else {
        return "unknown command";
    }
    return NULL;
}

static const char* run_wlroots(const char* verb, double a, double b) {
    if (strcmp(verb, "abs") == 0) {
        if (a < 0 || b < 0 || a > extent_w || b > extent_h) return "outside the desktop";
        wl_proxy_marshal_flags(pointer, VP_MOTION_ABSOLUTE, NULL, 1, 0, now_ms(), (uint32_t)a,
                               (uint32_t)b, extent_w, extent_h);
    } else if (strcmp(verb, "rel") == 0) {
        wl_proxy_marshal_flags(pointer, VP_MOTION, NULL, 1, 0, now_ms(), wl_fixed_from_double(a),
                               wl_fixed_from_double(b));
    } else if (strcmp(verb, "button") == 0) {
        wl_proxy_marshal_flags(pointer, VP_BUTTON, NULL, 1, 0, now_ms(), (uint32_t)a,
                               (uint32_t)(b != 0 ? WL_POINTER_BUTTON_STATE_PRESSED
                                                 : WL_POINTER_BUTTON_STATE_RELEASED));
    } else if (strcmp(verb, "key") == 0) {
        if (!keyboard) return "the compositor offers no virtual keyboard";
        /* wlroots takes the modifiers from the client, not from the keys. */
        const uint32_t code = (uint32_t)a;
        uint32_t mask = 0;
        if (code == 42 || code == 54)
            mask = 1; /* Shift */
        else if (code == 29 || code == 97)
            mask = 4; /* Control */
        else if (code == 56 || code == 100)
            mask = 8; /* Alt (Mod1) */
        else if (code == 125 || code == 126)
            mask = 64; /* Super (Mod4) */
        wl_proxy_marshal_flags(
            keyboard, VK_KEY, NULL, 1, 0, now_ms(), code,
            (uint32_t)(b != 0 ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED));
        if (mask) {
            modifiers = b != 0 ? modifiers | mask : modifiers & ~mask;
            wl_proxy_marshal_flags(keyboard, VK_MODIFIERS, NULL, 1, 0, modifiers, 0u, 0u, 0u);
        }
        return NULL;
    } else {
        return "unknown command";
    }
    wl_proxy_marshal_flags(pointer, VP_FRAME, NULL, 1, 0);
    return NULL;
}

int main(int argc, char** argv) {
    if (argc == 4 && strcmp(argv[1], "--extent") == 0) {
        extent_w = (uint32_t)strtoul(argv[2], NULL, 10);
        extent_h = (uint32_t)strtoul(argv[3], NULL, 10);
    } else if (argc != 1) {
        fprintf(stderr, "usage: huebird_wlfakeinput [--extent W H]\n");
        return 2;
    }
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "huebird_wlfakeinput: cannot connect to the compositor\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    const char* kind;
    if (fake) {
        org_kde_kwin_fake_input_authenticate(fake, "huebird tests", "input for the tests");
        kind = "kwin";
    } else if (pointer_manager) {
        pointer = wl_proxy_marshal_flags(pointer_manager, 0, &virtual_pointer_interface, 1, 0, NULL,
                                         NULL);
        if (keyboard_manager && seat) {
            keyboard = wl_proxy_marshal_flags(keyboard_manager, 0, &virtual_keyboard_interface, 1,
                                              0, seat, NULL);
            const int fd = memfd_create("keymap", MFD_CLOEXEC);
            if (fd < 0 || write(fd, keymap_text, sizeof keymap_text) != sizeof keymap_text) {
                fprintf(stderr, "huebird_wlfakeinput: cannot hand over the keymap\n");
                return 1;
            }
            wl_proxy_marshal_flags(keyboard, VK_KEYMAP, NULL, 1, 0, 1u /* xkb_v1 */, fd,
                                   (uint32_t)sizeof keymap_text);
            close(fd);
        }
        kind = "wlroots";
    } else {
        fprintf(stderr, "huebird_wlfakeinput: the compositor offers no way to fake input\n");
        return 1;
    }
    if (wl_display_roundtrip(display) < 0) return 1;
    printf("ready %s\n", kind);
    fflush(stdout);

    char line[256];
    while (fgets(line, sizeof line, stdin)) {
        char verb[16];
        double a = 0, b = 0;
        const char* why = "expected: VERB A B";
        if (sscanf(line, "%15s %lf %lf", verb, &a, &b) == 3)
            why = fake ? run_kwin(verb, a, b) : run_wlroots(verb, a, b);
        /* The round trip returns once the compositor has handled everything sent before it. */
        if (wl_display_roundtrip(display) < 0) {
            printf("error the compositor went away\n");
            return 1;
        }
        if (why)
            printf("error %s\n", why);
        else
            printf("ok\n");
        fflush(stdout);
    }
    /* The device is left to the end of the connection, never destroyed by a request: see above. */
    wl_display_disconnect(display);
    return 0;
}
