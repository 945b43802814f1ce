// The main window for a person without a pointer or without sight, on the offscreen platform: every
// control in the accessible tree with its role, its name in English, German and Japanese, its states,
// value and actions; and the keyboard focus moved and used by key presses only.

#include <QAccessible>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolTip>
#include <cmath>
#include <set>

#include "control/menu_commands.h"
#include "settings/text_tables.h"
#include "skin/item_qrect.h"
#include "skin/msg_box_dlg.h"
#include "skin/my_combo_box.h"
#include "when_shown.h"
#include "window_rig.h"

using namespace voltrane;

namespace {

constexpr int kGerman = 3;
constexpr int kJapanese = 4;
constexpr int kBothPages = -1;
// Stops that are child widgets, not items.
constexpr int kComboStop = -1;
constexpr int kNameBoxStop = -2;

struct ExpectedControl {
    int item;  // its rectangle's item; kComboStop and kNameBoxStop for the child boxes
    QAccessible::Role role;
    int page;
    const char16_t* english;
    const char16_t* german;
    const char16_t* japanese;
};

using R = QAccessible::Role;
constexpr R kButton = QAccessible::PushButton;
constexpr R kMenuButton = QAccessible::ButtonMenu;
constexpr R kRadio = QAccessible::RadioButton;
constexpr R kSpin = QAccessible::SpinBox;
constexpr R kTab = QAccessible::PageTab;

// clang-format off
const ExpectedControl kExpected[] = {
    {125, kTab, kBothPages, u"Basic config", u"Grundeinstellungen", u"基本設定"},
    {126, kTab, kBothPages, u"Advanced config", u"Erweiterte Einstellungen", u"詳細設定"},
    {kComboStop, QAccessible::ComboBox, kBothPages, u"Language", u"Sprache", u"言語"},
    {123, kButton, kBothPages, u"Minimise", u"Minimieren", u"最小化"},
    {124, kButton, kBothPages, u"Close", u"Schließen", u"閉じる"},
    {0, kButton, 0, u"Button 1", u"Taste 1", u"ボタン1"},
    {1, kMenuButton, 0, u"Button 2", u"Taste 2", u"ボタン2"},
    {2, kMenuButton, 0, u"Button 3", u"Taste 3", u"ボタン3"},
    {3, kMenuButton, 0, u"Button 4", u"Taste 4", u"ボタン4"},
    {4, kMenuButton, 0, u"Button 5", u"Taste 5", u"ボタン5"},
    {5, kMenuButton, 0, u"Button 6", u"Taste 6", u"ボタン6"},
    {6, kMenuButton, 0, u"Button 7", u"Taste 7", u"ボタン7"},
    {14, kRadio, 0, u"Single", u"Einfarbig", u"単色"},
    {15, kRadio, 0, u"Colorshift", u"Farbwechsel", u"カラーシフト"},
    {16, QAccessible::CheckBox, 0, u"Breathing", u"Atmung", u"ブリージング"},
    {17, kSpin, 0, u"Lighting step up", u"Lichtstufe höher", u"発光段階を上げる"},
    {18, kSpin, 0, u"Lighting step down", u"Lichtstufe niedriger", u"発光段階を下げる"},
    {24, kRadio, 0, u"Red LED Off", u"Rote LED Aus", u"赤色LED オフ"},
    {25, kRadio, 0, u"Red LED On", u"Rote LED Ein", u"赤色LED オン"},
    {26, kSpin, 0, u"Red LED level up", u"Rote LED heller", u"赤色LEDを明るく"},
    {27, kSpin, 0, u"Red LED level down", u"Rote LED dunkler", u"赤色LEDを暗く"},
    {28, kRadio, 0, u"Yellow LED Off", u"Gelbe LED Aus", u"黄色LED オフ"},
    {29, kRadio, 0, u"Yellow LED On", u"Gelbe LED Ein", u"黄色LED オン"},
    {30, kSpin, 0, u"Yellow LED level up", u"Gelbe LED heller", u"黄色LEDを明るく"},
    {31, kSpin, 0, u"Yellow LED level down", u"Gelbe LED dunkler", u"黄色LEDを暗く"},
    {32, kRadio, 0, u"Green LED Off", u"Grüne LED Aus", u"緑色LED オフ"},
    {33, kRadio, 0, u"Green LED On", u"Grüne LED Ein", u"緑色LED オン"},
    {34, kSpin, 0, u"Green LED level up", u"Grüne LED heller", u"緑色LEDを明るく"},
    {35, kSpin, 0, u"Green LED level down", u"Grüne LED dunkler", u"緑色LEDを暗く"},
    {20, kRadio, 0, u"125Hz", u"125Hz", u"125Hz"},
    {21, kRadio, 0, u"250Hz", u"250Hz", u"250Hz"},
    {22, kRadio, 0, u"500Hz", u"500Hz", u"500Hz"},
    {23, kRadio, 0, u"1000Hz", u"1000Hz", u"1000Hz"},
    {51, QAccessible::Slider, 0, u"DPI level", u"DPI-Stufe", u"DPIレベル"},
    {46, kSpin, 0, u"DPI up", u"DPI höher", u"DPIを上げる"},
    {47, kSpin, 0, u"DPI down", u"DPI niedriger", u"DPIを下げる"},
    {78, QAccessible::Slider, 1, u"Cursor Speed", u"Zeigergeschwindigkeit", u"ポインターの速度"},
    {69, QAccessible::CheckBox, 1, u"Enhance pointer precision", u"Zeigerbeschleunigung verbessern",
     u"ポインターの精度を高める"},
    {70, kRadio, 1, u"Several lines at a time", u"Mehrere Zeilen auf einmal", u"一度に複数行"},
    {71, kRadio, 1, u"One screen at a time", u"Jeweils eine Bildschirmseite", u"1 画面ずつ"},
    {79, QAccessible::Slider, 1, u"Vertical Scrolling", u"Vertikaler Bildlauf", u"垂直スクロール"},
    {80, QAccessible::Slider, 1, u"Double-click speed", u"Doppelklickgeschwindigkeit", u"ダブルクリックの速度"},
    {kNameBoxStop, QAccessible::EditableText, 1, u"Macro name", u"Makroname", u"マクロ名"},
    {61, kButton, 1, u"Name", u"Umbenennen", u"名前"},
    {86, QAccessible::List, 1, u"Macro list", u"Makroliste", u"マクロリスト"},
    {64, kButton, 1, u"Import", u"Importieren", u"インポート"},
    {65, kButton, 1, u"Save", u"Speichern", u"保存"},
    {66, kButton, 1, u"Export", u"Exportieren", u"エクスポート"},
    {67, kButton, 1, u"Delete", u"Löschen", u"削除"},
    {68, kButton, 1, u"Edit", u"Bearbeiten", u"編集"},
    {115, kTab, kBothPages, u"Setting1", u"Profil 1", u"設定1"},
    {116, kTab, kBothPages, u"Setting2", u"Profil 2", u"設定2"},
    {117, kTab, kBothPages, u"Setting3", u"Profil 3", u"設定3"},
    {118, kTab, kBothPages, u"Setting4", u"Profil 4", u"設定4"},
    {119, kTab, kBothPages, u"Setting5", u"Profil 5", u"設定5"},
    {120, kButton, kBothPages, u"Load setting", u"Profil laden", u"設定の読み込み"},
    {121, kMenuButton, kBothPages, u"Save setting", u"Profil speichern", u"設定の保存"},
    {122, kButton, kBothPages, u"Default", u"Standard", u"初期設定"},
    {128, kButton, kBothPages, u"OK", u"OK", u"OK"},
    {129, kButton, kBothPages, u"Apply", u"Übernehmen", u"適用"},
    {130, kButton, kBothPages, u"Cancel", u"Abbrechen", u"キャンセル"},
};
// clang-format on

QString text(const char16_t* s) { return QString::fromUtf16(s); }

QAccessibleInterface* windowInterface(WindowRig& rig) {
    return QAccessible::queryAccessibleInterface(rig.window.get());
}

// The child of the window named `name`, or null.
QAccessibleInterface* childNamed(WindowRig& rig, const QString& name) {
    QAccessibleInterface* window = windowInterface(rig);
    for (int i = 0; i < window->childCount(); ++i) {
        QAccessibleInterface* child = window->child(i);
        if (child && child->text(QAccessible::Name) == name) return child;
    }
    return nullptr;
}

void showPage(WindowRig& rig, int page) {
    if (rig.window->GetMainController().m_nPage != page)
        rig.window->GetMainController().ActivateItem(kItemBasicTab + page);
}

bool openActive(WindowRig& rig) {
    if (!rig.Open()) return false;
    rig.window->activateWindow();
    return QTest::qWaitForWindowActive(rig.window.get());
}

void key(WindowRig& rig, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : rig.window.get();
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

// Where the keyboard focus is: an item, or one of the child boxes.
int focusStop(WindowRig& rig) {
    if (rig.window->LanguageBox()->hasFocus()) return kComboStop;
    if (rig.window->MacroNameEdit()->hasFocus()) return kNameBoxStop;
    return rig.window->hasFocus() ? rig.window->FocusItem() : kNoItem;
}

// Tabs until the focus is on `item`, at most once round the window.
bool tabTo(WindowRig& rig, int item) {
    for (int i = 0; i < 40; ++i) {
        key(rig, Qt::Key_Tab);
        if (focusStop(rig) == item) return true;
    }
    return false;
}

double luminance(QRgb rgb) {
    const auto channel = [](int c) {
        const double v = c / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
}

double contrast(QRgb a, QRgb b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The smallest rectangle holding every pixel that differs between two pictures of one size.
QRect changedArea(const QImage& a, const QImage& b) {
    QRect area;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) area |= QRect(x, y, 1, 1);
        }
    }
    return area;
}

// Three stored macros, "M1" to "M3".
void storeThreeMacros(WindowRig& rig) {
    MacroStore& store = rig.window->GetController().Store();
    for (int slot = 0; slot < 3; ++slot) {
        store.m_Macro[slot].count = 1;
        store.m_strMacroNames[slot] = u"M" + std::u16string(1, char16_t(u'1' + slot));
    }
    store.m_nMacroCount = 3;
}

}  // namespace

class TestWindowAccess : public QObject {
    Q_OBJECT

private slots:
    void everyControlHasRoleNameAndStates_data();
    void everyControlHasRoleNameAndStates();
    void sixtyOneControlsOverBothPages();
    void pressAndValuesReachTheSetting();
    void whatIsAtAPointIsTheControlThere();
    void focusIsTheControlActivatedLast();
    void listRowsAreItsChildren();
    void arrowsSelectMacroRows();
    void ledsAreNamedInTheirTooltips_data();
    void ledsAreNamedInTheirTooltips();
    void tabVisitsTheGroupsInReadingOrder_data();
    void tabVisitsTheGroupsInReadingOrder();
    void keysWithinAGroup_data();
    void keysWithinAGroup();
    void controlTabSwitchesPages_data();
    void controlTabSwitchesPages();
    void menuKeysOpenTheFunctionMenu_data();
    void menuKeysOpenTheFunctionMenu();
    void focusRingOnlyFromTheKeyboard_data();
    void focusRingOnlyFromTheKeyboard();
    void languageBoxFitsALargeFont();
    void boxesAreNamedInTheirLanguage_data();
    void boxesAreNamedInTheirLanguage();
};

void TestWindowAccess::everyControlHasRoleNameAndStates_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < std::size(kExpected); ++i)
        QTest::newRow(QString::fromUtf16(kExpected[i].english).toUtf8().constData()) << static_cast<int>(i);
}

// Found by its English name; the same object then answers in German and Japanese; visible only on
// its own page; its rectangle the one it is drawn in.
void TestWindowAccess::everyControlHasRoleNameAndStates() {
    QFETCH(int, row);
    const ExpectedControl& expected = kExpected[row];
    WindowRig rig;
    QVERIFY(rig.Open());
    QAccessibleInterface* control = childNamed(rig, text(expected.english));
    QVERIFY2(control, "no control of this name");
    QCOMPARE(control->role(), expected.role);
    if (expected.item >= 0) {
        const QRect drawn = ItemQRect(expected.item);
        QCOMPARE(control->rect(), QRect(rig.window->mapToGlobal(drawn.topLeft()), drawn.size()));
        QVERIFY(control->state().focusable);
    }
    for (int page : {0, 1}) {
        showPage(rig, page);
        const bool shown = expected.page == kBothPages || expected.page == page;
        QCOMPARE(bool(control->state().invisible), !shown);
    }
    rig.window->OnLanguageChange(kGerman);
    QCOMPARE(control->text(QAccessible::Name), text(expected.german));
    rig.window->OnLanguageChange(kJapanese);
    QCOMPARE(control->text(QAccessible::Name), text(expected.japanese));
}

// Every control of either page is an object of its own, and no two share a name.
void TestWindowAccess::sixtyOneControlsOverBothPages() {
    WindowRig rig;
    QVERIFY(rig.Open());
    std::set<QString> names;
    for (int page : {0, 1}) {
        showPage(rig, page);
        QAccessibleInterface* window = windowInterface(rig);
        for (int i = 0; i < window->childCount(); ++i) {
            QAccessibleInterface* child = window->child(i);
            if (child->state().invisible || child->role() == QAccessible::StaticText) continue;
            QVERIFY2(!child->text(QAccessible::Name).isEmpty(), qPrintable(QString::number(i)));
            names.insert(child->text(QAccessible::Name));
        }
    }
    QCOMPARE(names.size(), std::size(kExpected));
    QCOMPARE(names.size(), std::size_t{61});
}

void TestWindowAccess::pressAndValuesReachTheSetting() {
    WindowRig rig;
    QVERIFY(rig.Open());
    QAccessibleInterface* single = childNamed(rig, QStringLiteral("Single"));
    QAccessibleInterface* shift = childNamed(rig, QStringLiteral("Colorshift"));
    QAccessibleInterface* breathing = childNamed(rig, QStringLiteral("Breathing"));
    QVERIFY(single && shift && breathing);
    QVERIFY(single->state().checked);
    QVERIFY(!breathing->state().checked);
    shift->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(rig.Items()[kItemColorShift], 1);
    QVERIFY(shift->state().checked);
    QVERIFY(!single->state().checked);
    QVERIFY(breathing->state().checked);  // colour shift always breathes

    QAccessibleInterface* dpi = childNamed(rig, QStringLiteral("DPI level"));
    QAccessibleValueInterface* value = dpi->valueInterface();
    QVERIFY(value);
    QCOMPARE(value->currentValue().toInt(), rig.Items()[kItemDpi]);
    QCOMPARE(value->maximumValue().toInt(), 4);
    QCOMPARE(dpi->text(QAccessible::Value), QStringLiteral("1000"));
    dpi->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    QCOMPARE(rig.Items()[kItemDpi], 2);
    QCOMPARE(dpi->text(QAccessible::Value), QStringLiteral("2000"));
    value->setCurrentValue(4);
    QCOMPARE(rig.Items()[kItemDpi], 4);

    // A stepper shows the number it steps; its arrows step it up or down whichever arrow is asked.
    QAccessibleInterface* shineDown = childNamed(rig, QStringLiteral("Lighting step down"));
    QCOMPARE(shineDown->valueInterface()->currentValue().toInt(), rig.Items()[kItemShine]);
    shineDown->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    QCOMPARE(rig.Items()[kItemShine], 2);
    shineDown->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(rig.Items()[kItemShine], 1);

    // The tabs of the page and of the profile shown are the selected ones.
    QVERIFY(childNamed(rig, QStringLiteral("Basic config"))->state().selected);
    QVERIFY(!childNamed(rig, QStringLiteral("Advanced config"))->state().selected);
    QVERIFY(childNamed(rig, QStringLiteral("Setting1"))->state().selected);

    QAccessibleInterface* button4 = childNamed(rig, QStringLiteral("Button 4"));
    QVERIFY(
        button4->actionInterface()->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
    QCOMPARE(button4->text(QAccessible::Description), QStringLiteral("FORWARD"));
}

void TestWindowAccess::whatIsAtAPointIsTheControlThere() {
    WindowRig rig;
    QVERIFY(rig.Open());
    for (const ExpectedControl& expected : kExpected) {
        if (expected.item < 0 || expected.page == 1) continue;
        const QPoint centre = rig.window->mapToGlobal(ItemQRect(expected.item).center());
        QAccessibleInterface* at = windowInterface(rig)->childAt(centre.x(), centre.y());
        QVERIFY2(at, qPrintable(text(expected.english)));
        QCOMPARE(at->text(QAccessible::Name), text(expected.english));
    }
}

void TestWindowAccess::focusIsTheControlActivatedLast() {
    WindowRig rig;
    QVERIFY(openActive(rig));
    QVERIFY(tabTo(rig, kItemOk));
    QAccessibleInterface* focus = windowInterface(rig)->focusChild();
    QVERIFY(focus);
    QCOMPARE(focus->text(QAccessible::Name), QStringLiteral("OK"));
    QVERIFY(focus->state().focused);
    QVERIFY(!childNamed(rig, QStringLiteral("Apply"))->state().focused);
}

void TestWindowAccess::listRowsAreItsChildren() {
    WindowRig rig;
    QVERIFY(rig.Open());
    showPage(rig, kAdvancedPage);
    QAccessibleInterface* list = childNamed(rig, QStringLiteral("Macro list"));
    QVERIFY(list);
    QCOMPARE(list->childCount(), 1);  // no macro yet: the row that makes one
    QAccessibleInterface* row = list->child(0);
    QCOMPARE(row->role(), QAccessible::ListItem);
    QCOMPARE(row->text(QAccessible::Name), QStringLiteral("<New Macro>"));
    QVERIFY(row->state().selected);
    QCOMPARE(row->parent(), list);
    QCOMPARE(list->indexOfChild(row), 0);
}

// Up and Down select the row above or below, "<New Macro>" the last; the rows follow.
void TestWindowAccess::arrowsSelectMacroRows() {
    WindowRig rig;
    QVERIFY(openActive(rig));
    storeThreeMacros(rig);
    showPage(rig, kAdvancedPage);
    QVERIFY(tabTo(rig, kItemMacroList));
    const MacroStore& store = rig.window->GetController().Store();
    QCOMPARE(store.m_nMacroSel, 0);
    const QList<QPair<int, int>> steps = {
        {Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Down, 3}, {Qt::Key_Down, 3}, {Qt::Key_Up, 2}};
    for (const auto& [k, selected] : steps) {
        key(rig, k);
        QCOMPARE(store.m_nMacroSel, selected);
        QCOMPARE(focusStop(rig), int(kItemMacroList));
    }
    QAccessibleInterface* list = childNamed(rig, QStringLiteral("Macro list"));
    QCOMPARE(list->childCount(), 4);
    QVERIFY(list->child(2)->state().selected);
    QVERIFY(!list->child(0)->state().selected);
}

void TestWindowAccess::ledsAreNamedInTheirTooltips_data() {
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("tip");
    QTest::newRow("red Off") << kLampItems[0].off << kEnglish << QStringLiteral("Red LED");
    QTest::newRow("yellow level up") << kLampItems[1].up << kEnglish << QStringLiteral("Yellow LED");
    QTest::newRow("green On, German") << kLampItems[2].on << kGerman << QStringLiteral("Grüne LED");
    QTest::newRow("green On, Japanese") << kLampItems[2].on << kJapanese << QStringLiteral("緑色LED");
}

void TestWindowAccess::ledsAreNamedInTheirTooltips() {
    QFETCH(int, item);
    QFETCH(int, language);
    QFETCH(QString, tip);
    WindowRig rig;
    QVERIFY(rig.Open());
    rig.window->OnLanguageChange(language);
    const QPoint point = ItemQRect(item).center();
    QHelpEvent event(QEvent::ToolTip, point, rig.window->mapToGlobal(point));
    QApplication::sendEvent(rig.window.get(), &event);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), tip);
    QToolTip::hideText();
}

void TestWindowAccess::tabVisitsTheGroupsInReadingOrder_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<QList<int>>("stops");
    // On a radio set or a tab row Tab lands on the checked control (a factory-new mouse: Single,
    // every LED off, 500Hz; profile 1 highlighted).
    const QList<int> basic = {125, kComboStop, 123, 0,  14, 17, 24,  26,  28,
                              30,  32,         34,  22, 51, 46, 115, 120, 128};
    const QList<int> advanced = {126, kComboStop, 123, 78, 69, 70, 79, 80, 61, 86, 64, 115, 120, 128};
    QList<int> basicBack(basic.rbegin(), basic.rend());
    QList<int> advancedBack(advanced.rbegin(), advanced.rend());
    QTest::newRow("basic page, Tab") << 0 << true << basic;
    QTest::newRow("basic page, Shift+Tab") << 0 << false << basicBack;
    QTest::newRow("advanced page, Tab") << 1 << true << advanced;
    QTest::newRow("advanced page, Shift+Tab") << 1 << false << advancedBack;
}

// From the start, where the window holds the focus (not the language box, which would take a typed
// letter for a language), round the whole window and back.
void TestWindowAccess::tabVisitsTheGroupsInReadingOrder() {
    QFETCH(int, page);
    QFETCH(bool, forward);
    QFETCH(QList<int>, stops);
    WindowRig rig;
    QVERIFY(openActive(rig));
    showPage(rig, page);
    rig.window->GetMainController().m_nFocusItem = kNoItem;
    QList<int> seen;
    for (qsizetype i = 0; i <= stops.size(); ++i) {
        key(rig, forward ? Qt::Key_Tab : Qt::Key_Backtab, forward ? Qt::NoModifier : Qt::ShiftModifier);
        seen << focusStop(rig);
    }
    QCOMPARE(seen.mid(0, stops.size()), stops);
    QCOMPARE(seen.back(), stops.front());
}

void TestWindowAccess::keysWithinAGroup_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("focus");
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("value");
    QTest::newRow("Down to the next button row") << 0 << QList<int>{Qt::Key_Down} << 1 << 0 << 1;
    QTest::newRow("Up wraps to the last button row") << 0 << QList<int>{Qt::Key_Up} << 6 << 0 << 1;
    QTest::newRow("Right moves along the rates, not choosing")
        << 22 << QList<int>{Qt::Key_Right} << 23 << int(kItemRate1000) << 0;
    QTest::newRow("Right wraps to the first rate")
        << 22 << QList<int>{Qt::Key_Right, Qt::Key_Right} << 20 << int(kItemRate125) << 0;
    QTest::newRow("Enter chooses the rate")
        << 22 << QList<int>{Qt::Key_Right, Qt::Key_Return} << 23 << int(kItemRate1000) << 1;
    QTest::newRow("Space chooses the rate")
        << 22 << QList<int>{Qt::Key_Left, Qt::Key_Space} << 21 << int(kItemRate125 + 1) << 1;
    QTest::newRow("keypad Enter turns the LED on")
        << 24 << QList<int>{Qt::Key_Right, Qt::Key_Enter} << 25 << int(kLampItems[0].on) << 1;
    QTest::newRow("Right raises the DPI slider")
        << 51 << QList<int>{Qt::Key_Right} << 51 << int(kItemDpi) << 2;
    QTest::newRow("Down lowers the DPI slider")
        << 51 << QList<int>{Qt::Key_Down} << 51 << int(kItemDpi) << 0;
    QTest::newRow("Down to the DPI down arrow, Enter steps")
        << 46 << QList<int>{Qt::Key_Down, Qt::Key_Return} << 47 << int(kItemDpi) << 0;
    QTest::newRow("Enter on the lighting step up")
        << 17 << QList<int>{Qt::Key_Return} << 17 << int(kItemShine) << 2;
    QTest::newRow("Left along the profile tabs") << 115 << QList<int>{Qt::Key_Left} << 119 << 119 << 0;
}

void TestWindowAccess::keysWithinAGroup() {
    QFETCH(int, start);
    QFETCH(QList<int>, keys);
    QFETCH(int, focus);
    QFETCH(int, item);
    QFETCH(int, value);
    WindowRig rig;
    QVERIFY(openActive(rig));
    QVERIFY(tabTo(rig, start));
    for (int k : keys) key(rig, k);
    QCOMPARE(focusStop(rig), focus);
    QCOMPARE(rig.Items()[item], value);
}

void TestWindowAccess::controlTabSwitchesPages_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("fromComboBox");
    QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << false;
    QTest::newRow("Ctrl+PgDn") << int(Qt::Key_PageDown) << false;
    QTest::newRow("Ctrl+PgUp") << int(Qt::Key_PageUp) << false;
    QTest::newRow("Ctrl+Tab in the language box") << int(Qt::Key_Tab) << true;
}

void TestWindowAccess::controlTabSwitchesPages() {
    QFETCH(int, key);
    QFETCH(bool, fromComboBox);
    WindowRig rig;
    QVERIFY(openActive(rig));
    QVERIFY(fromComboBox ? tabTo(rig, kComboStop) : tabTo(rig, kItemOk));
    ::key(rig, key, Qt::ControlModifier);
    QCOMPARE(rig.window->GetMainController().m_nPage, kAdvancedPage);
    QCOMPARE(focusStop(rig), kItemAdvancedTab);
    QVERIFY(!rig.window->MacroNameEdit()->isHidden());
    ::key(rig, key, Qt::ControlModifier);
    QCOMPARE(rig.window->GetMainController().m_nPage, kBasicPage);
    QCOMPARE(focusStop(rig), kItemBasicTab);
}

void TestWindowAccess::menuKeysOpenTheFunctionMenu_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Menu") << int(Qt::Key_Menu) << int(Qt::NoModifier);
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
    QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier);
}

// The menu is named after its button and checks the button's function; Up from the top wraps to
// "Disable", which Enter chooses.
void TestWindowAccess::menuKeysOpenTheFunctionMenu() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    WindowRig rig;
    QVERIFY(openActive(rig));
    QVERIFY(tabTo(rig, 0));
    for (int i = 0; i < 3; ++i) ::key(rig, Qt::Key_Down);
    QCOMPARE(focusStop(rig), 3);
    const int function = rig.Items()[3];
    QString name;
    QList<int> checked;
    WhenShown<QMenu>([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); },
                     [&](QMenu* menu) {
                         name = QAccessible::queryAccessibleInterface(menu)->text(QAccessible::Name);
                         for (QAction* action : menu->actions()) {
                             if (action->isChecked()) checked << action->data().toInt();
                         }
                         QTest::keyClick(menu, Qt::Key_Up);
                         QTest::keyClick(menu, Qt::Key_Return);
                     });
    ::key(rig, key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(name, QStringLiteral("Button 4"));
    QCOMPARE(checked, QList<int>{CommandOfRow(function)});
    QCOMPARE(rig.Items()[3], int(kFunctionDisable));
}

void TestWindowAccess::focusRingOnlyFromTheKeyboard_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("keepClear");  // an item the ring must leave uncovered
    QTest::newRow("OK") << 0 << int(kItemOk) << kNoItem;
    QTest::newRow("Single") << 0 << int(kItemSingle) << kNoItem;
    QTest::newRow("DPI slider, its number clear") << 0 << int(kItemDpiSlider) << int(kItemDpi);
    QTest::newRow("cursor speed") << 1 << int(kItemSpeedSlider) << kNoItem;
    QTest::newRow("Import") << 1 << int(kItemImport) << kNoItem;
}

// The ring (all that changes) goes round the control and stands out at least 3:1 from what it covers
// all round; a click hides it and the picture is the one without focus again.
void TestWindowAccess::focusRingOnlyFromTheKeyboard() {
    QFETCH(int, page);
    QFETCH(int, item);
    QFETCH(int, keepClear);
    WindowRig rig;
    QVERIFY(openActive(rig));
    showPage(rig, page);
    const QImage before = rig.window->grab().toImage();
    QVERIFY(tabTo(rig, item));
    QVERIFY(rig.window->ShowsFocusRing());
    const QImage ringed = rig.window->grab().toImage();
    const QString folder = QStringLiteral(VOLTRANE_SCREENSHOT_DIR) + "/";
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(ringed.save(folder + QStringLiteral("focus-ring-%1.png").arg(item)));
    // Across the ring's width at every point of its sides, some pixel stands out from what was there.
    const QRect ring = changedArea(before, ringed);
    QVERIFY(ring.contains(ItemQRect(item).center()));
    if (keepClear != kNoItem) QVERIFY(!ring.intersects(ItemQRect(keepClear)));
    const auto standsOut = [&](QPoint edge, QPoint inward) {
        double best = 0;
        for (int depth = 0; depth < 3; ++depth) {
            const QPoint p = edge + inward * depth;
            best = std::max(best, contrast(ringed.pixel(p), before.pixel(p)));
        }
        return best >= 3.0;
    };
    int weak = 0;
    for (int x = ring.left() + 3; x <= ring.right() - 3; ++x) {
        weak += !standsOut({x, ring.top()}, {0, 1}) + !standsOut({x, ring.bottom()}, {0, -1});
    }
    for (int y = ring.top() + 3; y <= ring.bottom() - 3; ++y) {
        weak += !standsOut({ring.left(), y}, {1, 0}) + !standsOut({ring.right(), y}, {-1, 0});
    }
    QCOMPARE(weak, 0);
    const QPoint background(400, 40);
    QTest::mouseClick(rig.window.get(), Qt::LeftButton, Qt::NoModifier, background);
    QVERIFY(!rig.window->ShowsFocusRing());
    QCOMPARE(rig.window->grab().toImage(), before);
}

void TestWindowAccess::languageBoxFitsALargeFont() {
    WindowRig rig;
    QVERIFY(rig.Open());
    CMyComboBox* box = rig.window->LanguageBox();
    QFont large = box->font();
    large.setPointSize(large.pointSize() * 2);
    box->setFont(large);
    rig.window->OnLanguageChange(kGerman);
    QVERIFY(box->width() >= box->sizeHint().width());
    QVERIFY(box->height() >= box->sizeHint().height());
    QCOMPARE(box->geometry().right(), kLanguageBoxRect.right() - 1);
    QCOMPARE(box->accessibleName(), QStringLiteral("Sprache"));
}

void TestWindowAccess::boxesAreNamedInTheirLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("answers");
    QTest::addColumn<QString>("name");
    QTest::newRow("Simplified Chinese message") << 0 << QString() << 1 << QStringLiteral("消息");
    QTest::newRow("Traditional Chinese message") << 1 << QString() << 1 << QStringLiteral("訊息");
    QTest::newRow("English message") << 2 << QString() << 1 << QStringLiteral("Message");
    QTest::newRow("German message") << 3 << QString() << 1 << QStringLiteral("Meldung");
    QTest::newRow("Japanese message") << 4 << QString() << 1 << QStringLiteral("メッセージ");
    QTest::newRow("Korean message") << 5 << QString() << 1 << QStringLiteral("메시지");
    QTest::newRow("unknown language") << 9 << QString() << 1 << QStringLiteral("Message");
    QTest::newRow("English question") << 2 << QString() << 2 << QStringLiteral("Question");
    QTest::newRow("German question") << 3 << QString() << 2 << QStringLiteral("Frage");
    QTest::newRow("Korean question") << 5 << QString() << 2 << QStringLiteral("질문");
    QTest::newRow("message with a caption")
        << 3 << QStringLiteral("Fehler") << 1 << QStringLiteral("Fehler");
    QTest::newRow("question with a caption") << 2 << QStringLiteral("Save") << 2 << QStringLiteral("Save");
}

// A box is read by its caption, or without one (the caption stays blank) by its kind in its language;
// its text is the description.
void TestWindowAccess::boxesAreNamedInTheirLanguage() {
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(int, answers);
    QFETCH(QString, name);
    const QString message = QStringLiteral("The files have been saved\nin the program folder");
    const QStringList labels = QStringList{QStringLiteral("A"), QStringLiteral("B")}.mid(0, answers);
    CMsgBoxDlg box(message, title, labels, language, QFont());
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&box);
    QVERIFY(access);
    QCOMPARE(access->role(), QAccessible::Dialog);
    QCOMPARE(access->text(QAccessible::Name), name);
    QCOMPARE(access->text(QAccessible::Description), message);
    QCOMPARE(box.windowTitle(), title);
}

QTEST_MAIN(TestWindowAccess)
#include "test_window_access.moc"
