/* A virtual pointer for the Wayland test: moves the compositor's pointer to points of the output and
 * presses and releases its left button there, through the compositor's virtual-pointer protocol.
 * usage: wayland_pointer WIDTH HEIGHT ACTION...  (the output's size in pixels) where each ACTION is
 *   move:X,Y    the pointer to (X, Y)
 *   down / up   the left button pressed / released
 *   click:X,Y   move, down, up
 * Exits 1 when the compositor lacks the protocol or an action is malformed. */
#include <linux/input-event-codes.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "test_client.h"
#include "virtual-pointer-client-protocol.h"

static struct zwlr_virtual_pointer_manager_v1* manager;

static void global(struct wl_registry* registry, uint32_t name, const char* interface) {
    if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void button(struct zwlr_virtual_pointer_v1* pointer, uint32_t state) {
    zwlr_virtual_pointer_v1_button(pointer, now_ms(), BTN_LEFT, state);
    zwlr_virtual_pointer_v1_frame(pointer);
}

/* Sends one action; returns 0 when it is malformed. */
static int act(struct zwlr_virtual_pointer_v1* pointer, unsigned width, unsigned height,
               const char* action) {
    unsigned x, y;
    if (strcmp(action, "down") == 0) {
        button(pointer, WL_POINTER_BUTTON_STATE_PRESSED);
    } else if (strcmp(action, "up") == 0) {
        button(pointer, WL_POINTER_BUTTON_STATE_RELEASED);
    } else if (sscanf(action, "move:%u,%u", &x, &y) == 2 || sscanf(action, "click:%u,%u", &x, &y) == 2) {
        zwlr_virtual_pointer_v1_motion_absolute(pointer, now_ms(), x, y, width, height);
        zwlr_virtual_pointer_v1_frame(pointer);
        if (action[0] == 'c') {
            button(pointer, WL_POINTER_BUTTON_STATE_PRESSED);
            button(pointer, WL_POINTER_BUTTON_STATE_RELEASED);
        }
    } else {
        return 0;
    }
    return 1;
}

int main(int argc, char** argv) {
    unsigned width, height;
    if (argc < 4 || sscanf(argv[1], "%u", &width) != 1 || sscanf(argv[2], "%u", &height) != 1) {
        fprintf(stderr, "usage: wayland_pointer WIDTH HEIGHT ACTION...\n");
        return 1;
    }
    struct wl_display* display = connect_with_globals(global);
    if (!display) return 1;
    if (!manager) {
        fprintf(stderr, "the compositor has no virtual pointer\n");
        return 1;
    }
    struct zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, NULL);
    /* The seat gains a pointer with this one: its clients bind theirs before the first move. */
    wl_display_roundtrip(display);
    usleep(300000);
    int status = 0;
    for (int i = 3; i < argc && status == 0; ++i) {
        if (!act(pointer, width, height, argv[i])) {
            fprintf(stderr, "unknown action %s\n", argv[i]);
            status = 1;
        }
        wl_display_roundtrip(display);
        usleep(50000); /* the client under the pointer handles each action before the next */
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    zwlr_virtual_pointer_manager_v1_destroy(manager);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return status;
}
