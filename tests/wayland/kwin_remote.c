/* Input and screenshots for the KWin test, through KWin's own interfaces: its fake-input Wayland
 * protocol (org_kde_kwin_fake_input) for the keyboard and the pointer, and the D-Bus interface
 * org.kde.KWin.ScreenShot2 on the session bus for pictures of the screen. KWin offers both only to
 * programs whose desktop file names them (X-KDE-Wayland-Interfaces, X-KDE-DBUS-Restricted-Interfaces),
 * which the test writes for this client.
 * It answers the commands of remote_commands.h, its keys those of the standard keymap and its
 * screenshots of the screen's WIDTH x HEIGHT pixels PAM images (RGB_ALPHA).
 * usage: kwin_remote WIDTH HEIGHT
 * Exits 1 when the compositor, the session bus or the standard keymap cannot be had. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <gio/gio.h>
#include <gio/gunixfdlist.h>
#include <linux/input-event-codes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "fake-input-client-protocol.h"
#include "remote_commands.h"
#include "standard_keymap.h"
#include "test_client.h"

enum { kMaxChord = 8, kEvdevOffset = 8 /* xkb keycodes are evdev keycodes plus 8 */ };

/* QImage's formats of 32 bits a pixel: ARGB32 and its kin lie in memory as B, G, R, A, the RGBA8888
 * family as R, G, B, A. */
enum {
    kFormatRgb32 = 4,
    kFormatArgb32 = 5,
    kFormatArgb32Premultiplied = 6,
    kFormatRgbx8888 = 16,
    kFormatRgba8888 = 17,
    kFormatRgba8888Premultiplied = 18
};

static struct org_kde_kwin_fake_input* fake_input;
static struct wl_display* display;
static struct xkb_keymap* keymap;
static GDBusConnection* bus;
static unsigned screen_width, screen_height;

static void global(struct wl_registry* registry, uint32_t name, const char* interface) {
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0)
        fake_input = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4);
}

/* Waits until KWin has handled every request sent; returns 0 when the connection is lost. */
static int taken(void) { return wl_display_roundtrip(display) >= 0; }

static int key(char* chord) {
    xkb_keycode_t codes[kMaxChord];
    const char* unknown = NULL;
    const int count = chord_keycodes(keymap, chord, codes, kMaxChord, &unknown);
    if (count <= 0) return 0;
    for (int i = 0; i < count; ++i)
        org_kde_kwin_fake_input_keyboard_key(fake_input, codes[i] - kEvdevOffset,
                                             WL_KEYBOARD_KEY_STATE_PRESSED);
    for (int i = count - 1; i >= 0; --i)
        org_kde_kwin_fake_input_keyboard_key(fake_input, codes[i] - kEvdevOffset,
                                             WL_KEYBOARD_KEY_STATE_RELEASED);
    return taken();
}

/* Writes `height` rows of `width` pixels of the given QImage format, `stride` bytes apart in `data`,
 * to FILE as a PAM image; returns 0 on failure. */
static int write_pam(const char* file, const unsigned char* data, unsigned width, unsigned height,
                     unsigned stride, unsigned format) {
    const int bgra =
        format == kFormatRgb32 || format == kFormatArgb32 || format == kFormatArgb32Premultiplied;
    const int opaque = format == kFormatRgb32 || format == kFormatRgbx8888;
    FILE* out = fopen(file, "wb");
    if (!out) return 0;
    fprintf(out, "P7\nWIDTH %u\nHEIGHT %u\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n", width,
            height);
    unsigned char* row = malloc((size_t)width * 4);
    for (unsigned y = 0; y < height && row; ++y) {
        const unsigned char* pixel = data + (size_t)y * stride;
        for (unsigned x = 0; x < width; ++x, pixel += 4) {
            row[x * 4 + 0] = bgra ? pixel[2] : pixel[0];
            row[x * 4 + 1] = pixel[1];
            row[x * 4 + 2] = bgra ? pixel[0] : pixel[2];
            row[x * 4 + 3] = opaque ? 255 : pixel[3];
        }
        fwrite(row, 4, width, out);
    }
    free(row);
    return fclose(out) == 0 && row;
}

/* Everything KWin writes into the pipe's read end `fd`, `size` bytes expected; NULL when less came. */
static unsigned char* read_all(int fd, size_t size) {
    unsigned char* data = malloc(size);
    size_t got = 0;
    ssize_t n = 1;
    while (data && got < size && n > 0) {
        n = read(fd, data + got, size - got);
        if (n > 0) got += (size_t)n;
    }
    if (got < size) {
        free(data);
        return NULL;
    }
    return data;
}

static int shot(const char* file) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return 0;
    GUnixFDList* fds = g_unix_fd_list_new_from_array(&ends[1], 1); /* takes the write end */
    GVariantBuilder options;
    g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&options, "{sv}", "include-cursor", g_variant_new_boolean(FALSE));
    g_variant_builder_add(&options, "{sv}", "native-resolution", g_variant_new_boolean(TRUE));
    GError* error = NULL;
    GVariant* reply = g_dbus_connection_call_with_unix_fd_list_sync(
        bus, "org.kde.KWin", "/org/kde/KWin/ScreenShot2", "org.kde.KWin.ScreenShot2", "CaptureArea",
        g_variant_new("(iiuua{sv}h)", 0, 0, screen_width, screen_height, &options, 0),
        G_VARIANT_TYPE("(a{sv})"), G_DBUS_CALL_FLAGS_NONE, 10000, fds, NULL, NULL, &error);
    g_object_unref(fds);
    int ok = 0;
    if (reply) {
        GVariant* results = g_variant_get_child_value(reply, 0);
        guint32 width = 0, height = 0, stride = 0, format = 0;
        g_variant_lookup(results, "width", "u", &width);
        g_variant_lookup(results, "height", "u", &height);
        g_variant_lookup(results, "stride", "u", &stride);
        g_variant_lookup(results, "format", "u", &format);
        unsigned char* data = stride >= width * 4 ? read_all(ends[0], (size_t)stride * height) : NULL;
        ok = data && write_pam(file, data, width, height, stride, format);
        if (!ok)
            fprintf(stderr, "screenshot of %ux%u, stride %u, format %u not read\n", width, height, stride,
                    format);
        free(data);
        g_variant_unref(results);
        g_variant_unref(reply);
    } else {
        fprintf(stderr, "org.kde.KWin.ScreenShot2.CaptureArea: %s\n", error->message);
        g_error_free(error);
    }
    close(ends[0]);
    return ok;
}

static int move(double x, double y) {
    org_kde_kwin_fake_input_pointer_motion_absolute(fake_input, wl_fixed_from_double(x),
                                                    wl_fixed_from_double(y));
    return taken();
}

static int button(int pressed) {
    org_kde_kwin_fake_input_button(
        fake_input, BTN_LEFT, pressed ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED);
    return taken();
}

int main(int argc, char** argv) {
    if (argc != 3 || sscanf(argv[1], "%u", &screen_width) != 1 ||
        sscanf(argv[2], "%u", &screen_height) != 1) {
        fprintf(stderr, "usage: kwin_remote WIDTH HEIGHT\n");
        return 1;
    }
    display = connect_with_globals(global);
    if (!display) return 1;
    if (!fake_input) {
        fprintf(stderr, "KWin offers this client no fake input\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(fake_input, "Voltrane's window test",
                                         "drives the window under test");
    struct xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    keymap = context ? standard_keymap(context) : NULL;
    GError* error = NULL;
    bus = g_bus_get_sync(G_BUS_TYPE_SESSION, NULL, &error);
    if (!keymap || !bus) {
        fprintf(stderr, "no standard keymap or no session bus%s%s\n", error ? ": " : "",
                error ? error->message : "");
        return 1;
    }
    const struct remote_actions actions = {key, move, button, shot};
    serve_commands(&actions);
    org_kde_kwin_fake_input_destroy(fake_input);
    wl_display_roundtrip(display);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    wl_display_disconnect(display);
    return 0;
}
