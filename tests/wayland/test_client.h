/* What the Wayland test's clients share: connecting with the globals they need, and event times. */
#pragma once
#include <stdint.h>
#include <wayland-client.h>

/* Called for each global of the compositor's registry, to bind those the client needs. */
typedef void (*bind_global)(struct wl_registry* registry, uint32_t name, const char* interface);

/* Connects to the compositor named by the environment and hands each global of its registry to
 * `bind` (one round trip). Returns the display; NULL, with a message, when there is none. */
struct wl_display* connect_with_globals(bind_global bind);

/* The time of an input event: the monotonic clock in milliseconds. */
uint32_t now_ms(void);
