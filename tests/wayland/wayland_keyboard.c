/* A virtual keyboard for the Wayland test, through the compositor's virtual-keyboard protocol. It
 * uploads the standard keymap (rules evdev, model pc105, layout us) and then types the chords it reads
 * from standard input, one a line: key names joined by '+' (xkbcommon's keysym names, e.g.
 * "Super_L+Return", "Escape"), pressed in order and released in reverse, each key as the evdev
 * keycode that gives its keysym in the standard keymap, followed by the modifiers it leaves held.
 * It answers each line, once the compositor has taken its keys, with the line itself, or with
 * "unknown NAME" for a name the keymap does not have. The keyboard stays on the seat until standard
 * input ends, so that clients keep the keyboard they bound and its keymap.
 * Exits 1 when the compositor lacks the protocol or the keymap cannot be built. */
#define _GNU_SOURCE
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>
#include <xkbcommon/xkbcommon.h>

#include "standard_keymap.h"
#include "test_client.h"
#include "virtual-keyboard-client-protocol.h"

enum { kMaxChord = 8, kEvdevOffset = 8 /* xkb keycodes are evdev keycodes plus 8 */ };

static struct zwp_virtual_keyboard_manager_v1* manager;
static struct wl_seat* seat;

static void global(struct wl_registry* registry, uint32_t name, const char* interface) {
    if (strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1);
    else if (strcmp(interface, wl_seat_interface.name) == 0 && !seat)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
}

/* Hands the keymap to the compositor as its text in a memory file; returns 0 on failure. */
static int upload_keymap(struct zwp_virtual_keyboard_v1* keyboard, struct xkb_keymap* keymap) {
    char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    if (!text) return 0;
    const size_t size = strlen(text) + 1;
    const int fd = memfd_create("voltrane-test-keymap", MFD_CLOEXEC);
    const int written = fd >= 0 && write(fd, text, size) == (ssize_t)size;
    free(text);
    if (written) zwp_virtual_keyboard_v1_keymap(keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, size);
    if (fd >= 0) close(fd);
    return written;
}

/* One key's press or release, then the modifiers it leaves. */
static void send_key(struct zwp_virtual_keyboard_v1* keyboard, struct xkb_state* state, xkb_keycode_t code,
                     int pressed) {
    zwp_virtual_keyboard_v1_key(keyboard, now_ms(), code - kEvdevOffset,
                                pressed ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    xkb_state_update_key(state, code, pressed ? XKB_KEY_DOWN : XKB_KEY_UP);
    zwp_virtual_keyboard_v1_modifiers(keyboard, xkb_state_serialize_mods(state, XKB_STATE_MODS_DEPRESSED),
                                      xkb_state_serialize_mods(state, XKB_STATE_MODS_LATCHED),
                                      xkb_state_serialize_mods(state, XKB_STATE_MODS_LOCKED),
                                      xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_EFFECTIVE));
}

/* Types one chord (the line without its newline); returns the name it does not know, or NULL. */
static const char* type_chord(struct zwp_virtual_keyboard_v1* keyboard, struct xkb_keymap* keymap,
                              struct xkb_state* state, char* chord) {
    xkb_keycode_t codes[kMaxChord];
    const char* unknown = NULL;
    const int count = chord_keycodes(keymap, chord, codes, kMaxChord, &unknown);
    if (count < 0) return unknown;
    for (int i = 0; i < count; ++i) send_key(keyboard, state, codes[i], 1);
    for (int i = count - 1; i >= 0; --i) send_key(keyboard, state, codes[i], 0);
    return NULL;
}

static int type_lines(struct wl_display* display, struct zwp_virtual_keyboard_v1* keyboard,
                      struct xkb_keymap* keymap) {
    struct xkb_state* state = xkb_state_new(keymap);
    char line[256];
    while (fgets(line, sizeof line, stdin)) {
        line[strcspn(line, "\n")] = '\0';
        char chord[sizeof line];
        strcpy(chord, line);
        const char* unknown = type_chord(keyboard, keymap, state, chord);
        wl_display_roundtrip(display);
        if (unknown)
            printf("unknown %s\n", unknown);
        else
            printf("%s\n", line);
        fflush(stdout);
    }
    xkb_state_unref(state);
    return 0;
}

int main(void) {
    struct wl_display* display = connect_with_globals(global);
    if (!display) return 1;
    if (!manager || !seat) {
        fprintf(stderr, "the compositor has no virtual keyboard or no seat\n");
        return 1;
    }
    struct xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    struct xkb_keymap* keymap = context ? standard_keymap(context) : NULL;
    struct zwp_virtual_keyboard_v1* keyboard =
        zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(manager, seat);
    if (!keymap || !upload_keymap(keyboard, keymap)) {
        fprintf(stderr, "the standard keymap cannot be built\n");
        return 1;
    }
    wl_display_roundtrip(display);
    const int status = type_lines(display, keyboard, keymap);
    zwp_virtual_keyboard_v1_destroy(keyboard);
    wl_display_roundtrip(display);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    wl_display_disconnect(display);
    return status;
}
