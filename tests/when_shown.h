#pragma once
// Acting on a modal window that a click or a call is about to open: the action is queued first and
// runs inside the window's own event loop once the window is there.

#include <QTimer>
#include <functional>

namespace voltrane {

// Runs `act` on what `find` returns as soon as it returns something, polling from the event loop a
// bounded number of times. `giveUp` runs instead when it never does, so that a flow fails rather
// than waits forever.
template <typename Widget>
void WhenShown(std::function<Widget*()> find, std::function<void(Widget*)> act,
               std::function<void()> giveUp = {}, int triesLeft = 1000) {
    QTimer::singleShot(0, [find, act, giveUp, triesLeft] {
        if (Widget* widget = find()) return act(widget);
        if (triesLeft > 0) return WhenShown(find, act, giveUp, triesLeft - 1);
        if (giveUp) giveUp();
    });
}

}  // namespace voltrane
