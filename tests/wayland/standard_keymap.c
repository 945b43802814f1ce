#include "standard_keymap.h"

#include <string.h>

struct xkb_keymap* standard_keymap(struct xkb_context* context) {
    const struct xkb_rule_names names = {"evdev", "pc105", "us", "", ""};
    return xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
}

/* The first keycode whose first level in the first layout gives `keysym`; 0 when none does. */
static xkb_keycode_t keycode_of(struct xkb_keymap* keymap, xkb_keysym_t keysym) {
    for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap); code <= xkb_keymap_max_keycode(keymap);
         ++code) {
        const xkb_keysym_t* syms;
        if (xkb_keymap_key_get_syms_by_level(keymap, code, 0, 0, &syms) == 1 && syms[0] == keysym)
            return code;
    }
    return 0;
}

int chord_keycodes(struct xkb_keymap* keymap, char* chord, xkb_keycode_t* codes, int max,
                   const char** unknown) {
    int count = 0;
    for (char* name = strtok(chord, "+"); name; name = strtok(NULL, "+")) {
        const xkb_keysym_t keysym = xkb_keysym_from_name(name, XKB_KEYSYM_NO_FLAGS);
        const xkb_keycode_t code = keysym == XKB_KEY_NoSymbol ? 0 : keycode_of(keymap, keysym);
        if (code == 0 || count == max) {
            *unknown = name;
            return -1;
        }
        codes[count++] = code;
    }
    return count;
}
