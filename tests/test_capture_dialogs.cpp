// The three capture dialogs on the offscreen platform, over the built skins: native key events (scan
// code and keysym, as the desktop delivers them) and clicks at the centres of their regions.

#include <QAccessible>
#include <QDir>
#include <QKeyEvent>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>

#include "built_skins.h"
#include "capture/macro_edit.h"
#include "capture/step_text.h"
#include "dialogs/choice_dlg.h"
#include "dialogs/macro_dlg.h"
#include "dialogs/single_key_dlg.h"
#include "dialogs/step_list_painter.h"
#include "outline_alpha.h"
#include "paint_spy.h"
#include "settings/text_tables.h"
#include "skin/dialog_regions.h"
#include "skin/focus_ring.h"
#include "skin/item_qrect.h"
#include "skin/skin_colours.h"
#include "skin/skin_fonts.h"
#include "swapped_key_names.h"

using namespace voltrane;

namespace {

// A native key: evdev code + 8, and the keysym the layout gives it.
struct NativeKey {
    quint32 scanCode;
    quint32 keysym;
};
constexpr NativeKey kLeftCtrl{37, 0xFFE3};
constexpr NativeKey kLeftShift{50, 0xFFE1};
constexpr NativeKey kKeyS{39, 's'};
constexpr NativeKey kKeyA{38, 'a'};
constexpr NativeKey kKeyB{56, 'b'};
constexpr NativeKey kKeyY{29, 'y'};
constexpr NativeKey kEnter{36, 0xFF0D};
constexpr NativeKey kEscape{9, 0xFF1B};
constexpr NativeKey kKeypad7NumLockOff{79, 0xFF95};
constexpr NativeKey kKeypadEnter{104, 0xFF8D};
constexpr NativeKey kVolumeUp{123, 0x1008FF13};
constexpr NativeKey kTab{23, 0xFF09};
constexpr NativeKey kSpace{65, ' '};
constexpr NativeKey kDownArrow{116, 0xFF54};
constexpr NativeKey kLeftAlt{64, 0xFFE9};
constexpr NativeKey kF4{70, 0xFFC1};
constexpr NativeKey kSuper{133, 0xFFEB};

void sendKey(QWidget& dialog, QEvent::Type type, NativeKey key, bool autoRepeat = false) {
    QKeyEvent event(type, 0, Qt::NoModifier, key.scanCode, key.keysym, 0, QString(), autoRepeat);
    QApplication::sendEvent(&dialog, &event);
}

// A key event at `timestamp` ms, as the X server stamps them, not marked as an auto-repeat.
void sendAt(QWidget& dialog, QEvent::Type type, NativeKey key, quint64 timestamp) {
    QKeyEvent event(type, 0, Qt::NoModifier, key.scanCode, key.keysym, 0, QString(), false);
    event.setTimestamp(timestamp);
    QApplication::sendEvent(&dialog, &event);
}

void press(QWidget& dialog, NativeKey key) { sendKey(dialog, QEvent::KeyPress, key); }
void release(QWidget& dialog, NativeKey key) { sendKey(dialog, QEvent::KeyRelease, key); }

// Holding a key: the desktop reports each auto-repeat as a release and a press, both marked.
void autoRepeat(QWidget& dialog, NativeKey key, int times) {
    for (int i = 0; i < times; ++i) {
        sendKey(dialog, QEvent::KeyRelease, key, true);
        sendKey(dialog, QEvent::KeyPress, key, true);
    }
}

// Each key pressed in order, then released in reverse order.
void chord(QWidget& dialog, const QList<NativeKey>& keys) {
    for (const NativeKey& key : keys) press(dialog, key);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) release(dialog, *key);
}

QPoint centre(const SkinRect& r) { return {r.x + r.w / 2, r.y + r.h / 2}; }

void clickAt(QWidget& dialog, QPoint point) { QTest::mouseClick(&dialog, Qt::LeftButton, {}, point); }

void sendMouse(QWidget& dialog, QEvent::Type type, QPoint point) {
    QMouseEvent event(type, point, dialog.mapToGlobal(point), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &event);
}

// `notches` turns of the wheel towards the user, one notch per event, at `point`.
void wheelDown(QWidget& dialog, QPoint point, int notches) {
    for (int notch = 0; notch < notches; ++notch) {
        QWheelEvent wheel(point, dialog.mapToGlobal(point), {}, QPoint(0, -120), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&dialog, &wheel);
    }
}

CaptureGrab::Answer grabGranted(QWidget&, const GrabNotice&) { return CaptureGrab::Answer::Granted; }

// A window system that grants the grab, counts the requests and keeps the last one's notice, so that
// it can change its mind later.
int g_grabsAsked = 0;
GrabNotice g_grabNotice;
CaptureGrab::Answer grabWithNotice(QWidget&, const GrabNotice& notice) {
    ++g_grabsAsked;
    g_grabNotice = notice;
    return CaptureGrab::Answer::Granted;
}
// A compositor that answers later (after a prompt of its own), through the notice.
CaptureGrab::Answer grabAnsweredLater(QWidget& window, const GrabNotice& notice) {
    grabWithNotice(window, notice);
    return CaptureGrab::Answer::Pending;
}

// What the user sees of a dialog: its picture, which must be transparent outside its outline.
bool saveShot(QWidget& dialog, const QString& path) {
    return OpaqueOnlyInsideOutline(dialog) && dialog.grab().save(path);
}

// A record holding `delays` pauses of `milliseconds`, 3 budget units each.
MacroRecord pauses(int delays, uint16_t milliseconds = 100) {
    MacroRecord record{};
    StepData pause;
    pause.milliseconds = milliseconds;
    for (int i = 0; i < delays; ++i) AppendStep(record, kDelay, pause);
    return record;
}

// A store of five macros, "Macro 1" to "Macro 5", of one to five pauses.
const MacroStore& fiveMacros() {
    static const MacroStore store = [] {
        MacroStore five;
        for (int i = 0; i < 5; ++i) {
            five.m_Macro[i] = pauses(i + 1);
            five.m_strMacroNames[i] = u"Macro " + QString::number(i + 1).toStdU16String();
        }
        five.m_nMacroCount = 5;
        return five;
    }();
    return store;
}

QList<int> keysOf(const KeyString& keys) {
    QList<int> rows;
    for (uint8_t row : keys) {
        if (row != 0) rows.append(row);
    }
    return rows;
}

// The limit message as a script: counts the boxes asked for; `whileOpen` runs once, inside the next.
struct LimitBoxes {
    int shown = 0;
    std::function<void()> whileOpen;
    CMacro::LimitMessage Message() {
        return [this](const QString&, const QString&) {
            ++shown;
            if (const std::function<void()> once = std::exchange(whileOpen, nullptr)) once();
        };
    }
};

// Acts on the modal dialog of type `Dialog` once its run has begun: the entry functions run their own.
template <typename Dialog>
void whenOpen(std::function<void(Dialog&)> script) {
    QTimer::singleShot(0, [script] {
        auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        script(*dialog);
    });
}

}  // namespace

Q_DECLARE_METATYPE(QList<NativeKey>)
Q_DECLARE_METATYPE(std::optional<int>)

class TestCaptureDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void singleKeyShowsAndReturnsTheChord_data();
    void singleKeyShowsAndReturnsTheChord();
    void singleKeyOkBeforeAnyKeyAndCancel();
    void enterAndEscapeDoNotClose_data();
    void enterAndEscapeDoNotClose();
    void singleKeyByKeyboardOnly_data();
    void singleKeyByKeyboardOnly();
    void grabOnlyWhileCapturing_data();
    void grabOnlyWhileCapturing();
    void macroEditorByKeyboardOnly();
    void unmarkedAutoRepeatIsOneRepeat();
    void choiceByKeyboardOnly_data();
    void choiceByKeyboardOnly();
    void focusRingOnlyFromTheKeyboard_data();
    void focusRingOnlyFromTheKeyboard();
    void accessibleControls_data();
    void accessibleControls();
    void grabHeldWhileShownOnly_data();
    void grabHeldWhileShownOnly();
    void noteWithoutTheGrab();
    void grabFollowsFocusAndWindowSystem_data();
    void grabFollowsFocusAndWindowSystem();
    void lateAnswerKeepsTheRequest_data();
    void lateAnswerKeepsTheRequest();
    void autoRepeatRecordsOneChord();
    void mouseClicksWithDelays();
    void budgetEdges_data();
    void budgetEdges();
    void limitMessageOneAtATime();
    void recordCountRepaintsWithTheSteps_data();
    void recordCountRepaintsWithTheSteps();
    void keysLostWithTheWindow();
    void cleanEmptiesAndSetsEightMs();
    void insertDelayThenExtend();
    void deleteSelectionRules_data();
    void deleteSelectionRules();
    void spinnerStopsAtItsLimits_data();
    void spinnerStopsAtItsLimits();
    void wheelScrollsTheEditorList();
    void choiceKeyboardScrolling();
    void choiceClickLoadsThePreview();
    void choiceWheel_data();
    void choiceWheel();
    void dragMovesTheDialog();
    void hoverRepaintsOnlyTheRegionsConcerned_data();
    void hoverRepaintsOnlyTheRegionsConcerned();
    void runSingleKeyDialog_data();
    void runSingleKeyDialog();
    void singleKeyNamesKeysInItsLayout();
    void runMacroDialog_data();
    void runMacroDialog();
    void runChoiceDialog();
    void choiceFramesTheSelectedMacro();
    void rowsStayInTheirRows_data();
    void rowsStayInTheirRows();
    void screenshots_data();
    void screenshots();

private:
    // One of the three dialogs in English, the grab granted: by captureDialog's kind, or 2 for the
    // choice dialog over m_store.
    std::unique_ptr<QDialog> anyDialog(int kind);

    MacroStore m_store;
};

void TestCaptureDialogs::initTestCase() { QVERIFY(LoadBuiltSkins()); }

void TestCaptureDialogs::singleKeyShowsAndReturnsTheChord_data() {
    QTest::addColumn<QList<QList<NativeKey>>>("chords");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("Ctrl, Shift, S") << QList<QList<NativeKey>>{{kLeftCtrl, kLeftShift, kKeyS}}
                                    << QStringLiteral("LCtrl+LShift+S") << QList<int>{70, 58, 47};
    QTest::newRow("A released, then B")
        << QList<QList<NativeKey>>{{kKeyA}, {kKeyB}} << QStringLiteral("B") << QList<int>{63};
    QTest::newRow("keypad 7, NumLock off")
        << QList<QList<NativeKey>>{{kKeypad7NumLockOff}} << QStringLiteral("(Num)7") << QList<int>{92};
    QTest::newRow("keypad Enter") << QList<QList<NativeKey>>{{kKeypadEnter}} << QStringLiteral("(Num)Enter")
                                  << QList<int>{102};
    QTest::newRow("main Enter") << QList<QList<NativeKey>>{{kEnter}} << QStringLiteral("Enter")
                                << QList<int>{57};
    QTest::newRow("a key outside the table")
        << QList<QList<NativeKey>>{{kVolumeUp}} << QStringLiteral("Unknown") << QList<int>{105};
}

void TestCaptureDialogs::singleKeyShowsAndReturnsTheChord() {
    QFETCH(QList<QList<NativeKey>>, chords);
    QFETCH(QString, text);
    QFETCH(QList<int>, rows);
    CSingleKey dialog(g_imgSkin, kEnglish);
    dialog.show();
    for (const QList<NativeKey>& keys : chords) chord(dialog, keys);
    QCOMPARE(QString::fromStdU16String(dialog.ShownText()), text);
    clickAt(dialog, centre(kSingleKeyRegions[CSingleKey::kOk]));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.Capture().OkResult());
    QCOMPARE(keysOf(*dialog.Capture().OkResult()), rows);
}

void TestCaptureDialogs::singleKeyOkBeforeAnyKeyAndCancel() {
    CSingleKey empty(g_imgSkin, kEnglish);
    empty.show();
    clickAt(empty, centre(kSingleKeyRegions[CSingleKey::kOk]));
    QCOMPARE(empty.result(), int(QDialog::Accepted));
    QVERIFY(!empty.Capture().OkResult());

    CSingleKey cancelled(g_imgSkin, kEnglish);
    cancelled.show();
    chord(cancelled, {kKeyA});
    clickAt(cancelled, centre(kSingleKeyRegions[CSingleKey::kCancel]));
    QCOMPARE(cancelled.result(), int(QDialog::Rejected));
    QVERIFY(!cancelled.isVisible());
}

// 0 the single-key dialog, 1 the macro editor.
std::unique_ptr<QDialog> captureDialog(int kind, KeyboardGrab grab = PlatformKeyboardGrab) {
    if (kind == 0) return std::make_unique<CSingleKey>(g_imgSkin, kEnglish, nullptr, grab);
    return std::make_unique<CMacro>(g_imgSkin, MacroRecord{}, kEnglish, nullptr, grab);
}

std::unique_ptr<QDialog> TestCaptureDialogs::anyDialog(int kind) {
    if (kind == 2) return std::make_unique<CChoice>(g_imgSkin, m_store, kEnglish);
    return captureDialog(kind, grabGranted);
}

// The rows of a test run over both capture dialogs, by captureDialog's kind.
void captureDialogKinds() {
    QTest::addColumn<int>("kind");
    QTest::newRow("single key") << 0;
    QTest::newRow("macro editor") << 1;
}

void TestCaptureDialogs::enterAndEscapeDoNotClose_data() { captureDialogKinds(); }

// While capturing, Enter, Esc and keypad Enter are keys like any other: held together they are one
// combination, and the dialog stays open.
void TestCaptureDialogs::enterAndEscapeDoNotClose() {
    QFETCH(int, kind);
    const std::unique_ptr<QDialog> dialog = captureDialog(kind);
    dialog->show();
    for (NativeKey key : {kEnter, kEscape, kKeypadEnter}) {
        press(*dialog, key);
        QTest::keyClick(dialog.get(), key.scanCode == kEscape.scanCode ? Qt::Key_Escape : Qt::Key_Return);
    }
    for (NativeKey key : {kKeypadEnter, kEscape, kEnter}) release(*dialog, key);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->result(), 0);
    if (kind == 0) {
        QCOMPARE(QString::fromStdU16String(static_cast<CSingleKey&>(*dialog).ShownText()),
                 QStringLiteral("Enter+Unknown+Esc+(Num)Enter"));
    } else {
        QCOMPARE(static_cast<CMacro&>(*dialog).Recorder().Record().count, 2);
    }
}

// A person without a pointer: each row's key sequences (each a chord: pressed in order, released in
// reverse) from the dialog's opening, then what the dialog returns.
void TestCaptureDialogs::singleKeyByKeyboardOnly_data() {
    QTest::addColumn<QList<QList<NativeKey>>>("chords");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("text");
    const int ok = QDialog::Accepted, cancel = QDialog::Rejected, open = -1;
    using Chords = QList<QList<NativeKey>>;
    QTest::newRow("Tab and Esc captured, Enter confirms")
        << Chords{{kLeftCtrl, kTab, kEscape}, {kEnter}} << ok << QStringLiteral("LCtrl+Tab+Esc");
    QTest::newRow("Alt+F4 captured, the dialog stays")
        << Chords{{kLeftAlt, kF4}} << open << QStringLiteral("LAlt+F4");
    QTest::newRow("Super alone, keypad Enter confirms")
        << Chords{{kSuper}, {kKeypadEnter}} << ok << QStringLiteral("LWin");
    QTest::newRow("Esc after a combination cancels")
        << Chords{{kKeyA}, {kEscape}} << cancel << QStringLiteral("A");
    QTest::newRow("Tab to Cancel, Space")
        << Chords{{kKeyA}, {kTab}, {kSpace}} << cancel << QStringLiteral("A");
    QTest::newRow("Tab round to the field, Enter captures Tab anew, Enter confirms")
        << Chords{{kKeyA}, {kTab}, {kTab}, {kEnter}, {kTab}, {kEnter}} << ok << QStringLiteral("Tab");
    QTest::newRow("Shift+Tab from OK to the field, Space captures Esc")
        << Chords{{kKeyA}, {kLeftShift, kTab}, {kSpace}, {kEscape}} << open << QStringLiteral("Esc");
    QTest::newRow("another key captures at once, with Ctrl held")
        << Chords{{kKeyA}, {kLeftCtrl, kKeyB}, {kEnter}} << ok << QStringLiteral("LCtrl+B");
}

void TestCaptureDialogs::singleKeyByKeyboardOnly() {
    QFETCH(QList<QList<NativeKey>>, chords);
    QFETCH(int, result);
    QFETCH(QString, text);
    CSingleKey dialog(g_imgSkin, kEnglish, nullptr, grabGranted);
    dialog.show();
    QVERIFY(dialog.Armed());
    for (const QList<NativeKey>& keys : chords) chord(dialog, keys);
    QCOMPARE(QString::fromStdU16String(dialog.ShownText()), text);
    QCOMPARE(dialog.isVisible(), result == -1);
    if (result != -1) QCOMPARE(dialog.result(), result);
}

// The grab (and the shortcuts withheld from the desktop) only while keys are captured: the single-key
// dialog lets go once a combination is in, the editor once Esc is held; Enter on the field or the
// list takes it again.
void TestCaptureDialogs::grabOnlyWhileCapturing_data() { captureDialogKinds(); }

void TestCaptureDialogs::grabOnlyWhileCapturing() {
    QFETCH(int, kind);
    const std::unique_ptr<QDialog> dialog = captureDialog(kind, grabGranted);
    const KeyboardCapture& keyboard =
        kind == 0 ? static_cast<CSingleKey&>(*dialog).Keyboard() : static_cast<CMacro&>(*dialog).Keyboard();
    const auto holdEscape = [&] {
        press(*dialog, kEscape);
        autoRepeat(*dialog, kEscape, 2);
        release(*dialog, kEscape);
    };
    dialog->show();
    QCoreApplication::processEvents();
    QVERIFY(keyboard.Grabbed());
    chord(*dialog, {kKeyA});
    if (kind == 0) {
        QVERIFY(!keyboard.Grabbed());
        QVERIFY(!QWidget::keyboardGrabber());
        chord(*dialog, {kTab});
        chord(*dialog, {kTab});  // OK, Cancel, back on the field
        chord(*dialog, {kEnter});
        QVERIFY(keyboard.Grabbed());
        QCOMPARE(QWidget::keyboardGrabber(), dialog.get());
    }
    QVERIFY(keyboard.Grabbed());
    holdEscape();
    QVERIFY(!keyboard.Grabbed());
    QVERIFY(!QWidget::keyboardGrabber());
    QVERIFY(dialog->isVisible());
    if (kind == 0) {
        QCOMPARE(QString::fromStdU16String(static_cast<CSingleKey&>(*dialog).ShownText()),
                 QStringLiteral("A"));
        chord(*dialog, {kTab});
        chord(*dialog, {kTab});  // from OK round to the field
    } else {
        QCOMPARE(static_cast<CMacro&>(*dialog).Recorder().Record().count, 2);  // the held Esc is not a step
    }
    chord(*dialog, {kEnter});
    QVERIFY(keyboard.Grabbed());
    QCOMPARE(QWidget::keyboardGrabber(), dialog.get());
}

// Recording every key, then Esc held; Tab to the "Left" strip records a click with Enter; Down on the
// delay value lowers it; Tab through to OK confirms.
void TestCaptureDialogs::macroEditorByKeyboardOnly() {
    MacroRecord record{};
    whenOpen<CMacro>([](CMacro& dialog) {
        chord(dialog, {kTab});
        chord(dialog, {kLeftAlt, kF4});
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.Recording());
        press(dialog, kEscape);
        autoRepeat(dialog, kEscape, 3);
        release(dialog, kEscape);
        QVERIFY(!dialog.Recording());
        QCOMPARE(dialog.Focus().Focused(), int(CMacro::kStepList));
        for (int tab = 0; tab < 3; ++tab) chord(dialog, {kTab});  // Mouse 4, Scroll up, Left
        QCOMPARE(dialog.Focus().Focused(), int(CMacro::kFirstMouse));
        chord(dialog, {kEnter});
        for (int tab = 0; tab < 8; ++tab) chord(dialog, {kTab});  // on to the delay value
        QCOMPARE(dialog.Focus().Focused(), int(CMacro::kDelayBox));
        chord(dialog, {kDownArrow});
        QCOMPARE(dialog.Recorder().Spinner().Value(), uint16_t{9});
        for (int tab = 0; tab < 3; ++tab) chord(dialog, {kTab});
        QCOMPARE(dialog.Focus().Focused(), int(CMacro::kOk));
        chord(dialog, {kSpace});
    });
    QVERIFY(RunMacroDialog(nullptr, g_imgSkin, record, kEnglish, UsKeyNames()));
    QCOMPARE(record.count, 6);  // Tab down and up, LAlt+F4 down and up, the left button down and up
    QCOMPARE(record.steps[0].kind, uint8_t{kKeyDown});
    QCOMPARE(int(record.steps[0].data[0]), 31);
    QCOMPARE(int(record.steps[2].data[0]), 72);
    QCOMPARE(int(record.steps[2].data[1]), 5);
    QCOMPARE(record.steps[4].kind, uint8_t{kMouseDown});
}

// The X server reports a held key as release and press pairs of one time, which the toolkit does not
// always mark as auto-repeats: such a pair is one repeat, so that holding Esc stops recording; a
// release alone is handed on when no press of its time follows.
void TestCaptureDialogs::unmarkedAutoRepeatIsOneRepeat() {
    CMacro dialog(g_imgSkin, MacroRecord{}, kEnglish, nullptr, grabGranted);
    dialog.show();
    auto* timer = const_cast<QTimer*>(&dialog.Keyboard().ReleaseTimer());
    sendAt(dialog, QEvent::KeyPress, kKeyA, 100);
    sendAt(dialog, QEvent::KeyRelease, kKeyA, 180);
    QCOMPARE(dialog.Recorder().Record().count, 0);  // the release waits for a press of its time
    QVERIFY(timer->isActive());
    QMetaObject::invokeMethod(timer, "timeout");
    QCOMPARE(dialog.Recorder().Record().count, 2);
    sendAt(dialog, QEvent::KeyPress, kEscape, 200);
    sendAt(dialog, QEvent::KeyRelease, kEscape, 700);
    sendAt(dialog, QEvent::KeyPress, kEscape, 700);
    QVERIFY(!dialog.Recording());
    sendAt(dialog, QEvent::KeyRelease, kEscape, 740);
    sendAt(dialog, QEvent::KeyPress, kEscape, 740);
    QVERIFY(dialog.isVisible());  // the held Esc's repeats do not cancel
    sendAt(dialog, QEvent::KeyRelease, kEscape, 760);
    QMetaObject::invokeMethod(timer, "timeout");
    QCOMPARE(dialog.Recorder().Record().count, 2);
    sendAt(dialog, QEvent::KeyPress, kEscape, 900);  // a new press: cancel
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TestCaptureDialogs::choiceByKeyboardOnly_data() {
    QTest::addColumn<QList<int>>("keys");  // Qt keys: pressed and released in turn
    QTest::addColumn<std::optional<int>>("chosen");
    QTest::newRow("Down, Enter") << QList<int>{Qt::Key_Down, Qt::Key_Return} << std::optional<int>(1);
    QTest::newRow("keypad Enter") << QList<int>{Qt::Key_Enter} << std::optional<int>(0);
    QTest::newRow("Down twice, Space")
        << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Space} << std::optional<int>(2);
    QTest::newRow("Tab to OK, Enter")
        << QList<int>{Qt::Key_Down, Qt::Key_Tab, Qt::Key_Return} << std::optional<int>(1);
    QTest::newRow("Tab to Cancel, Space")
        << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space} << std::optional<int>();
    QTest::newRow("Shift+Tab to Cancel, Enter")
        << QList<int>{Qt::Key_Backtab, Qt::Key_Return} << std::optional<int>();
    QTest::newRow("Esc") << QList<int>{Qt::Key_Down, Qt::Key_Escape} << std::optional<int>();
}

void TestCaptureDialogs::choiceByKeyboardOnly() {
    QFETCH(QList<int>, keys);
    QFETCH(std::optional<int>, chosen);
    whenOpen<CChoice>([keys](CChoice& dialog) {
        for (int key : keys) QTest::keyClick(&dialog, static_cast<Qt::Key>(key));
    });
    QCOMPARE(RunChoiceDialog(nullptr, g_imgSkin, fiveMacros(), kEnglish, UsKeyNames()), chosen);
}

// The ring shows where the keyboard put the focus and nowhere while only the pointer is used.
void TestCaptureDialogs::focusRingOnlyFromTheKeyboard_data() {
    QTest::addColumn<int>("kind");  // 0 single key, 1 macro editor, 2 macro choice
    QTest::newRow("single key") << 0;
    QTest::newRow("macro editor") << 1;
    QTest::newRow("macro choice") << 2;
}

void TestCaptureDialogs::focusRingOnlyFromTheKeyboard() {
    QFETCH(int, kind);
    const std::unique_ptr<QDialog> dialog = anyDialog(kind);
    dialog->show();
    const QImage opened = dialog->grab().toImage();
    QRect ring;
    if (kind == 0) {
        chord(*dialog, {kKeyA});  // the focus moves to OK
        ring = SkinQRect(kSingleKeyRegions[CSingleKey::kOk]);
    } else if (kind == 1) {
        press(*dialog, kEscape);
        autoRepeat(*dialog, kEscape, 1);
        release(*dialog, kEscape);
        chord(*dialog, {kTab});
        ring = SkinQRect(kMacroEditorRegions[10]);
    } else {
        QTest::keyClick(dialog.get(), Qt::Key_Tab);
        ring = SkinQRect(kChoiceRegions[CChoice::kOk]);
    }
    // The ring lies around the focused control: black outside, white within.
    const QRect outer = FocusRingRect(ring);
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    const QImage keyboard = dialog->grab().toImage();
    QCOMPARE(keyboard.pixelColor(outer.topLeft()), kFocusRingOuter);
    QCOMPARE(keyboard.pixelColor(inner.topLeft()), kFocusRingInner);
    QCOMPARE(keyboard.pixelColor(inner.bottomRight()), kFocusRingInner);
    QVERIFY(opened.pixelColor(inner.topLeft()) != kFocusRingInner);
    // A press on the background (a drag that goes nowhere) hides the ring.
    sendMouse(*dialog, QEvent::MouseButtonPress, QPoint(5, 60));
    sendMouse(*dialog, QEvent::MouseButtonRelease, QPoint(5, 60));
    QCOMPARE(dialog->grab().toImage().pixelColor(inner.topLeft()), opened.pixelColor(inner.topLeft()));
}

// What a screen reader finds: each dialog named, its controls with roles and names in the dialog's
// language, the focus where the keyboard put it.
void TestCaptureDialogs::accessibleControls_data() {
    QTest::addColumn<int>("kind");  // 0 single key, 1 macro editor, 2 macro choice
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("names");  // the first children, in order
    QTest::addColumn<QList<int>>("roles");
    const QList<int> singleRoles = {QAccessible::EditableText, QAccessible::PushButton,
                                    QAccessible::PushButton};
    QTest::newRow("single key, English") << 0 << kEnglish << QStringLiteral("Key combination")
                                         << QStringList{"Keys pressed", "OK", "Cancel"} << singleRoles;
    QTest::newRow("single key, German")
        << 0 << 3 << QStringLiteral("Tastenkombination")
        << QStringList{"Gedrückte Tasten", "OK", "Stornieren"} << singleRoles;
    QTest::newRow("single key, Japanese") << 0 << 4 << QStringLiteral("キーの組み合わせ")
                                          << QStringList{"押されたキー", "OK", "キャンセル"} << singleRoles;
    const QList<int> editorRoles = {QAccessible::List, QAccessible::SpinBox, QAccessible::CheckBox,
                                    QAccessible::CheckBox, QAccessible::PushButton};
    QTest::newRow("macro editor, English")
        << 1 << kEnglish << QStringLiteral("Macro editor")
        << QStringList{"Macro steps", "Delay (ms)", "Insert delay after button down",
                       "Insert delay after button up", "Inster delay"}
        << editorRoles;
    const QList<int> choiceRoles = {QAccessible::List, QAccessible::List, QAccessible::PushButton,
                                    QAccessible::PushButton};
    QTest::newRow("macro choice, English")
        << 2 << kEnglish << QStringLiteral("Choose a macro")
        << QStringList{"Macros", "Macro steps", "OK", "Cancel"} << choiceRoles;
    QTest::newRow("macro choice, German")
        << 2 << 3 << QStringLiteral("Makro wählen")
        << QStringList{"Makros", "Makroschritte", "OK", "Stornieren"} << choiceRoles;
}

void TestCaptureDialogs::accessibleControls() {
    QFETCH(int, kind);
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, roles);
    std::unique_ptr<QDialog> dialog;
    if (kind == 0) dialog = std::make_unique<CSingleKey>(g_imgSkin, language, nullptr, grabGranted);
    if (kind == 1) dialog = std::make_unique<CMacro>(g_imgSkin, pauses(3), language, nullptr, grabGranted);
    const MacroStore& store = fiveMacros();
    if (kind == 2) dialog = std::make_unique<CChoice>(g_imgSkin, store, language);
    dialog->show();
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(dialog.get());
    QVERIFY(tree);
    QCOMPARE(tree->role(), QAccessible::Dialog);
    QCOMPARE(tree->text(QAccessible::Name), title);
    QVERIFY(tree->childCount() > names.size());
    for (int i = 0; i < names.size(); ++i) {
        QAccessibleInterface* control = tree->child(i);
        QVERIFY(control);
        QCOMPARE(control->text(QAccessible::Name), names[i]);
        QCOMPARE(int(control->role()), roles[i]);
        QCOMPARE(control->parent(), tree);
        QCOMPARE(tree->indexOfChild(control), i);
        QCOMPARE(control, tree->child(i));  // the same object every time
        const QRect global = control->rect();
        QCOMPARE(tree->childAt(global.center().x(), global.center().y()), control);
    }
    // Every child has a name; the focused one is the one the dialog paints the ring on.
    for (int i = 0; i < tree->childCount(); ++i)
        QVERIFY(!tree->child(i)->text(QAccessible::Name).isEmpty());
    if (kind == 2) {
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        QTest::keyClick(dialog.get(), Qt::Key_Tab);
        QVERIFY(tree->child(2)->state().focused);
        QVERIFY(!tree->child(0)->state().focused);
        QAccessibleInterface* macros = tree->child(0);
        QCOMPARE(macros->childCount(), 5);
        QCOMPARE(macros->child(4)->text(QAccessible::Name), QStringLiteral("Macro 5"));
        QVERIFY(macros->child(0)->state().selected);
        QCOMPARE(macros->child(1)->parent(), macros);
        macros->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(static_cast<CChoice&>(*dialog).Choice().SelMacro(), 1);
    }
    if (kind == 1) {
        QAccessibleInterface* delay = tree->child(1);
        QCOMPARE(delay->valueInterface()->currentValue().toInt(), 10);
        delay->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
        QCOMPARE(delay->valueInterface()->currentValue().toInt(), 11);
        QAccessibleInterface* check = tree->child(2);
        QVERIFY(check->state().checkable && !check->state().checked);
        check->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(check->state().checked);
        QCOMPARE(tree->child(0)->childCount(), 3);
    }
    if (kind == 0) {
        chord(*dialog, {kLeftCtrl, kKeyA});
        QCOMPARE(tree->child(0)->text(QAccessible::Value), QStringLiteral("LCtrl+A"));
        tree->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
    }
}
void TestCaptureDialogs::grabHeldWhileShownOnly_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("wayOut");  // 0 accept, 1 reject, 2 close, 3 destruction
    for (int kind : {0, 1}) {
        const char* name = kind == 0 ? "single key" : "macro editor";
        QTest::addRow("%s, accept", name) << kind << 0;
        QTest::addRow("%s, reject", name) << kind << 1;
        QTest::addRow("%s, close", name) << kind << 2;
        QTest::addRow("%s, destruction", name) << kind << 3;
    }
}

void TestCaptureDialogs::grabHeldWhileShownOnly() {
    QFETCH(int, kind);
    QFETCH(int, wayOut);
    std::unique_ptr<QDialog> dialog = captureDialog(kind, grabGranted);
    QVERIFY(!QWidget::keyboardGrabber());
    dialog->show();
    QTRY_COMPARE(QWidget::keyboardGrabber(), dialog.get());  // once the window system activates it
    if (wayOut == 0) dialog->accept();
    if (wayOut == 1) dialog->reject();
    if (wayOut == 2) dialog->close();
    if (wayOut == 3) dialog.reset();
    QVERIFY(!QWidget::keyboardGrabber());
}

// The offscreen platform grants no grab, as Wayland does not: the dialogs say so and still capture.
void TestCaptureDialogs::noteWithoutTheGrab() {
    CSingleKey refused(g_imgSkin, kEnglish);
    refused.show();
    QVERIFY(!refused.Keyboard().ShowsNote());  // not before the window system has activated it
    QCoreApplication::processEvents();
    QVERIFY(!refused.Keyboard().Grabbed());
    QVERIFY(refused.Keyboard().ShowsNote());
    press(refused, kKeyA);
    QCOMPARE(QString::fromStdU16String(refused.ShownText()), QStringLiteral("A"));
    const QImage withNote = refused.grab().toImage();
    release(refused, kKeyA);
    QVERIFY(!refused.Keyboard().ShowsNote());  // the combination is in: nothing is captured any more

    CSingleKey granted(g_imgSkin, kEnglish, nullptr, grabGranted);
    granted.show();
    QCoreApplication::processEvents();
    QVERIFY(granted.Keyboard().Grabbed());
    QVERIFY(!granted.Keyboard().ShowsNote());
    press(granted, kKeyA);
    QVERIFY(withNote != granted.grab().toImage());
}

void TestCaptureDialogs::grabFollowsFocusAndWindowSystem_data() { captureDialogKinds(); }

void TestCaptureDialogs::grabFollowsFocusAndWindowSystem() {
    QFETCH(int, kind);
    const std::unique_ptr<QDialog> dialog = captureDialog(kind, grabWithNotice);
    const KeyboardCapture& keyboard =
        kind == 0 ? static_cast<CSingleKey&>(*dialog).Keyboard() : static_cast<CMacro&>(*dialog).Keyboard();
    dialog->show();
    QCoreApplication::processEvents();  // the window system activates it
    QVERIFY(keyboard.Grabbed());
    const QImage granted = dialog->grab().toImage();

    // The window system withdraws the grab: the note shows; it grants it again: the note goes.
    g_grabNotice(false);
    QVERIFY(!keyboard.Grabbed());
    QVERIFY(keyboard.ShowsNote());
    QVERIFY(dialog->grab().toImage() != granted);
    g_grabNotice(true);
    QVERIFY(keyboard.Grabbed());
    QCOMPARE(dialog->grab().toImage(), granted);

    // Focus lost: the grab is let go, Qt's included, without a note; focus back: it is asked again.
    const int asked = g_grabsAsked;
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(dialog.get(), &deactivate);
    QVERIFY(!keyboard.Grabbed());
    QVERIFY(!keyboard.ShowsNote());
    QVERIFY(!QWidget::keyboardGrabber());
    QCOMPARE(g_grabsAsked, asked);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(dialog.get(), &activate);
    QCOMPARE(g_grabsAsked, asked + 1);
    QVERIFY(keyboard.Grabbed());
    QCOMPARE(QWidget::keyboardGrabber(), dialog.get());
}

void TestCaptureDialogs::lateAnswerKeepsTheRequest_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("allowed");
    for (const auto& [kind, name] : {std::pair{0, "single key"}, std::pair{1, "macro"}}) {
        QTest::addRow("%s, allowed", name) << kind << true;
        QTest::addRow("%s, no answer", name) << kind << false;
    }
}

// A compositor that asks its user first: its prompt takes the focus, which withdraws nothing; once the
// dialog is active again, the grant holds, and without an answer the note shows after the wait.
void TestCaptureDialogs::lateAnswerKeepsTheRequest() {
    QFETCH(int, kind);
    QFETCH(bool, allowed);
    const std::unique_ptr<QDialog> dialog = captureDialog(kind, grabAnsweredLater);
    const KeyboardCapture& keyboard =
        kind == 0 ? static_cast<CSingleKey&>(*dialog).Keyboard() : static_cast<CMacro&>(*dialog).Keyboard();
    const int asked = g_grabsAsked;
    dialog->show();
    QTRY_COMPARE(g_grabsAsked, asked + 1);  // once the window system activates it
    QVERIFY(!keyboard.Grabbed());
    QVERIFY(!keyboard.ShowsNote());
    const QImage waiting = dialog->grab().toImage();

    QEvent deactivate(QEvent::WindowDeactivate);  // the prompt comes up
    QApplication::sendEvent(dialog.get(), &deactivate);
    QEvent activate(QEvent::WindowActivate);  // and goes
    QApplication::sendEvent(dialog.get(), &activate);
    QCOMPARE(g_grabsAsked, asked + 1);  // the user is not asked twice
    if (allowed) {
        g_grabNotice(true);
        QVERIFY(keyboard.Grabbed());
    }
    QTest::qWait(KeyboardCapture::kAnswerWaitMs + 200);
    QCOMPARE(keyboard.ShowsNote(), !allowed);
    QCOMPARE(dialog->grab().toImage() != waiting, !allowed);
    if (!allowed) {  // a late grant still counts
        g_grabNotice(true);
        QVERIFY(keyboard.Grabbed());
        QVERIFY(!keyboard.ShowsNote());
    }
}

void TestCaptureDialogs::autoRepeatRecordsOneChord() {
    CMacro dialog(g_imgSkin, MacroRecord{}, kEnglish, nullptr, grabGranted);
    dialog.show();
    press(dialog, kKeyA);
    autoRepeat(dialog, kKeyA, 5);
    QCOMPARE(dialog.Recorder().Chord().KeysHeld(), 1);
    release(dialog, kKeyA);
    const MacroRecord& record = dialog.Recorder().Record();
    QCOMPARE(record.count, 2);
    QCOMPARE(record.steps[0].kind, uint8_t{kKeyDown});
    QCOMPARE(record.steps[1].kind, uint8_t{kKeyUp});
    QCOMPARE(int(record.steps[0].data[0]), 46);
    QCOMPARE(int(record.steps[0].data[1]), 0);
}

// Both check boxes ticked: a click on "Left" stores press, delay, release, delay.
void TestCaptureDialogs::mouseClicksWithDelays() {
    CMacro dialog(g_imgSkin, MacroRecord{}, kEnglish, nullptr, grabGranted);
    dialog.show();
    clickAt(dialog, centre(kMacroEditorRegions[2]));
    clickAt(dialog, centre(kMacroEditorRegions[3]));
    clickAt(dialog, centre(kMacroEditorRegions[7]));
    const MacroRecord& record = dialog.Recorder().Record();
    QCOMPARE(record.count, 4);
    QCOMPARE(int(record.length), 12);
    const uint8_t kinds[] = {kMouseDown, kDelay, kMouseUp, kDelay};
    for (int i = 0; i < 4; ++i) QCOMPARE(record.steps[i].kind, kinds[i]);
    QCOMPARE(StepDelay(record.steps[1]), uint16_t{10});
    QCOMPARE(dialog.Recorder().SelRow(), 3);
}

void TestCaptureDialogs::budgetEdges_data() {
    QTest::addColumn<int>("delays");  // the record opened: this many 3-unit pauses
    QTest::addColumn<bool>("byKey");  // a key chord, else a click on "Left"
    QTest::addColumn<int>("count");   // steps afterwards
    QTest::addColumn<int>("boxes");   // limit messages shown
    QTest::newRow("246, click: press and release do not both fit") << 82 << false << 82 << 1;
    QTest::newRow("246, chord: neither half is kept") << 82 << true << 82 << 1;
    QTest::newRow("243, click: both fit, the budget is then spent") << 81 << false << 83 << 1;
    QTest::newRow("240, click: both fit, room is left") << 80 << false << 82 << 0;
    QTest::newRow("249, chord: presses are not recorded, the chord's release tells")
        << 83 << true << 83 << 1;
}

void TestCaptureDialogs::budgetEdges() {
    QFETCH(int, delays);
    QFETCH(bool, byKey);
    QFETCH(int, count);
    QFETCH(int, boxes);
    LimitBoxes limit;
    CMacro dialog(g_imgSkin, pauses(delays), kEnglish, nullptr, grabGranted, limit.Message());
    dialog.show();
    if (byKey) {
        chord(dialog, {kLeftCtrl, kKeyA});
    } else {
        clickAt(dialog, centre(kMacroEditorRegions[7]));
    }
    QCOMPARE(dialog.Recorder().Record().count, count);
    QCOMPARE(limit.shown, boxes);
}

// The record count under the list follows each recorded chord or click at once.
void TestCaptureDialogs::recordCountRepaintsWithTheSteps_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("chord") << true;
    QTest::newRow("click on Left") << false;
}

void TestCaptureDialogs::recordCountRepaintsWithTheSteps() {
    QFETCH(bool, byKey);
    CMacro dialog(g_imgSkin, MacroRecord{}, kEnglish, nullptr, grabGranted);
    dialog.show();
    QCoreApplication::processEvents();
    PaintSpy spy;
    dialog.installEventFilter(&spy);
    if (byKey) {
        chord(dialog, {kLeftCtrl, kKeyA});
    } else {
        clickAt(dialog, centre(kMacroEditorRegions[7]));
    }
    QCOMPARE(dialog.Recorder().Record().count, 2);
    QTRY_COMPARE(spy.painted.intersected(CMacro::kRecordRect), QRegion(CMacro::kRecordRect));
}

// At 249 every release tells, but never while the box is still open.
void TestCaptureDialogs::limitMessageOneAtATime() {
    LimitBoxes limit;
    CMacro dialog(g_imgSkin, pauses(83), kEnglish, nullptr, grabGranted, limit.Message());
    int nested = 0;
    limit.whileOpen = [&] {
        const int before = limit.shown;
        chord(dialog, {kKeyB});
        nested = limit.shown - before;
    };
    dialog.show();
    chord(dialog, {kKeyA});
    QCOMPARE(nested, 0);
    QCOMPARE(limit.shown, 1);
    chord(dialog, {kKeyA});
    QCOMPARE(limit.shown, 2);
    QCOMPARE(dialog.Recorder().Record().count, 83);
}

// A key held when the dialog loses the keyboard records nothing: its release goes elsewhere.
void TestCaptureDialogs::keysLostWithTheWindow() {
    CMacro dialog(g_imgSkin, MacroRecord{}, kEnglish, nullptr, grabGranted);
    dialog.show();
    press(dialog, kKeyA);
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&dialog, &deactivate);
    QVERIFY(dialog.Recorder().Chord().Empty());
    release(dialog, kKeyA);
    QCOMPARE(dialog.Recorder().Record().count, 0);
    chord(dialog, {kKeyB});
    QCOMPARE(dialog.Recorder().Record().count, 2);
}

void TestCaptureDialogs::cleanEmptiesAndSetsEightMs() {
    CMacro dialog(g_imgSkin, pauses(5), kEnglish, nullptr, grabGranted);
    dialog.show();
    QCOMPARE(dialog.Recorder().Spinner().Value(), uint16_t{10});
    clickAt(dialog, centre(kMacroEditorRegions[2]));
    clickAt(dialog, centre(kMacroEditorRegions[CMacro::kClean]));
    QCOMPARE(dialog.Recorder().Record().count, 0);
    QCOMPARE(int(dialog.Recorder().Record().length), 0);
    QCOMPARE(dialog.Recorder().Spinner().Value(), uint16_t{8});
    QVERIFY(!dialog.Recorder().DelayAfterDown());
}

void TestCaptureDialogs::insertDelayThenExtend() {
    CMacro dialog(g_imgSkin, pauses(1, 100), kEnglish, nullptr, grabGranted);
    dialog.show();
    clickAt(dialog, QPoint(300, kMacroEditorRegions[0].y + 6));
    clickAt(dialog, centre(kMacroEditorRegions[CMacro::kInsertDelay]));
    QCOMPARE(StepDelay(dialog.Recorder().Record().steps[0]), uint16_t{110});
    clickAt(dialog, centre(kMacroEditorRegions[CMacro::kInsertDelay]));
    QCOMPARE(StepDelay(dialog.Recorder().Record().steps[0]), uint16_t{120});
    QCOMPARE(dialog.Recorder().Record().count, 1);
    QCOMPARE(dialog.Recorder().SelRow(), 0);
}

void TestCaptureDialogs::deleteSelectionRules_data() {
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("row");  // the list row clicked before Delete
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("selection");
    QTest::newRow("the last of three: the selection moves up") << 3 << 2 << 2 << 1;
    QTest::newRow("the middle of three: the selection stays") << 3 << 1 << 2 << 1;
    QTest::newRow("the only step: the selection stays at 0") << 1 << 0 << 0 << 0;
    QTest::newRow("a row past the end: nothing") << 2 << 5 << 2 << 5;
}

void TestCaptureDialogs::deleteSelectionRules() {
    QFETCH(int, steps);
    QFETCH(int, row);
    QFETCH(int, count);
    QFETCH(int, selection);
    CMacro dialog(g_imgSkin, pauses(steps), kEnglish, nullptr, grabGranted);
    dialog.show();
    clickAt(dialog, QPoint(300, kMacroEditorRegions[0].y + 12 * row + 6));
    QCOMPARE(dialog.Recorder().SelRow(), row);
    clickAt(dialog, centre(kMacroEditorRegions[CMacro::kDelete]));
    QCOMPARE(dialog.Recorder().Record().count, count);
    QCOMPARE(dialog.Recorder().SelRow(), selection);
}

void TestCaptureDialogs::spinnerStopsAtItsLimits_data() {
    QTest::addColumn<int>("region");
    QTest::addColumn<int>("limit");
    QTest::newRow("up") << int(kSpinUpRegion) << 999;
    QTest::newRow("down") << int(kSpinDownRegion) << 1;
}

// The timer runs while the arrow is held; its ticks are driven here, not waited for.
void TestCaptureDialogs::spinnerStopsAtItsLimits() {
    QFETCH(int, region);
    QFETCH(int, limit);
    CMacro dialog(g_imgSkin, MacroRecord{}, kEnglish, nullptr, grabGranted);
    dialog.show();
    QVERIFY(!dialog.SpinTimer().isActive());
    const QPoint arrow = centre(kMacroEditorRegions[static_cast<std::size_t>(region)]);
    sendMouse(dialog, QEvent::MouseButtonPress, arrow);
    QCOMPARE(dialog.Recorder().Spinner().Value(), uint16_t(region == kSpinUpRegion ? 11 : 9));
    QVERIFY(dialog.SpinTimer().isActive());
    QCOMPARE(dialog.SpinTimer().interval(), 100);
    auto* timer = const_cast<QTimer*>(&dialog.SpinTimer());
    for (int tick = 0; tick < 1000; ++tick) QMetaObject::invokeMethod(timer, "timeout");
    QCOMPARE(int(dialog.Recorder().Spinner().Value()), limit);
    sendMouse(dialog, QEvent::MouseButtonRelease, QPoint(5, 5));
    QVERIFY(!dialog.SpinTimer().isActive());
}

void TestCaptureDialogs::wheelScrollsTheEditorList() {
    CMacro dialog(g_imgSkin, pauses(25), kEnglish, nullptr, grabGranted);
    dialog.show();
    const QPoint list = centre(kMacroEditorRegions[0]);
    sendMouse(dialog, QEvent::MouseMove, list);
    wheelDown(dialog, list, 8);
    QCOMPARE(dialog.Recorder().TopRow(), 5);
    clickAt(dialog, centre(kMacroEditorRegions[CMacro::kFirstMouse + 5]));
    QCOMPARE(dialog.Recorder().TopRow(), 6);
}

void TestCaptureDialogs::choiceKeyboardScrolling() {
    for (int i = 0; i < 30; ++i) {
        m_store.m_Macro[i] = pauses(i + 1);
        m_store.m_strMacroNames[i] = u"Macro " + QString::number(i + 1).toStdU16String();
    }
    m_store.m_nMacroCount = 30;
    CChoice dialog(g_imgSkin, m_store, kEnglish);
    dialog.show();
    for (int i = 0; i < 25; ++i) QTest::keyRelease(&dialog, Qt::Key_Down);
    QCOMPARE(dialog.Choice().SelMacro(), 25);
    QCOMPARE(dialog.Choice().MacroTop(), 5);
    QCOMPARE(dialog.Choice().Preview().count, 26);
    for (int i = 0; i < 21; ++i) QTest::keyRelease(&dialog, Qt::Key_Up);
    QCOMPARE(dialog.Choice().SelMacro(), 4);
    QCOMPARE(dialog.Choice().MacroTop(), 4);
    QVERIFY(dialog.isVisible());
}

void TestCaptureDialogs::choiceClickLoadsThePreview() {
    CChoice dialog(g_imgSkin, m_store, kEnglish);
    dialog.show();
    clickAt(dialog, QPoint(60, kChoiceRegions[2].y + 12 * 3 + 6));
    QCOMPARE(dialog.Choice().SelMacro(), 3);
    QCOMPARE(dialog.Choice().Preview().count, 4);
    clickAt(dialog, centre(kChoiceRegions[CChoice::kOk]));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TestCaptureDialogs::choiceWheel_data() {
    QTest::addColumn<int>("region");  // the list the cursor is over
    QTest::addColumn<int>("steps");   // steps of the first macro
    QTest::addColumn<int>("macroTop");
    QTest::addColumn<int>("stepTop");
    QTest::newRow("30 macros: the macro list scrolls to 9") << int(CChoice::kMacroList) << 1 << 9 << 0;
    QTest::newRow("21 steps: the step list stays") << int(CChoice::kStepList) << 21 << 0 << 0;
    QTest::newRow("25 steps: the step list scrolls to 4") << int(CChoice::kStepList) << 25 << 0 << 4;
}

// Ten notches down over one list; each list stops where its last row shows.
void TestCaptureDialogs::choiceWheel() {
    QFETCH(int, region);
    QFETCH(int, steps);
    QFETCH(int, macroTop);
    QFETCH(int, stepTop);
    MacroStore store;
    for (int i = 0; i < 30; ++i) store.m_Macro[i] = pauses(i == 0 ? steps : 1);
    store.m_nMacroCount = 30;
    CChoice dialog(g_imgSkin, store, kEnglish);
    dialog.show();
    const QPoint list = centre(kChoiceRegions[static_cast<std::size_t>(region)]);
    sendMouse(dialog, QEvent::MouseMove, list);
    wheelDown(dialog, list, 10);
    QCOMPARE(dialog.Choice().MacroTop(), macroTop);
    QCOMPARE(dialog.Choice().StepTop(), stepTop);
}

void TestCaptureDialogs::dragMovesTheDialog() {
    CMacro dialog(g_imgSkin, MacroRecord{}, kEnglish, nullptr, grabGranted);
    dialog.show();
    const QPoint before = dialog.pos();
    const QPoint background(400, 40);
    const QPoint pointer = dialog.mapToGlobal(background) + QPoint(30, 20);
    sendMouse(dialog, QEvent::MouseButtonPress, background);
    sendMouse(dialog, QEvent::MouseMove, dialog.mapFromGlobal(pointer));
    // The pointer stays where it is while the dialog moves under it.
    sendMouse(dialog, QEvent::MouseButtonRelease, dialog.mapFromGlobal(pointer));
    QCOMPARE(dialog.pos(), before + QPoint(30, 20));
    QCOMPARE(dialog.Recorder().Record().count, 0);
}

void TestCaptureDialogs::runSingleKeyDialog_data() {
    QTest::addColumn<QList<NativeKey>>("keys");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("result");  // a result is returned
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("OK after Ctrl+Shift+S")
        << QList<NativeKey>{kLeftCtrl, kLeftShift, kKeyS} << true << true << QList<int>{70, 58, 47};
    QTest::newRow("OK before any key: all zeros") << QList<NativeKey>{} << true << true << QList<int>{};
    QTest::newRow("Cancel") << QList<NativeKey>{kKeyA} << false << false << QList<int>{};
}

// A layout with Z and Y swapped: the dialog shows the layout's name of the key
// and hands back its position, the row the mouse sends whatever the layout.
void TestCaptureDialogs::singleKeyNamesKeysInItsLayout() {
    QString shown;
    whenOpen<CSingleKey>([&](CSingleKey& dialog) {
        chord(dialog, {kLeftCtrl, NativeKey{kKeyY.scanCode, 'z'}});
        shown = QString::fromStdU16String(dialog.ShownText());
        clickAt(dialog, centre(kSingleKeyRegions[CSingleKey::kOk]));
    });
    const std::optional<KeyString> keyString =
        RunSingleKeyDialog(nullptr, g_imgSkin, kEnglish, SwappedZAndY());
    QCOMPARE(shown, QStringLiteral("LCtrl+Z"));
    QVERIFY(keyString);
    QCOMPARE(keysOf(*keyString), (QList<int>{70, 37}));  // LCtrl and the US layout's Y position
}

void TestCaptureDialogs::runSingleKeyDialog() {
    QFETCH(QList<NativeKey>, keys);
    QFETCH(bool, ok);
    QFETCH(bool, result);
    QFETCH(QList<int>, rows);
    whenOpen<CSingleKey>([&](CSingleKey& dialog) {
        chord(dialog, keys);
        clickAt(dialog, centre(kSingleKeyRegions[ok ? CSingleKey::kOk : CSingleKey::kCancel]));
    });
    const std::optional<KeyString> keyString =
        RunSingleKeyDialog(nullptr, g_imgSkin, kEnglish, UsKeyNames());
    QCOMPARE(keyString.has_value(), result);
    if (keyString) QCOMPARE(keysOf(*keyString), rows);
}

void TestCaptureDialogs::runMacroDialog_data() {
    QTest::addColumn<int>("steps");   // the record opened: this many pauses
    QTest::addColumn<bool>("click");  // a click on "Left" is recorded
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("count");
    QTest::newRow("OK after a click") << 0 << true << true << true << 2;
    QTest::newRow("Cancel after a click") << 1 << true << false << false << 1;
    QTest::newRow("OK without a change") << 1 << false << true << false << 1;
    QTest::newRow("OK with an empty list keeps the record") << 0 << false << true << false << 0;
}

void TestCaptureDialogs::runMacroDialog() {
    QFETCH(int, steps);
    QFETCH(bool, click);
    QFETCH(bool, ok);
    QFETCH(bool, changed);
    QFETCH(int, count);
    MacroRecord record = pauses(steps);
    whenOpen<CMacro>([&](CMacro& dialog) {
        if (click) clickAt(dialog, centre(kMacroEditorRegions[7]));
        clickAt(dialog, centre(kMacroEditorRegions[ok ? CMacro::kOk : CMacro::kCancel]));
    });
    QCOMPARE(RunMacroDialog(nullptr, g_imgSkin, record, kEnglish, UsKeyNames()), changed);
    QCOMPARE(record.count, count);
}

void TestCaptureDialogs::runChoiceDialog() {
    whenOpen<CChoice>([](CChoice& dialog) {
        QTest::keyRelease(&dialog, Qt::Key_Down);
        QTest::keyRelease(&dialog, Qt::Key_Down);
        clickAt(dialog, centre(kChoiceRegions[CChoice::kOk]));
    });
    QCOMPARE(RunChoiceDialog(nullptr, g_imgSkin, m_store, kEnglish, UsKeyNames()), std::optional<int>(2));
    whenOpen<CChoice>([](CChoice& dialog) { clickAt(dialog, centre(kChoiceRegions[CChoice::kCancel])); });
    QCOMPARE(RunChoiceDialog(nullptr, g_imgSkin, m_store, kEnglish, UsKeyNames()), std::nullopt);
}

void TestCaptureDialogs::hoverRepaintsOnlyTheRegionsConcerned_data() {
    QTest::addColumn<int>("kind");  // 0 single key, 1 macro editor, 2 macro choice
    QTest::addColumn<QRect>("from");
    QTest::addColumn<QRect>("to");
    const auto rect = [](const SkinRect& r) { return QRect(r.x, r.y, r.w, r.h); };
    QTest::newRow("single key, OK to Cancel")
        << 0 << rect(kSingleKeyRegions[1]) << rect(kSingleKeyRegions[2]);
    QTest::newRow("editor, Left to Right")
        << 1 << rect(kMacroEditorRegions[7]) << rect(kMacroEditorRegions[8]);
    QTest::newRow("editor, spinner up to down")
        << 1 << rect(kMacroEditorRegions[14]) << rect(kMacroEditorRegions[15]);
    QTest::newRow("choice, OK to Cancel") << 2 << rect(kChoiceRegions[4]) << rect(kChoiceRegions[5]);
}

// Moving from one region to another repaints those two regions, not the dialog.
void TestCaptureDialogs::hoverRepaintsOnlyTheRegionsConcerned() {
    QFETCH(int, kind);
    QFETCH(QRect, from);
    QFETCH(QRect, to);
    const std::unique_ptr<QDialog> dialog = anyDialog(kind);
    dialog->show();
    sendMouse(*dialog, QEvent::MouseMove, from.center());
    QCoreApplication::processEvents();
    PaintSpy spy;
    dialog->installEventFilter(&spy);
    sendMouse(*dialog, QEvent::MouseMove, to.center());
    QCoreApplication::processEvents();
    QCOMPARE(spy.painted, QRegion(from) + to);
}

// The selected macro is framed as well as coloured: a line down the left of its row, where no other
// row has one.
void TestCaptureDialogs::choiceFramesTheSelectedMacro() {
    CChoice dialog(g_imgSkin, fiveMacros(), kEnglish);
    dialog.show();
    QTest::keyRelease(&dialog, Qt::Key_Down);
    QTest::keyRelease(&dialog, Qt::Key_Down);
    QCOMPARE(dialog.Choice().SelMacro(), 2);
    const QImage shot = dialog.grab().toImage();
    const QRect first = FirstListRow(SkinQRect(kChoiceRegions[CChoice::kMacroList]), kStepRowHeight);
    for (int row = 0; row < 5; ++row) {
        const QRect frame = SelectedRowFrame(first.translated(0, row * kStepRowHeight));
        int framed = 0;
        for (int y = frame.top(); y <= frame.bottom(); ++y)
            framed += shot.pixelColor(frame.left(), y) == kSelectedRow ? 1 : 0;
        QCOMPARE(framed, row == 2 ? frame.height() : 0);
    }
}

namespace {

// The pixels of `drawn` that differ from `background` by a grey of 96 or more: what reads as text,
// without the antialiased fringe.
QList<QPoint> inkOf(const QImage& drawn, const QImage& background) {
    QList<QPoint> ink;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            if (std::abs(qGray(drawn.pixel(x, y)) - qGray(background.pixel(x, y))) >= 96)
                ink.append({x, y});
        }
    }
    return ink;
}

// A step row of `kind` in `language`, drawn as the lists draw it in the middle row of three; returns
// its ink and the row.
std::pair<QList<QPoint>, QList<QRect>> stepRowInk(int language, int kind) {
    MacroEvent step{static_cast<uint8_t>(kind), {}};
    step.data[0] = kind == kDelay ? 0 : 1;  // the left button, or a pause of 100 ms
    step.data[1] = kind == kDelay ? 100 : 47;
    const QRect row(0, kStepRowHeight, 300, kStepRowHeight);
    QImage image(300, 3 * kStepRowHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QImage background = image;
    QPainter painter(&image);
    painter.setFont(SmallFont(language));
    painter.setPen(Qt::white);
    DrawRowText(painter, row, QString::fromStdU16String(StepRowText(step, 0, language, UsKeyNames())),
                language);
    painter.end();
    return {inkOf(image, background), {row}};
}

// The choice dialog in `language` with three macros named `name`, the second under the cursor; returns
// the ink of the names in the macro list (the dialog with nameless macros taken away) and the rows.
std::pair<QList<QPoint>, QList<QRect>> nameRowInk(int language, const QString& name) {
    MacroStore store;
    for (int i = 0; i < 3; ++i) store.m_Macro[i] = pauses(1);
    store.m_nMacroCount = 3;
    const QRect list = SkinQRect(kChoiceRegions[CChoice::kMacroList]);
    const QRect first = FirstListRow(list, kStepRowHeight);
    const auto shot = [&] {
        CChoice dialog(g_imgSkin, store, language);
        dialog.show();
        sendMouse(dialog, QEvent::MouseMove, first.translated(0, kStepRowHeight).center());
        return dialog.grab().toImage().copy(list);
    };
    const QImage nameless = shot();
    for (int i = 0; i < 3; ++i) store.m_strMacroNames[i] = name.toStdU16String();
    QList<QPoint> ink = inkOf(shot(), nameless);
    for (QPoint& point : ink) point += list.topLeft();
    QList<QRect> rows;
    for (int i = 0; i < 3; ++i) rows.append(first.translated(0, i * kStepRowHeight));
    return {ink, rows};
}

}  // namespace

// The rows of the step lists and of the choice dialog's macro names ink their own row only, and not
// its bottom pixel, so that the glyphs of two rows never touch (Han characters, kana and Hangul fill
// the whole em of a font as tall as the row): each kind of step in each language, and names in Latin,
// Han, kana and Hangul letters, which are the user's own text in any script, in each language.
void TestCaptureDialogs::rowsStayInTheirRows_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("kind");  // of a step, or -1 for a macro name
    QTest::addColumn<QString>("name");
    const std::pair<int, const char*> kinds[] = {
        {kKeyDown, "key down"}, {kKeyUp, "key up"}, {kDelay, "delay"}, {kMouseDown, "mouse down"}};
    const std::pair<QString, const char*> names[] = {{QStringLiteral("Quick Jump (gy)"), "Latin name"},
                                                     {QStringLiteral("连招一號"), "Han name"},
                                                     {QStringLiteral("マクロ連続"), "kana name"},
                                                     {QStringLiteral("매크로 점프"), "Hangul name"}};
    const char* languages[] = {
        "Simplified Chinese", "Traditional Chinese", "English", "German", "Japanese", "Korean"};
    for (int language = 0; language < kLanguageCount; ++language) {
        for (const auto& [kind, label] : kinds)
            QTest::addRow("%s, step %s", languages[language], label) << language << kind << QString();
        for (const auto& [name, label] : names)
            QTest::addRow("%s, %s", languages[language], label) << language << -1 << name;
    }
}

void TestCaptureDialogs::rowsStayInTheirRows() {
    QFETCH(int, language);
    QFETCH(int, kind);
    QFETCH(QString, name);
    const auto [ink, rows] = kind < 0 ? nameRowInk(language, name) : stepRowInk(language, kind);
    for (const QRect& row : rows) {
        QVERIFY2(std::any_of(ink.begin(), ink.end(), [&](QPoint p) { return row.contains(p); }),
                 qPrintable(QStringLiteral("nothing drawn in the row from y %1").arg(row.top())));
    }
    for (const QPoint& p : ink) {
        // the rows less their bottom pixels
        const bool inRow = std::any_of(rows.begin(), rows.end(), [&](const QRect& row) {
            return row.adjusted(0, 0, 0, -1).contains(p);
        });
        QVERIFY2(inRow, qPrintable(QStringLiteral("ink at (%1, %2), rows from y %3 in steps of %4")
                                       .arg(p.x())
                                       .arg(p.y())
                                       .arg(rows.first().top())
                                       .arg(kStepRowHeight)));
    }
}

void TestCaptureDialogs::screenshots_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("english") << kEnglish;
    QTest::newRow("japanese") << 4;
    QTest::newRow("german") << 3;
    QTest::newRow("korean") << 5;
    QTest::newRow("chinese") << 0;
    QTest::newRow("traditional-chinese") << 1;
}

// The three dialogs with content (the choice dialog also over names in several scripts), as a user sees
// them (the grab granted), for the README.
void TestCaptureDialogs::screenshots() {
    QFETCH(int, language);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const QString folder = QStringLiteral(VOLTRANE_SCREENSHOT_DIR "/");
    QVERIFY(QDir().mkpath(folder));

    CSingleKey single(g_imgSkin, language, nullptr, grabGranted);
    single.show();
    chord(single, {kLeftCtrl, kLeftShift, kKeyS});
    QVERIFY(saveShot(single, folder + QStringLiteral("single-key-%1.png").arg(name)));
    CSingleKey refused(g_imgSkin, language);  // as on Wayland
    refused.show();
    QCoreApplication::processEvents();
    chord(refused, {kLeftCtrl, kKeyS});
    QVERIFY(saveShot(refused, folder + QStringLiteral("single-key-no-grab-%1.png").arg(name)));

    CMacro editor(g_imgSkin, MacroRecord{}, language, nullptr, grabGranted);
    editor.show();
    clickAt(editor, centre(kMacroEditorRegions[2]));
    chord(editor, {kLeftCtrl, kKeyA});
    clickAt(editor, centre(kMacroEditorRegions[7]));
    clickAt(editor, centre(kMacroEditorRegions[12]));
    press(editor, kLeftShift);
    sendMouse(editor, QEvent::MouseMove, centre(kMacroEditorRegions[8]));
    QVERIFY(saveShot(editor, folder + QStringLiteral("macro-editor-%1.png").arg(name)));

    CChoice choice(g_imgSkin, m_store, language);
    choice.show();
    clickAt(choice, QPoint(60, kChoiceRegions[2].y + 12 * 6 + 6));
    sendMouse(choice, QEvent::MouseMove, centre(kChoiceRegions[CChoice::kOk]));
    QVERIFY(saveShot(choice, folder + QStringLiteral("macro-choice-%1.png").arg(name)));

    MacroStore scripts;  // names are the user's own text, in any script
    const char16_t* names[] = {u"Quick Jump (gy)", u"连招一號", u"マクロ連続", u"매크로 점프",
                               u"Zauberspruch"};
    for (const char16_t* macroName : names) {
        scripts.m_Macro[scripts.m_nMacroCount] = pauses(2);
        scripts.m_strMacroNames[scripts.m_nMacroCount++] = macroName;
    }
    CChoice named(g_imgSkin, scripts, language);
    named.show();
    sendMouse(named, QEvent::MouseMove, QPoint(60, kChoiceRegions[2].y + 12 * 2 + 6));
    QVERIFY(saveShot(named, folder + QStringLiteral("macro-choice-names-%1.png").arg(name)));
}

QTEST_MAIN(TestCaptureDialogs)
#include "test_capture_dialogs.moc"
