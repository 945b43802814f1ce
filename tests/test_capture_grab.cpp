#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/capture_grab.h"

namespace voltrane {
namespace {

using Event = CaptureGrab::Event;
using Step = CaptureGrab::Step;

// One thing that happens to a capture dialog: an event of its window and the step it must call for,
// or an answer of the window system (to a Take, or a later change of mind).
struct Move {
    enum Kind { WindowEvent, Answer, Change } kind;
    Event event = Event::Shown;
    Step step = Step::Keep;
    bool granted = false;
};

Move On(Event event, Step step) { return {Move::WindowEvent, event, step}; }
Move Answer(bool granted) { return {Move::Answer, Event::Shown, Step::Keep, granted}; }
Move Change(bool granted) { return {Move::Change, Event::Shown, Step::Keep, granted}; }

// A dialog shown, refused by the window system (an X11 window that is not yet mapped), then activated
// and granted the grab: the usual way in.
const std::vector<Move> kOpened = {On(Event::Shown, Step::Take), Answer(false),
                                   On(Event::Activated, Step::Take), Answer(true)};

std::vector<Move> Opened(std::vector<Move> then) {
    std::vector<Move> moves = kOpened;
    moves.insert(moves.end(), then.begin(), then.end());
    return moves;
}

TEST(CaptureGrab, StepsAndNote) {
    struct Case {
        std::string name;
        std::vector<Move> moves;
        bool held;
        bool note;
    };
    const Case cases[] = {
        {"refused before activation: no note yet",
         {On(Event::Shown, Step::Take), Answer(false)},
         false,
         false},
        {"granted on activation", kOpened, true, false},
        {"granted at once: activation asks nothing more",
         {On(Event::Shown, Step::Take), Answer(true), On(Event::Activated, Step::Keep)},
         true,
         false},
        {"no grab to be had: the note while active",
         {On(Event::Shown, Step::Take), Answer(false), On(Event::Activated, Step::Take), Answer(false)},
         false,
         true},
        {"the compositor withdraws the grab: the note", Opened({Change(false)}), false, true},
        {"the compositor grants it again: no note", Opened({Change(false), Change(true)}), true, false},
        {"withdrawn, focus lost and back: not asked again, the note stays",
         Opened({Change(false), On(Event::Deactivated, Step::Release), On(Event::Activated, Step::Keep)}),
         false, true},
        {"withdrawn, then its own box closed: not asked again",
         Opened({Change(false), On(Event::Suspended, Step::Release), On(Event::Resumed, Step::Keep)}),
         false, true},
        {"withdrawn, then shown anew: asked again",
         Opened(
             {Change(false), On(Event::Hidden, Step::Release), On(Event::Shown, Step::Take), Answer(true)}),
         true, false},
        {"focus lost: let go, no note", Opened({On(Event::Deactivated, Step::Release)}), false, false},
        {"focus back: taken again",
         Opened({On(Event::Deactivated, Step::Release), On(Event::Activated, Step::Take), Answer(true)}),
         true, false},
        {"refused, then focus lost: let go, no note",
         {On(Event::Shown, Step::Take), Answer(false), On(Event::Activated, Step::Take), Answer(false),
          On(Event::Deactivated, Step::Release)},
         false,
         false},
        {"a change of mind after letting go is not a grab",
         Opened({On(Event::Deactivated, Step::Release), Change(true)}), false, false},
        {"hidden: let go once", Opened({On(Event::Hidden, Step::Release), On(Event::Hidden, Step::Keep)}),
         false, false},
        {"a box of its own: let go, not taken on activation until it closes",
         Opened({On(Event::Suspended, Step::Release), On(Event::Deactivated, Step::Keep),
                 On(Event::Activated, Step::Keep), On(Event::Resumed, Step::Take), Answer(true)}),
         true, false},
        {"a box of its own: no note while it is open", Opened({On(Event::Suspended, Step::Release)}), false,
         false},
        {"disarmed: let go, no note", Opened({On(Event::Disarmed, Step::Release)}), false, false},
        {"disarmed, refused before: the note goes",
         {On(Event::Shown, Step::Take), Answer(false), On(Event::Activated, Step::Take), Answer(false),
          On(Event::Disarmed, Step::Release)},
         false,
         false},
        {"disarmed: focus back asks nothing",
         Opened({On(Event::Disarmed, Step::Release), On(Event::Deactivated, Step::Keep),
                 On(Event::Activated, Step::Keep)}),
         false, false},
        {"armed again: taken again",
         Opened({On(Event::Disarmed, Step::Release), On(Event::Armed, Step::Take), Answer(true)}), true,
         false},
        {"armed while its own box is open: taken when it closes",
         Opened({On(Event::Disarmed, Step::Release), On(Event::Suspended, Step::Keep),
                 On(Event::Armed, Step::Keep), On(Event::Resumed, Step::Take), Answer(true)}),
         true, false},
        {"armed again before being shown: nothing asked",
         {On(Event::Disarmed, Step::Keep), On(Event::Armed, Step::Keep)},
         false,
         false},
        {"never shown: nothing asked",
         {On(Event::Activated, Step::Keep), On(Event::Suspended, Step::Keep),
          On(Event::Resumed, Step::Keep), On(Event::Deactivated, Step::Keep),
          On(Event::Hidden, Step::Keep)},
         false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CaptureGrab grab;
        for (size_t i = 0; i < c.moves.size(); ++i) {
            const Move& move = c.moves[i];
            if (move.kind == Move::WindowEvent) {
                EXPECT_EQ(grab.On(move.event), move.step) << "move " << i;
            } else if (move.kind == Move::Answer) {
                grab.Answered(move.granted);
            } else {
                grab.Changed(move.granted);
            }
        }
        EXPECT_EQ(grab.Held(), c.held);
        EXPECT_EQ(grab.ShowsNote(), c.note);
    }
}

}  // namespace
}  // namespace voltrane
