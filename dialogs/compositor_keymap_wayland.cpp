#include <qpa/qplatformnativeinterface.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <QGuiApplication>
#include <cstring>

#include "dialogs/compositor_keymap.h"
#include "skin/window_system.h"

namespace voltrane {

namespace {

void onKeymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0) {
        void* map = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (map != MAP_FAILED) {
            const char* text = static_cast<const char*>(map);
            static_cast<std::string*>(data)->assign(text, strnlen(text, size));
            munmap(map, size);
        }
    }
    close(fd);
}

// The other events of the keyboard (focus, keys, modifiers, repeat) are Qt's business.
void onEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
void onLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
void onKey(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t) {}
void onModifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void onRepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}

constexpr wl_keyboard_listener kListener{onKeymap, onEnter, onLeave, onKey, onModifiers, onRepeatInfo};

void* integrationResource(const char* name) {
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    return native ? native->nativeResourceForIntegration(QByteArray(name)) : nullptr;
}

}  // namespace

// A keyboard of our own on a queue of our own, so that Qt's queue and its event thread are left alone;
// asked for only where Qt has a keyboard, as a seat without one refuses it with a protocol error.
std::string CompositorKeymap() {
    if (CurrentWindowSystem() != WindowSystem::Wayland) return {};
    auto* display = static_cast<wl_display*>(integrationResource("wl_display"));
    auto* seat = static_cast<wl_seat*>(integrationResource("wl_seat"));
    if (!display || !seat || !integrationResource("wl_keyboard")) return {};
    wl_event_queue* queue = wl_display_create_queue(display);
    auto* seatOnQueue = static_cast<wl_seat*>(wl_proxy_create_wrapper(seat));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(seatOnQueue), queue);
    wl_keyboard* keyboard = wl_seat_get_keyboard(seatOnQueue);
    wl_proxy_wrapper_destroy(seatOnQueue);
    std::string keymap;
    wl_keyboard_add_listener(keyboard, &kListener, &keymap);
    wl_display_roundtrip_queue(display, queue);
    if (wl_keyboard_get_version(keyboard) >= WL_KEYBOARD_RELEASE_SINCE_VERSION) {
        wl_keyboard_release(keyboard);
    } else {
        wl_keyboard_destroy(keyboard);
    }
    wl_event_queue_destroy(queue);
    return keymap;
}

}  // namespace voltrane
