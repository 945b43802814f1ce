/* The keymap the test's keyboards type on, and chords turned into its keys. */
#pragma once
#include <xkbcommon/xkbcommon.h>

/* The standard keymap (rules evdev, model pc105, layout us), built by xkbcommon; NULL when it cannot
 * be. */
struct xkb_keymap* standard_keymap(struct xkb_context* context);

/* Splits CHORD in place: key names joined by '+' (xkbcommon's keysym names, e.g. "Alt_L+F4"), each
 * the xkb keycode whose first level gives it in `keymap`, stored in `codes` (room for `max`). Returns
 * the number of keys; on a name the keymap lacks, or one key too many, returns -1 with `*unknown` that
 * name. */
int chord_keycodes(struct xkb_keymap* keymap, char* chord, xkb_keycode_t* codes, int max,
                   const char** unknown);
