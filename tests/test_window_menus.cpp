// The window's menus and macro panel end to end on the offscreen platform: the menus chosen by
// clicks, the capture dialogs scripted, and each flow checked in the files and the virtual mouse.

#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <functional>

#include "device/reports.h"
#include "settings/macro_files.h"
#include "settings/text_tables.h"
#include "skin/hit_test.h"
#include "skin/my_combo_box.h"
#include "when_shown.h"
#include "window_rig.h"

using namespace voltrane;

namespace {

constexpr int kMacroRowHeight = 12;

QPoint centreOf(int item) {
    const SkinRect& r = kItemRects[static_cast<std::size_t>(item)];
    return {r.x + r.w / 2, r.y + r.h / 2};
}

void click(QWidget* widget, QPoint point) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, point);
}

void clickItem(WindowRig& rig, int item) { click(rig.window.get(), centreOf(item)); }

// A click on row `row` of the macro list.
void clickMacroRow(WindowRig& rig, int row) {
    const SkinRect& list = kItemRects[kItemMacroList];
    click(rig.window.get(), {list.x + list.w / 2, list.y + row * kMacroRowHeight + kMacroRowHeight / 2});
}

// Runs `act` on the popup menu once one shows that `accept` takes; closes the menu that is open
// instead when the one awaited never shows.
void whenMenuShows(std::function<void(QMenu*)> act, std::function<bool(QMenu*)> accept = {}) {
    const auto activeMenu = [] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); };
    WhenShown<QMenu>(
        [=]() -> QMenu* {
            QMenu* menu = activeMenu();
            return menu && (!accept || accept(menu)) ? menu : nullptr;
        },
        act,
        [=] {
            if (QMenu* menu = activeMenu()) menu->close();
        });
}

// The action sending `command` in `menu`, and the submenu entry it lies under (null when none).
std::pair<QAction*, QAction*> findCommand(QMenu* menu, int command) {
    for (QAction* action : menu->actions()) {
        if (!action->menu() && action->data().toInt() == command) return {action, nullptr};
        if (!action->menu()) continue;
        for (QAction* inner : action->menu()->actions()) {
            if (inner->data().toInt() == command) return {inner, action};
        }
    }
    return {nullptr, nullptr};
}

// What a menu run saw: the texts of the first menu, its item size, and a picture of the open menus
// over the window.
struct MenuSight {
    QStringList texts;
    QPoint at;  // the menu's top left corner in window coordinates
    QSize itemSize;
    QImage picture;
};

// The window with the open menus over it, on a canvas large enough for the menus that reach past it.
QImage pictureOf(QWidget* window, const QList<QMenu*>& menus) {
    const QRect windowRect(window->mapToGlobal(QPoint()), window->size());
    QRect all = windowRect;
    for (QMenu* menu : menus) all |= menu->geometry();
    QImage picture(all.size(), QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.drawPixmap(windowRect.topLeft() - all.topLeft(), window->grab());
    for (QMenu* menu : menus) painter.drawPixmap(menu->geometry().topLeft() - all.topLeft(), menu->grab());
    return picture;
}

void clickAction(QMenu* menu, QAction* action) { click(menu, menu->actionGeometry(action).center()); }

// Chooses `command` from the next menu with a click (0 dismisses it), opening its submenu first
// with the Right key.
void chooseFromMenu(QWidget* window, int command, MenuSight* sight = nullptr) {
    whenMenuShows([=](QMenu* menu) {
        if (sight) {
            for (QAction* action : menu->actions()) sight->texts << action->text();
            sight->at = menu->geometry().topLeft() - window->mapToGlobal(QPoint());
            sight->itemSize = menu->actionGeometry(menu->actions().front()).size();
        }
        const auto [action, entry] = findCommand(menu, command);
        if (!action) return QTest::keyClick(menu, Qt::Key_Escape);
        if (!entry) {
            if (sight) sight->picture = pictureOf(window, {menu});
            return clickAction(menu, action);
        }
        menu->setActiveAction(entry);
        QTest::keyClick(menu, Qt::Key_Right);
        whenMenuShows(
            [=](QMenu* submenu) {
                if (sight) sight->picture = pictureOf(window, {menu, submenu});
                clickAction(submenu, action);
            },
            [entry](QMenu* shown) { return shown == entry->menu(); });
    });
}

// The button report the mouse holds, decoded.
struct MouseHolds {
    MouseSetting setting;
    std::unique_ptr<MacroStore> store = std::make_unique<MacroStore>();
};

MouseHolds decodeMouse(const VirtualMouse& mouse) {
    MouseHolds holds;
    holds.setting.ResetToDefaults();
    std::span<const uint8_t, kButtonReportLength> report(
        mouse.Reports().data() + VirtualMouse::kButtonOffset, kButtonReportLength);
    DecodeButtonReport(report, holds.setting, *holds.store);
    return holds;
}

bool saveShot(const QImage& picture, const QString& name) {
    const QString folder = QStringLiteral(VOLTRANE_SCREENSHOT_DIR) + "/";
    return QDir().mkpath(folder) && picture.save(folder + name + ".png");
}

}  // namespace

class TestWindowMenus : public QObject {
    Q_OBJECT

private slots:
    void functionFromTheMenuReachesTheMouse_data();
    void functionFromTheMenuReachesTheMouse();
    void dismissedMenuChangesNothing();
    void macroOnButton4ReachesTheMouseAndReadsBack();
    void saveAsProfile3AndLoadItAgain();
    void menusInTheActiveLanguage_data();
    void menusInTheActiveLanguage();
    void createRenameDeleteAndSaveMacros();
    void exportAndImport();
    void theStoreHoldsAtMost300Macros();
};

void TestWindowMenus::functionFromTheMenuReachesTheMouse_data() {
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("keys");
    QTest::addColumn<int>("code");
    QTest::newRow("Button3 Disable") << 2 << 5012 << QByteArray() << 12;
    QTest::newRow("Button3 Copy, basic submenu") << 2 << 5013 << QByteArray() << 13;
    QTest::newRow("Button6 DPI+, advanced submenu") << 5 << 5024 << QByteArray() << 24;
    QTest::newRow("Button5 Mute, media submenu") << 4 << 5039 << QByteArray() << 39;
    QTest::newRow("Button3 LCtrl+C, Keyboard") << 2 << 5007 << QByteArray("\x46\x30", 2) << 7;
}

void TestWindowMenus::functionFromTheMenuReachesTheMouse() {
    QFETCH(int, item);
    QFETCH(int, command);
    QFETCH(QByteArray, keys);
    QFETCH(int, code);
    WindowRig rig;
    QVERIFY(rig.Open());
    KeyString chord{};
    std::copy(keys.begin(), keys.end(), chord.begin());
    rig.dialogs.keys = {chord};
    chooseFromMenu(rig.window.get(), command);
    clickItem(rig, item);
    QCOMPARE(rig.Items()[item], code);
    clickItem(rig, kItemApply);

    const MouseHolds holds = decodeMouse(*rig.mouse);
    QCOMPARE(holds.setting.m_nItem[item], code);
    if (!keys.isEmpty()) QVERIFY(std::equal(chord.begin(), chord.end(), holds.setting.m_KeyData[item]));
}

void TestWindowMenus::dismissedMenuChangesNothing() {
    WindowRig rig;
    QVERIFY(rig.Open());
    const int before = rig.Items()[2];
    chooseFromMenu(rig.window.get(), 0);
    clickItem(rig, 2);
    QCOMPARE(rig.Items()[2], before);
    QVERIFY(rig.dialogs.languages.empty());
}

// A macro recorded (the editor scripted), assigned to Button4 and applied; then the program starts
// again without "mouse.mac" and finds the macro in the mouse.
void TestWindowMenus::macroOnButton4ReachesTheMouseAndReadsBack() {
    WindowRig rig;
    QVERIFY(rig.Open());
    clickItem(rig, kItemAdvancedTab);
    rig.dialogs.edits = {KeyPresses(2)};
    clickItem(rig, kItemMacroEdit);
    clickItem(rig, kItemBasicTab);
    rig.dialogs.choices = {0};
    chooseFromMenu(rig.window.get(), 5008);
    clickItem(rig, 3);
    clickItem(rig, kItemApply);

    const MouseHolds holds = decodeMouse(*rig.mouse);
    QCOMPARE(holds.setting.m_nItem[3], int(kFunctionMacro));
    QCOMPARE(holds.store->m_nMacroCount, 1u);
    QCOMPARE(holds.store->m_Macro[0].count, 4);

    QVERIFY(!std::filesystem::exists(rig.File("mouse.mac")));
    QVERIFY(rig.Restart());
    const MacroStore& store = rig.window->GetController().Store();
    QCOMPARE(rig.Items()[3], int(kFunctionMacro));
    QCOMPARE(store.m_nMacroCount, 1u);
    QVERIFY(store.m_strMacroNames[0] == u"Macro_1");
    QCOMPARE(store.m_Macro[0].steps[0].kind, uint8_t(kKeyDown));
    const VirtualMouse::State before = rig.mouse->Reports();
    clickItem(rig, kItemApply);
    QVERIFY(rig.mouse->Reports() == before);
}

void TestWindowMenus::saveAsProfile3AndLoadItAgain() {
    WindowRig rig;
    QVERIFY(rig.Open());
    clickItem(rig, kItemRate1000);
    chooseFromMenu(rig.window.get(), 5043);
    clickItem(rig, kItemSaveSetting);
    QVERIFY(std::filesystem::exists(rig.File("Setting3.ini")));
    QCOMPARE(rig.Items()[117], 1);
    clickItem(rig, kItemRate125);
    clickItem(rig, 117);
    QCOMPARE(rig.Items()[kItemRate1000], 1);
    QCOMPARE(rig.Items()[kItemRate125], 0);
}

// Both menus in four languages: their texts and item sizes, and pictures of them open.
void TestWindowMenus::menusInTheActiveLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("firstFunction");
    QTest::addColumn<QStringList>("saveAs");
    QTest::newRow("English") << kEnglish << "english"
                             << "LEFT" << QStringList{"Setting Save As", "Save Setting1", "Save Setting2",
                                                      "Save Setting3",   "Save Setting4", "Save Setting5"};
    QTest::newRow("German") << 3 << "german"
                            << "Linke Taste" << QStringList{"Speichern unter", "Sparen-1", "Sparen-2",
                                                            "Sparen-3",        "Sparen-4", "Sparen-5"};
    QTest::newRow("Japanese") << 4 << "japanese" << u8"左ボタン"
                              << QStringList{u8"別名で保存",  u8"設定1に保存", u8"設定2に保存",
                                             u8"設定3に保存", u8"設定4に保存", u8"設定5に保存"};
    QTest::newRow("Korean") << 5 << "korean" << u8"왼쪽 버튼"
                            << QStringList{u8"다른 이름으로 저장", u8"설정1 저장", u8"설정2 저장",
                                           u8"설정3 저장",         u8"설정4 저장", u8"설정5 저장"};
}

void TestWindowMenus::menusInTheActiveLanguage() {
    QFETCH(int, language);
    QFETCH(QString, name);
    QFETCH(QString, firstFunction);
    QFETCH(QStringList, saveAs);
    WindowRig rig;
    QVERIFY(rig.Open());
    rig.window->LanguageBox()->setCurrentIndex(language);
    MenuSight function;
    chooseFromMenu(rig.window.get(), 5013, &function);
    clickItem(rig, 2);
    QCOMPARE(function.texts.size(), 12);
    QCOMPARE(function.texts.front(), firstFunction);
    QCOMPARE(function.itemSize, QSize(112, 24));
    const SkinRect& button = kItemRects[2];
    QCOMPARE(function.at, QPoint(button.x - 3, button.y + button.h));
    QVERIFY(saveShot(function.picture, "menu-function-" + name));

    MenuSight save;
    chooseFromMenu(rig.window.get(), 5040, &save);
    clickItem(rig, kItemSaveSetting);
    QCOMPARE(save.texts, saveAs);
    QCOMPARE(save.itemSize, QSize(73, 24));
    const SkinRect& saveSetting = kItemRects[kItemSaveSetting];
    QCOMPARE(save.at, QPoint(saveSetting.x, saveSetting.y - 144));
    QCOMPARE(rig.ui.saveDialogs, 1);
    QVERIFY(saveShot(save.picture, "menu-saveas-" + name));
}

// Two macros made, the first renamed, the second deleted, the store saved into "mouse.mac".
void TestWindowMenus::createRenameDeleteAndSaveMacros() {
    WindowRig rig;
    QVERIFY(rig.Open());
    QLineEdit* box = rig.window->MacroNameEdit();
    clickItem(rig, kItemAdvancedTab);
    rig.dialogs.edits = {KeyPresses(1), KeyPresses(3)};
    clickMacroRow(rig, 0);
    QCOMPARE(box->text(), QStringLiteral("<New Macro>"));
    clickItem(rig, kItemMacroEdit);
    clickMacroRow(rig, 1);
    clickItem(rig, kItemMacroEdit);
    clickMacroRow(rig, 0);
    QCOMPARE(rig.window->focusWidget(), box);
    box->selectAll();
    QTest::keyClicks(box, "Run");
    clickItem(rig, kItemMacroName);
    clickMacroRow(rig, 1);
    QCOMPARE(box->text(), QStringLiteral("Macro_2"));
    clickItem(rig, kItemMacroDelete);
    clickItem(rig, kItemSaveMacros);

    QCOMPARE(rig.ui.shown.size(), std::size_t{1});
    QVERIFY(rig.ui.shown[0].text == GetText(TextTable::Message, kMessageFilesSaved, kEnglish));
    auto read = std::make_unique<MacroStore>();
    QCOMPARE(ReadMacroFile(*read, rig.File("mouse.mac")), MacroFileRead::Read);
    ReadMacroNames(*read, rig.File("mouse.name"), kEnglish);
    QCOMPARE(read->m_nMacroCount, 1u);
    QVERIFY(read->m_strMacroNames[0] == u"Run");
    QCOMPARE(read->m_Macro[0].count, 2);
}

void TestWindowMenus::exportAndImport() {
    WindowRig rig;
    QVERIFY(rig.Open());
    clickItem(rig, kItemAdvancedTab);
    rig.dialogs.edits = {KeyPresses(1), KeyPresses(2)};
    clickItem(rig, kItemMacroEdit);
    rig.window->MacroNameEdit()->setText(QStringLiteral("<New Macro>"));
    clickItem(rig, kItemMacroEdit);
    rig.ui.files = {rig.File("mine.mac"), rig.File("mine.mac")};
    clickItem(rig, kItemExport);
    QVERIFY(std::filesystem::exists(rig.File("mine.name")));
    clickMacroRow(rig, 0);
    clickItem(rig, kItemMacroDelete);
    clickItem(rig, kItemMacroDelete);
    const MacroStore& store = rig.window->GetController().Store();
    QCOMPARE(store.m_nMacroCount, 0u);
    clickItem(rig, kItemImport);
    QCOMPARE(store.m_nMacroCount, 2u);
    QVERIFY(store.m_strMacroNames[1] == u"Macro_2");
    QCOMPARE(rig.window->MacroNameEdit()->text(), QStringLiteral("Macro_1"));
    QVERIFY(rig.ui.lastFilter->description == u"MACRO File (*.mac)");
}

void TestWindowMenus::theStoreHoldsAtMost300Macros() {
    WindowRig rig;
    QVERIFY(rig.Open());
    MacroStore& store = rig.window->GetController().Store();
    for (int slot = 0; slot < 299; ++slot) store.m_Macro[slot] = KeyPresses(1);
    store.m_nMacroCount = 299;
    store.m_nMacroSel = 299;
    clickItem(rig, kItemAdvancedTab);
    rig.dialogs.edits = {KeyPresses(1), KeyPresses(1)};
    clickItem(rig, kItemMacroEdit);
    QCOMPARE(store.m_nMacroCount, 300u);
    clickItem(rig, kItemMacroEdit);
    clickMacroRow(rig, 0);
    clickItem(rig, kItemMacroEdit);
    QCOMPARE(store.m_nMacroCount, 300u);
    QCOMPARE(rig.dialogs.editorInput.size(), std::size_t{1});
}

QTEST_MAIN(TestWindowMenus)
#include "test_window_menus.moc"
