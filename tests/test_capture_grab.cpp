#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/capture_grab.h"

namespace voltrane {
namespace {

using Event = CaptureGrab::Event;
using Step = CaptureGrab::Step;

// One thing that happens to a capture dialog: an event of its window and the step it must call for,
// an answer of the window system (to a Take, or a later one or change of mind), or the wait for a
// pending answer running out.
struct Move {
    enum Kind { WindowEvent, Answer, Change, Overdue } kind;
    Event event = Event::Shown;
    Step step = Step::Keep;
    CaptureGrab::Answer answer = CaptureGrab::Answer::Refused;
};

Move On(Event event, Step step) { return {Move::WindowEvent, event, step}; }
Move Answer(CaptureGrab::Answer answer) { return {Move::Answer, Event::Shown, Step::Keep, answer}; }
Move Change(bool granted) {
    return {Move::Change, Event::Shown, Step::Keep,
            granted ? CaptureGrab::Answer::Granted : CaptureGrab::Answer::Refused};
}
const Move kOverdue = {Move::Overdue};
const Move kGranted = Answer(CaptureGrab::Answer::Granted);
const Move kRefused = Answer(CaptureGrab::Answer::Refused);
const Move kPending = Answer(CaptureGrab::Answer::Pending);

// A dialog shown, then activated by the window system and granted the grab: the usual way in. Nothing
// is asked before the activation: the window has no toplevel surface yet.
const std::vector<Move> kOpened = {On(Event::Shown, Step::Keep), On(Event::Activated, Step::Take), kGranted};
// The same on a compositor that asks its user first: its prompt takes the focus, the request stays.
const std::vector<Move> kPrompted = {On(Event::Shown, Step::Keep), On(Event::Activated, Step::Take), kPending,
                                     On(Event::Deactivated, Step::Keep)};

std::vector<Move> Then(std::vector<Move> moves, const std::vector<Move>& then) {
    moves.insert(moves.end(), then.begin(), then.end());
    return moves;
}
std::vector<Move> Opened(const std::vector<Move>& then) { return Then(kOpened, then); }
std::vector<Move> Prompted(const std::vector<Move>& then) { return Then(kPrompted, then); }

TEST(CaptureGrab, StepsAndNote) {
    struct Case {
        std::string name;
        std::vector<Move> moves;
        bool held;
        bool note;
    };
    const Case cases[] = {
        {"shown: nothing asked before activation", {On(Event::Shown, Step::Keep)}, false, false},
        {"granted on activation", kOpened, true, false},
        {"granted: activation again asks nothing more",
         Opened({On(Event::Activated, Step::Keep)}), true, false},
        {"no grab to be had: the note while active",
         {On(Event::Shown, Step::Keep), On(Event::Activated, Step::Take), kRefused}, false, true},
        {"the compositor withdraws the grab: the note", Opened({Change(false)}), false, true},
        {"the compositor grants it again: no note", Opened({Change(false), Change(true)}), true, false},
        {"withdrawn, focus lost and back: not asked again, the note stays",
         Opened({Change(false), On(Event::Deactivated, Step::Release), On(Event::Activated, Step::Keep)}),
         false, true},
        {"withdrawn, then its own box closed: not asked again",
         Opened({Change(false), On(Event::Suspended, Step::Release), On(Event::Resumed, Step::Keep)}),
         false, true},
        {"withdrawn, then shown and activated anew: asked again",
         Opened({Change(false), On(Event::Hidden, Step::Release), On(Event::Shown, Step::Keep),
                 On(Event::Activated, Step::Take), kGranted}),
         true, false},
        {"focus lost: let go, no note", Opened({On(Event::Deactivated, Step::Release)}), false, false},
        {"focus back: taken again",
         Opened({On(Event::Deactivated, Step::Release), On(Event::Activated, Step::Take), kGranted}), true,
         false},
        {"refused, then focus lost: let go, no note",
         {On(Event::Shown, Step::Keep), On(Event::Activated, Step::Take), kRefused,
          On(Event::Deactivated, Step::Release)},
         false,
         false},
        {"refused, focus lost and back: asked again",
         {On(Event::Shown, Step::Keep), On(Event::Activated, Step::Take), kRefused,
          On(Event::Deactivated, Step::Release), On(Event::Activated, Step::Take), kGranted},
         true,
         false},
        {"a change of mind after letting go is not a grab",
         Opened({On(Event::Deactivated, Step::Release), Change(true)}), false, false},
        {"hidden: let go once", Opened({On(Event::Hidden, Step::Release), On(Event::Hidden, Step::Keep)}),
         false, false},
        {"a box of its own: let go, not taken on activation until it closes",
         Opened({On(Event::Suspended, Step::Release), On(Event::Deactivated, Step::Keep),
                 On(Event::Activated, Step::Keep), On(Event::Resumed, Step::Take), kGranted}),
         true, false},
        {"a box of its own: no note while it is open", Opened({On(Event::Suspended, Step::Release)}), false,
         false},
        {"disarmed: let go, no note", Opened({On(Event::Disarmed, Step::Release)}), false, false},
        {"disarmed, refused before: the note goes",
         {On(Event::Shown, Step::Keep), On(Event::Activated, Step::Take), kRefused,
          On(Event::Disarmed, Step::Release)},
         false,
         false},
        {"disarmed: focus back asks nothing",
         Opened({On(Event::Disarmed, Step::Release), On(Event::Deactivated, Step::Keep),
                 On(Event::Activated, Step::Keep)}),
         false, false},
        {"armed again: taken again",
         Opened({On(Event::Disarmed, Step::Release), On(Event::Armed, Step::Take), kGranted}), true,
         false},
        {"armed while its own box is open: taken when it closes",
         Opened({On(Event::Disarmed, Step::Release), On(Event::Suspended, Step::Keep),
                 On(Event::Armed, Step::Keep), On(Event::Resumed, Step::Take), kGranted}),
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
        // A compositor that answers later, after a prompt of its own.
        {"pending while active: no note yet",
         {On(Event::Shown, Step::Keep), On(Event::Activated, Step::Take), kPending}, false, false},
        {"pending: the prompt's focus keeps the request", kPrompted, false, false},
        {"prompt answered allow: granted once back, not asked again",
         Prompted({On(Event::Activated, Step::Keep), Change(true)}), true, false},
        {"allowed, then focus lost: let go",
         Prompted({On(Event::Activated, Step::Keep), Change(true), On(Event::Deactivated, Step::Release)}),
         false, false},
        {"prompt answered deny: refused, the note",
         Prompted({On(Event::Activated, Step::Keep), Change(false)}), false, true},
        {"no answer while active for the wait: the note",
         Prompted({On(Event::Activated, Step::Keep), kOverdue}), false, true},
        {"overdue, then a late grant: no note",
         Prompted({On(Event::Activated, Step::Keep), kOverdue, Change(true)}), true, false},
        {"the wait running out while the prompt has the focus: no note",
         Prompted({kOverdue, On(Event::Activated, Step::Keep)}), false, false},
        {"overdue, focus lost and back: the wait starts again, no note",
         Prompted({On(Event::Activated, Step::Keep), kOverdue, On(Event::Deactivated, Step::Keep),
                   On(Event::Activated, Step::Keep)}),
         false, false},
        {"pending, then hidden: let go",
         Prompted({On(Event::Hidden, Step::Release), On(Event::Hidden, Step::Keep)}), false, false},
        {"pending, then its own box: let go, asked again when it closes",
         {On(Event::Shown, Step::Keep), On(Event::Activated, Step::Take), kPending,
          On(Event::Suspended, Step::Release), On(Event::Resumed, Step::Take), kPending},
         false,
         false},
        {"the wait without a pending request: nothing", Opened({kOverdue}), true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CaptureGrab grab;
        for (size_t i = 0; i < c.moves.size(); ++i) {
            const Move& move = c.moves[i];
            if (move.kind == Move::WindowEvent) {
                EXPECT_EQ(grab.On(move.event), move.step) << "move " << i;
            } else if (move.kind == Move::Answer) {
                grab.Answered(move.answer);
            } else if (move.kind == Move::Change) {
                grab.Changed(move.answer == CaptureGrab::Answer::Granted);
            } else {
                grab.Unanswered();
            }
        }
        EXPECT_EQ(grab.Held(), c.held);
        EXPECT_EQ(grab.ShowsNote(), c.note);
    }
}

}  // namespace
}  // namespace voltrane
