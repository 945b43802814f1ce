/* Input and screenshots for the GNOME Shell test, through the shell's own D-Bus interfaces on the
 * session bus: a remote-desktop session of org.gnome.Mutter.RemoteDesktop for the keyboard and the
 * pointer, and org.gnome.Shell.Screenshot for pictures of the screen (the shell takes them only from
 * the screenshot tool's bus name, which this client therefore owns).
 * It answers the commands of remote_commands.h.
 * The remote-desktop session ends with the client, when standard input ends.
 * Exits 1 when the session bus, the shell's interfaces or the bus name cannot be had. */
#include <gio/gio.h>
#include <stdio.h>
#include <string.h>
#include <xkbcommon/xkbcommon.h>

#include "remote_commands.h"

enum { kLeftButton = 0x110 /* BTN_LEFT */, kMaxChord = 8 };

static GDBusConnection* bus;
static char* session_path;
static double pointer_x, pointer_y;

/* Calls METHOD of INTERFACE at PATH of the shell with PARAMETERS (floating, consumed); returns the
 * reply, or NULL with the error printed. */
static GVariant* call(const char* name, const char* path, const char* interface, const char* method,
                      GVariant* parameters) {
    GError* error = NULL;
    GVariant* reply = g_dbus_connection_call_sync(bus, name, path, interface, method, parameters, NULL,
                                                  G_DBUS_CALL_FLAGS_NONE, 10000, NULL, &error);
    if (!reply) {
        fprintf(stderr, "%s.%s: %s\n", interface, method, error->message);
        g_error_free(error);
    }
    return reply;
}

static int session_call(const char* method, GVariant* parameters) {
    GVariant* reply = call("org.gnome.Mutter.RemoteDesktop", session_path,
                           "org.gnome.Mutter.RemoteDesktop.Session", method, parameters);
    if (reply) g_variant_unref(reply);
    return reply != NULL;
}

/* Owns the screenshot tool's bus name, so that the shell takes our screenshots. */
static int own_screenshot_name(void) {
    GVariant* reply = call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                           "RequestName", g_variant_new("(su)", "org.gnome.Screenshot", 4u));
    guint32 result = 0;
    if (reply) {
        g_variant_get(reply, "(u)", &result);
        g_variant_unref(reply);
    }
    return result == 1; /* the primary owner */
}

static int start_session(void) {
    GVariant* reply = call("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop",
                           "org.gnome.Mutter.RemoteDesktop", "CreateSession", NULL);
    if (!reply) return 0;
    g_variant_get(reply, "(o)", &session_path);
    g_variant_unref(reply);
    return session_call("Start", NULL);
}

static int key(char* chord) {
    xkb_keysym_t keysyms[kMaxChord];
    int count = 0;
    for (char* name = strtok(chord, "+"); name; name = strtok(NULL, "+")) {
        if (count == kMaxChord) return 0;
        keysyms[count] = xkb_keysym_from_name(name, XKB_KEYSYM_NO_FLAGS);
        if (keysyms[count] == XKB_KEY_NoSymbol) return 0;
        ++count;
    }
    int ok = count > 0;
    for (int i = 0; i < count && ok; ++i)
        ok = session_call("NotifyKeyboardKeysym", g_variant_new("(ub)", keysyms[i], TRUE));
    for (int i = count - 1; i >= 0; --i)
        ok = session_call("NotifyKeyboardKeysym", g_variant_new("(ub)", keysyms[i], FALSE)) && ok;
    return ok;
}

/* Absolute motion needs a screen-cast stream; relative motion from the corner the pointer is first
 * pushed into does not. */
static int move(double x, double y) {
    static int homed;
    if (!homed) {
        if (!session_call("NotifyPointerMotionRelative", g_variant_new("(dd)", -100000.0, -100000.0)))
            return 0;
        homed = 1;
        pointer_x = pointer_y = 0;
    }
    const int ok = session_call("NotifyPointerMotionRelative", g_variant_new("(dd)", x - pointer_x, y - pointer_y));
    if (ok) pointer_x = x, pointer_y = y;
    return ok;
}

static int shot(const char* file) {
    GVariant* reply = call("org.gnome.Shell.Screenshot", "/org/gnome/Shell/Screenshot",
                           "org.gnome.Shell.Screenshot", "Screenshot",
                           g_variant_new("(bbs)", FALSE, FALSE, file));
    gboolean success = FALSE;
    if (reply) {
        g_variant_get(reply, "(bs)", &success, NULL);
        g_variant_unref(reply);
    }
    return success;
}

static int button(int pressed) {
    return session_call("NotifyPointerButton", g_variant_new("(ib)", kLeftButton, pressed));
}

int main(void) {
    GError* error = NULL;
    bus = g_bus_get_sync(G_BUS_TYPE_SESSION, NULL, &error);
    if (!bus) {
        fprintf(stderr, "no session bus: %s\n", error->message);
        return 1;
    }
    if (!own_screenshot_name() || !start_session()) return 1;
    const struct remote_actions actions = {key, move, button, shot};
    serve_commands(&actions);
    session_call("Stop", NULL);
    return 0;
}
