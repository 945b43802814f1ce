/* A launcher for the Wayland tests, as a dock or a terminal is one: a window of its own that, on the
 * user's key press or click while it has the focus, asks the compositor for an activation token with
 * its surface and that input's serial (xdg_activation_v1), to hand to the program it starts.
 * It shows a plain 320 x 200 window titled "launcher", prints each token it gets on a line of its own,
 * and runs until it is ended.
 * Exits 1 when the compositor lacks a protocol it needs or the window cannot be drawn. */
#define _GNU_SOURCE
#include <stdio.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>

#include "test_client.h"
#include "xdg-activation-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

enum { kWidth = 320, kHeight = 200 };
static const uint32_t kColour = 0xffc08040; /* an opaque orange */

static struct wl_compositor* compositor;
static struct wl_shm* shm;
static struct xdg_wm_base* wm_base;
static struct wl_seat* seat;
static struct xdg_activation_v1* activation;
static struct wl_surface* surface;
static struct wl_buffer* buffer;

static void global(struct wl_registry* registry, uint32_t name, const char* interface) {
    if (strcmp(interface, wl_compositor_interface.name) == 0)
        compositor = wl_registry_bind(registry, name, &wl_compositor_interface, 1);
    else if (strcmp(interface, wl_shm_interface.name) == 0)
        shm = wl_registry_bind(registry, name, &wl_shm_interface, 1);
    else if (strcmp(interface, xdg_wm_base_interface.name) == 0)
        wm_base = wl_registry_bind(registry, name, &xdg_wm_base_interface, 1);
    else if (strcmp(interface, wl_seat_interface.name) == 0 && !seat)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    else if (strcmp(interface, xdg_activation_v1_interface.name) == 0)
        activation = wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1);
}

/* The window's picture: one colour, in shared memory; NULL when it cannot be made. */
static struct wl_buffer* plain_buffer(void) {
    const int stride = kWidth * 4, size = stride * kHeight;
    const int fd = memfd_create("voltrane-test-launcher", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, size) != 0) return NULL;
    uint32_t* pixels = mmap(NULL, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (pixels == MAP_FAILED) {
        close(fd);
        return NULL;
    }
    for (int i = 0; i < kWidth * kHeight; ++i) pixels[i] = kColour;
    munmap(pixels, size);
    struct wl_shm_pool* pool = wl_shm_create_pool(shm, fd, size);
    struct wl_buffer* plain =
        wl_shm_pool_create_buffer(pool, 0, kWidth, kHeight, stride, WL_SHM_FORMAT_ARGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    return plain;
}

static void ping(void* data, struct xdg_wm_base* base, uint32_t serial) {
    (void)data;
    xdg_wm_base_pong(base, serial);
}
static const struct xdg_wm_base_listener wm_base_listener = {ping};

static void surface_configure(void* data, struct xdg_surface* xdg_surface, uint32_t serial) {
    (void)data;
    xdg_surface_ack_configure(xdg_surface, serial);
    wl_surface_attach(surface, buffer, 0, 0);
    wl_surface_damage(surface, 0, 0, kWidth, kHeight);
    wl_surface_commit(surface);
}
static const struct xdg_surface_listener surface_listener = {surface_configure};

static void token_done(void* data, struct xdg_activation_token_v1* token, const char* text) {
    (void)data;
    printf("%s\n", text);
    fflush(stdout);
    xdg_activation_token_v1_destroy(token);
}
static const struct xdg_activation_token_v1_listener token_listener = {token_done};

/* A token for the input with `serial`, as a launcher asks for one when the user starts a program. */
static void request_token(uint32_t serial) {
    struct xdg_activation_token_v1* token = xdg_activation_v1_get_activation_token(activation);
    xdg_activation_token_v1_add_listener(token, &token_listener, NULL);
    xdg_activation_token_v1_set_serial(token, serial, seat);
    xdg_activation_token_v1_set_surface(token, surface);
    xdg_activation_token_v1_commit(token);
}

static void key(void* data, struct wl_keyboard* keyboard, uint32_t serial, uint32_t time, uint32_t code,
                uint32_t state) {
    (void)data, (void)keyboard, (void)time, (void)code;
    if (state == WL_KEYBOARD_KEY_STATE_PRESSED) request_token(serial);
}
static void keymap(void* data, struct wl_keyboard* keyboard, uint32_t format, int32_t fd, uint32_t size) {
    (void)data, (void)keyboard, (void)format, (void)size;
    close(fd);
}
static void enter(void* data, struct wl_keyboard* keyboard, uint32_t serial, struct wl_surface* entered,
                  struct wl_array* keys) {
    (void)data, (void)keyboard, (void)serial, (void)entered, (void)keys;
}
static void leave(void* data, struct wl_keyboard* keyboard, uint32_t serial, struct wl_surface* left) {
    (void)data, (void)keyboard, (void)serial, (void)left;
}
static void modifiers(void* data, struct wl_keyboard* keyboard, uint32_t serial, uint32_t depressed,
                      uint32_t latched, uint32_t locked, uint32_t group) {
    (void)data, (void)keyboard, (void)serial, (void)depressed, (void)latched, (void)locked, (void)group;
}
/* The seat is bound at version 1, which sends no repeat information. */
static const struct wl_keyboard_listener keyboard_listener = {
    .keymap = keymap, .enter = enter, .leave = leave, .key = key, .modifiers = modifiers};

int main(void) {
    struct wl_display* display = connect_with_globals(global);
    if (!display) return 1;
    if (!compositor || !shm || !wm_base || !seat || !activation) {
        fprintf(stderr, "the compositor lacks a protocol the launcher needs\n");
        return 1;
    }
    buffer = plain_buffer();
    if (!buffer) {
        fprintf(stderr, "the launcher's window cannot be drawn\n");
        return 1;
    }
    xdg_wm_base_add_listener(wm_base, &wm_base_listener, NULL);
    wl_keyboard_add_listener(wl_seat_get_keyboard(seat), &keyboard_listener, NULL);
    surface = wl_compositor_create_surface(compositor);
    struct xdg_surface* xdg_surface = xdg_wm_base_get_xdg_surface(wm_base, surface);
    xdg_surface_add_listener(xdg_surface, &surface_listener, NULL);
    struct xdg_toplevel* toplevel = xdg_surface_get_toplevel(xdg_surface);
    xdg_toplevel_set_title(toplevel, "launcher");
    xdg_toplevel_set_app_id(toplevel, "org.voltrane.TestLauncher");
    wl_surface_commit(surface);
    while (wl_display_dispatch(display) >= 0) {
    }
    return 0;
}
