// The real main window, driven by clicks, the wheel and keys on the offscreen platform.

#include <sys/stat.h>

#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/event_loop_sleeper.h"
#include "app/tray_icon.h"
#include "outline_alpha.h"
#include "paint_spy.h"
#include "settings/language_file.h"
#include "settings/text_tables.h"
#include "skin/hit_test.h"
#include "skin/item_qrect.h"
#include "skin/msg_box_dlg.h"
#include "skin/my_combo_box.h"
#include "skin/qt_text.h"
#include "skin/skin_fonts.h"
#include "window_rig.h"

using namespace voltrane;

namespace {

QPoint centreOf(int item) {
    const SkinRect& r = kItemRects[static_cast<std::size_t>(item)];
    return {r.x + r.w / 2, r.y + r.h / 2};
}

QPoint leftOf(int item, int offset) {
    const SkinRect& r = kItemRects[static_cast<std::size_t>(item)];
    return {r.x + offset, r.y + r.h / 2};
}

void click(QWidget* window, QPoint point) {
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, point);
}

void sendMouse(QWidget* window, QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
    const QPoint global = window->mapToGlobal(local);
    QMouseEvent event(type, local, global, Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(window, &event);
}

}  // namespace

class TestVoltraneWindow : public QObject {
    Q_OBJECT

private slots:
    void clicksFollowTheRules_data();
    void clicksFollowTheRules();
    void shapedByTheMaskAndCentred();
    void tabsSwitchPages();
    void profileSwitchAsksAndSaves();
    void applyReachesTheMouse();
    void okSendsAndHides();
    void spaceRepeatsTheLastActivation();
    void itemsWaitForTheStartUpRead();
    void startUpWithoutAMouseTellsAfterShowing();
    void startUpReadsAWindowNeverPainted_data();
    void startUpReadsAWindowNeverPainted();
    void dragMovesTheWindow_data();
    void dragMovesTheWindow();
    void comboBoxIgnoresTheWheel();
    void languageChangeIsStored();
    void wheelScrollsTheMacroList();
    void removalEndsOnlyWhenTheMouseWasThere_data();
    void removalEndsOnlyWhenTheMouseWasThere();
    void storedLanguageAtStartUp();
    void missingSkinEndsStartUp_data();
    void missingSkinEndsStartUp();
    void hoverRepaintsOnlyTheItemsConcerned();
    void typingReplacesTheNewMacroPlaceholder();
    void macroNamesStayInTheirRows_data();
    void macroNamesStayInTheirRows();
    void stepperMovesTheSliderThumb_data();
    void stepperMovesTheSliderThumb();
    void sleeperKeepsPainting();
    void screenshots_data();
    void screenshots();
    void trayToolTipNamesTheMouse_data();
    void trayToolTipNamesTheMouse();
};

// One click at a point of an item (the centre, or `offset` pixels into a slider) on `page`.
void TestVoltraneWindow::clicksFollowTheRules_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("offset");  // -1: the item's centre
    QTest::addColumn<int>("valueItem");
    QTest::addColumn<int>("expected");
    QTest::newRow("1000 Hz") << 0 << 23 << -1 << 23 << 1;
    QTest::newRow("500 Hz goes off") << 0 << 23 << -1 << 22 << 0;
    QTest::newRow("colour shift") << 0 << 15 << -1 << 15 << 1;
    QTest::newRow("single goes off") << 0 << 15 << -1 << 14 << 0;
    QTest::newRow("DPI up") << 0 << 46 << -1 << 55 << 2;
    QTest::newRow("DPI slider at 100 px") << 0 << 51 << 100 << 55 << 2;
    QTest::newRow("DPI slider at 220 px") << 0 << 51 << 220 << 55 << 4;
    QTest::newRow("DPI scale acts on the slider") << 0 << 13 << 100 << 55 << 2;
    QTest::newRow("speed slider at 50 px") << 1 << 78 << 50 << 82 << 2;
    QTest::newRow("speed slider's last pixel is capped") << 1 << 78 << 236 << 82 << 9;
    QTest::newRow("scroll slider") << 1 << 79 << 100 << 83 << 4;
    QTest::newRow("precision") << 1 << 69 << -1 << 69 << 1;
}

void TestVoltraneWindow::clicksFollowTheRules() {
    QFETCH(int, page);
    QFETCH(int, item);
    QFETCH(int, offset);
    QFETCH(int, valueItem);
    QFETCH(int, expected);
    WindowRig rig;
    QVERIFY(rig.Open());
    if (page == 1) click(rig.window.get(), centreOf(kItemAdvancedTab));
    click(rig.window.get(), offset < 0 ? centreOf(item) : leftOf(item, offset));
    QCOMPARE(rig.Items()[valueItem], expected);
}

void TestVoltraneWindow::shapedByTheMaskAndCentred() {
    WindowRig rig;
    QVERIFY(rig.Open());
    const QRegion shape = rig.window->mask();
    QVERIFY(shape.contains(QPoint(400, 300)));
    QVERIFY(!shape.contains(QPoint(0, 0)));
    QVERIFY(OpaqueOnlyInsideOutline(*rig.window));
    QCOMPARE(rig.window->size(), QSize(kMainWindowWidth, kMainWindowHeight));
    const QRect screen = rig.window->screen()->geometry();
    QCOMPARE(rig.window->geometry().center(), screen.center());
}

void TestVoltraneWindow::tabsSwitchPages() {
    WindowRig rig;
    QVERIFY(rig.Open());
    click(rig.window.get(), centreOf(kItemAdvancedTab));
    QCOMPARE(rig.window->GetMainController().m_nPage, 1);
    QVERIFY(rig.window->MacroNameEdit()->isVisible());
    QCOMPARE(HitTest(centreOf(0).x(), centreOf(0).y(), 1), kNoItem);
    click(rig.window.get(), centreOf(kItemBasicTab));
    QCOMPARE(rig.window->GetMainController().m_nPage, 0);
    QVERIFY(!rig.window->MacroNameEdit()->isVisible());
}

void TestVoltraneWindow::profileSwitchAsksAndSaves() {
    WindowRig rig;
    QVERIFY(rig.Open());
    rig.ui.yesNo = {true};
    click(rig.window.get(), centreOf(116));
    click(rig.window.get(), centreOf(23));
    click(rig.window.get(), centreOf(117));
    QCOMPARE(rig.ui.questions.size(), std::size_t{1});
    QVERIFY(std::filesystem::exists(rig.File("Setting2.ini")));
    QCOMPARE(rig.Items()[117], 1);
}

void TestVoltraneWindow::applyReachesTheMouse() {
    WindowRig rig;
    QVERIFY(rig.Open());
    const VirtualMouse::State before = rig.mouse->Reports();
    click(rig.window.get(), centreOf(23));
    click(rig.window.get(), centreOf(129));
    QVERIFY(rig.mouse->Reports() != before);
    QVERIFY(std::filesystem::exists(rig.File("download.bin")));
    QVERIFY(std::filesystem::exists(rig.File("Setting1.ini")));
    QCOMPARE(rig.ui.shown.size(), std::size_t{1});
    QVERIFY(rig.ui.shown[0].text == GetText(TextTable::Message, kMessageDownloadComplete, kEnglish));
    QVERIFY(rig.window->isVisible());
}

void TestVoltraneWindow::okSendsAndHides() {
    WindowRig rig;
    QVERIFY(rig.Open());
    click(rig.window.get(), centreOf(23));
    click(rig.window.get(), centreOf(128));
    QVERIFY(std::filesystem::exists(rig.File("download.bin")));
    QVERIFY(!std::filesystem::exists(rig.File("Setting1.ini")));
    QVERIFY(!rig.window->isVisible() || rig.window->isMinimized());
}

void TestVoltraneWindow::spaceRepeatsTheLastActivation() {
    WindowRig rig;
    QVERIFY(rig.Open());
    click(rig.window.get(), centreOf(kItemDpiUp));
    QCOMPARE(rig.Items()[kItemDpi], 2);
    QTest::keyClick(rig.window.get(), Qt::Key_Space);
    QCOMPARE(rig.Items()[kItemDpi], 3);
}

// The window is shown before the mouse is read; until the read is done, clicks and Space act on no
// item, so nothing reaches the record or the mouse that the mouse has not reported yet.
void TestVoltraneWindow::itemsWaitForTheStartUpRead() {
    WindowRig rig;
    QVERIFY(rig.Open());
    click(rig.window.get(), leftOf(kItemDpiSlider, 220));
    click(rig.window.get(), centreOf(kItemApply));
    const int applied = rig.Items()[kItemDpi];
    QCOMPARE(applied, 4);
    const std::size_t messages = rig.ui.shown.size();
    rig.show = false;
    QVERIFY(rig.Restart());
    QVERIFY(!rig.window->Started());
    const int unread = rig.Items()[kItemDpi];
    QVERIFY(unread != applied);
    const VirtualMouse::State mouse = rig.mouse->Reports();
    click(rig.window.get(), centreOf(kItemDpiUp));
    click(rig.window.get(), leftOf(kItemDpiSlider, 100));
    click(rig.window.get(), centreOf(kItemApply));
    QTest::keyClick(rig.window.get(), Qt::Key_Space);
    QCOMPARE(rig.Items()[kItemDpi], unread);
    QVERIFY(rig.mouse->Reports() == mouse);
    QCOMPARE(rig.ui.shown.size(), messages);

    rig.window->show();
    QVERIFY(!rig.window->Started());
    QVERIFY(QTest::qWaitFor([&rig] { return rig.window->Started(); }));
    QCOMPARE(rig.Items()[kItemDpi], applied);
    QCOMPARE(rig.ui.shown.size(), messages);
    click(rig.window.get(), centreOf(kItemDpiDown));
    QCOMPARE(rig.Items()[kItemDpi], applied - 1);
}

// Without a mouse the read fails as it always has, with its message, now over the shown window.
void TestVoltraneWindow::startUpWithoutAMouseTellsAfterShowing() {
    WindowRig rig;
    rig.mousePlugged = false;
    rig.show = false;
    QVERIFY(rig.Open());
    QVERIFY(rig.ui.shown.empty());
    rig.window->show();
    QVERIFY(QTest::qWaitFor([&rig] { return rig.window->Started(); }));
    QCOMPARE(rig.ui.shown.size(), std::size_t{1});
    QVERIFY(rig.ui.shown[0].text == u"Please plug your mouse.");
    QVERIFY(rig.window->isVisible());
}

namespace {

// Keeps a window from being painted, as a window system does with a window it does not show.
class PaintBlocker : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Paint; }
};

// How a window comes up without its first frame.
enum class Unpainted { ShownMinimised, MinimisedAtOnce, HiddenAtOnce, ShownNotYetPainted };

}  // namespace

void TestVoltraneWindow::startUpReadsAWindowNeverPainted_data() {
    QTest::addColumn<int>("start");   // Unpainted
    QTest::addColumn<bool>("reads");  // the read runs without a frame
    QTest::newRow("shown minimised") << int(Unpainted::ShownMinimised) << true;
    QTest::newRow("minimised before its first frame") << int(Unpainted::MinimisedAtOnce) << true;
    QTest::newRow("hidden to the tray before its first frame") << int(Unpainted::HiddenAtOnce) << true;
    QTest::newRow("shown, its frame still to come") << int(Unpainted::ShownNotYetPainted) << false;
}

// A window that is never painted still reads the mouse, once the event loop runs; one that is going
// to be painted waits for its first frame.
void TestVoltraneWindow::startUpReadsAWindowNeverPainted() {
    QFETCH(int, start);
    QFETCH(bool, reads);
    WindowRig rig;
    QVERIFY(rig.Open());
    click(rig.window.get(), leftOf(kItemDpiSlider, 220));
    click(rig.window.get(), centreOf(kItemApply));
    const int applied = rig.Items()[kItemDpi];
    rig.show = false;
    QVERIFY(rig.Restart());
    QVERIFY(rig.Items()[kItemDpi] != applied);
    PaintBlocker blocker;
    rig.window->installEventFilter(&blocker);
    switch (Unpainted(start)) {
        case Unpainted::ShownMinimised:
            rig.window->showMinimized();
            break;
        case Unpainted::MinimisedAtOnce:
            rig.window->show();
            rig.window->setWindowState(Qt::WindowMinimized);
            break;
        case Unpainted::HiddenAtOnce:
            rig.window->show();
            rig.window->HideWindow();
            break;
        case Unpainted::ShownNotYetPainted:
            rig.window->show();
            break;
    }
    QVERIFY(!rig.window->Started());
    if (!reads) {
        QTest::qWait(200);
        QVERIFY(!rig.window->Started());
        rig.window->removeEventFilter(&blocker);
        rig.window->update();
    }
    QVERIFY(QTest::qWaitFor([&rig] { return rig.window->Started(); }));
    QCOMPARE(rig.Items()[kItemDpi], applied);
}

// A drag by the background keeps the pressed point under the cursor, however many motions came, up to
// a release that may lie beyond the last one; a press and release without motion moves nothing.
void TestVoltraneWindow::dragMovesTheWindow_data() {
    QTest::addColumn<int>("motions");
    QTest::addColumn<QPoint>("step");
    QTest::addColumn<QPoint>("releaseBeyond");
    QTest::newRow("a click") << 0 << QPoint() << QPoint();
    QTest::newRow("one motion") << 1 << QPoint(40, 30) << QPoint();
    QTest::newRow("two motions") << 2 << QPoint(30, 20) << QPoint();
    QTest::newRow("twenty small motions") << 20 << QPoint(3, 2) << QPoint();
    QTest::newRow("five motions back") << 5 << QPoint(-20, -10) << QPoint();
    QTest::newRow("release beyond the last motion") << 2 << QPoint(30, 20) << QPoint(7, -5);
}

void TestVoltraneWindow::dragMovesTheWindow() {
    QFETCH(int, motions);
    QFETCH(QPoint, step);
    QFETCH(QPoint, releaseBeyond);
    WindowRig rig;
    QVERIFY(rig.Open());
    const QPoint start(400, 40);
    QCOMPARE(HitTest(start.x(), start.y(), 0), kNoItem);
    const QPoint before = rig.window->pos();
    sendMouse(rig.window.get(), QEvent::MouseButtonPress, start, Qt::LeftButton);
    QPoint pointer = rig.window->mapToGlobal(start);
    for (int motion = 0; motion < motions; ++motion) {
        pointer += step;
        sendMouse(rig.window.get(), QEvent::MouseMove, rig.window->mapFromGlobal(pointer), Qt::LeftButton);
    }
    pointer += releaseBeyond;
    sendMouse(rig.window.get(), QEvent::MouseButtonRelease, rig.window->mapFromGlobal(pointer), Qt::NoButton);
    QCOMPARE(rig.window->pos(), before + step * motions + releaseBeyond);
}

void TestVoltraneWindow::comboBoxIgnoresTheWheel() {
    WindowRig rig;
    QVERIFY(rig.Open());
    CMyComboBox* box = rig.window->LanguageBox();
    const QPoint centre = box->rect().center();
    QWheelEvent wheel(centre, box->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel);
    QCOMPARE(box->currentIndex(), kEnglish);
    QCOMPARE(rig.window->GetController().Language(), kEnglish);
}

void TestVoltraneWindow::languageChangeIsStored() {
    WindowRig rig;
    QVERIFY(rig.Open());
    rig.window->LanguageBox()->setCurrentIndex(3);
    QCOMPARE(rig.window->GetController().Language(), 3);
    QCOMPARE(ReadLanguage(rig.File("LANGUAGE.ini")), 3);
}

void TestVoltraneWindow::wheelScrollsTheMacroList() {
    WindowRig rig;
    QVERIFY(rig.Open());
    MacroStore& store = rig.window->GetController().Store();
    store.m_nMacroCount = 25;
    for (int slot = 0; slot < 25; ++slot) store.m_Macro[slot].count = 1;
    click(rig.window.get(), centreOf(kItemAdvancedTab));
    const QPoint list = centreOf(86);
    QTest::mouseMove(rig.window.get(), list);
    for (int notch = 0; notch < 8; ++notch) {
        QWheelEvent wheel(list, rig.window->mapToGlobal(list), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(rig.window.get(), &wheel);
    }
    QCOMPARE(store.m_nMacroTop, 6);
}

void TestVoltraneWindow::removalEndsOnlyWhenTheMouseWasThere_data() {
    QTest::addColumn<bool>("pluggedAtStart");
    QTest::addColumn<bool>("ends");
    QTest::newRow("the mouse went away") << true << true;
    QTest::newRow("another device went away, no mouse ever") << false << false;
}

void TestVoltraneWindow::removalEndsOnlyWhenTheMouseWasThere() {
    QFETCH(bool, pluggedAtStart);
    QFETCH(bool, ends);
    WindowRig rig;
    rig.mousePlugged = pluggedAtStart;
    QVERIFY(rig.Open());
    QSignalSpy finished(rig.window.get(), &QDialog::finished);
    rig.mouse->SetPresent(false);
    rig.window->OnDeviceChange({DeviceEvent::Kind::Removal, "/dev/hidraw7", {}});
    QCOMPARE(finished.count(), ends ? 1 : 0);
}

void TestVoltraneWindow::storedLanguageAtStartUp() {
    WindowRig rig;
    QVERIFY(rig.dir.isValid());
    QVERIFY(WriteLanguage(rig.File("LANGUAGE.ini"), 5).ok());
    QVERIFY(rig.Open());
    QCOMPARE(rig.window->GetController().Language(), 5);
    QCOMPARE(rig.window->LanguageBox()->currentIndex(), 5);
}

// A skin file that is missing, or there but no picture of its window's size, ends start-up with the
// message about a missing file; a FIFO in its place must not block start-up.
void TestVoltraneWindow::missingSkinEndsStartUp_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("missingText");
    const QString english = QStringLiteral("file is missing");
    QTest::newRow("missing, English") << kEnglish << "check.jpg" << "missing" << english;
    QTest::newRow("missing, German") << 3 << "check.jpg" << "missing" << QStringLiteral("Die fehlenden dateien");
    QTest::newRow("empty mask") << kEnglish << "main_mask.bmp" << "empty" << english;
    QTest::newRow("mask of another size") << kEnglish << "main_mask.bmp" << "small" << english;
    QTest::newRow("mask is a FIFO") << kEnglish << "main_mask.bmp" << "fifo" << english;
    QTest::newRow("mask is a folder") << kEnglish << "main_mask.bmp" << "folder" << english;
    QTest::newRow("picture of another size") << kEnglish << "macro_normal.jpg" << "small" << english;
    QTest::newRow("picture is text") << kEnglish << "color_down.jpg" << "text" << english;
    QTest::newRow("empty strip") << kEnglish << "button.jpg" << "empty" << english;
}

void TestVoltraneWindow::missingSkinEndsStartUp() {
    QFETCH(int, language);
    QFETCH(QString, file);
    QFETCH(QString, damage);
    QFETCH(QString, missingText);
    QTemporaryDir dir;
    QVERIFY(LinkSkins(dir.path(), file));
    const QString path = dir.path() + "/skins/" + file;
    if (damage == "empty" || damage == "text") {
        QFile bad(path);
        QVERIFY(bad.open(QIODevice::WriteOnly));
        if (damage == "text") bad.write("[Setting]\r\nLanguage=2\r\n");
    } else if (damage == "small") {
        QImage small(160, 160, QImage::Format_RGB32);
        small.fill(Qt::magenta);
        QVERIFY(small.save(path, file.endsWith(".bmp") ? "BMP" : "JPG"));
    } else if (damage == "fifo") {
        QCOMPARE(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);
    } else if (damage == "folder") {
        QVERIFY(QDir().mkdir(path));
    }
    QVERIFY(WriteLanguage(std::filesystem::path(dir.path().toStdString()) / "LANGUAGE.ini", language).ok());
    ScriptedUi ui;
    CVoltraneApp app(&ui);
    QVERIFY(!app.InitResources(dir.path() + "/", dir.path() + "/skins/"));
    QCOMPARE(ui.shown.size(), std::size_t{1});
    QCOMPARE(QString::fromStdU16String(ui.shown[0].text), missingText + path);
    QVERIFY(ui.shown[0].title == u"Error");
}

// Moving from one item to another repaints those two items, not the window.
void TestVoltraneWindow::hoverRepaintsOnlyTheItemsConcerned() {
    WindowRig rig;
    QVERIFY(rig.Open());
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    QTest::mouseMove(rig.window.get(), centreOf(120));
    QCoreApplication::processEvents();
    PaintSpy spy;
    rig.window->installEventFilter(&spy);
    QTest::mouseMove(rig.window.get(), centreOf(121));
    QTRY_VERIFY(!spy.painted.isEmpty());
    QCOMPARE(rig.window->HotItem(), 121);
    QCOMPARE(spy.painted, QRegion(ItemQRect(120)) + ItemQRect(121));
}

// A click on "<New Macro>" puts the placeholder in the name box, selected: a typed name replaces it.
void TestVoltraneWindow::typingReplacesTheNewMacroPlaceholder() {
    WindowRig rig;
    QVERIFY(rig.Open());
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    click(rig.window.get(), centreOf(kItemAdvancedTab));
    const QRect list = ItemQRect(kItemMacroList);
    const QPoint firstRow(list.left() + 20, list.top() + 6);
    QTest::mouseMove(rig.window.get(), firstRow);
    click(rig.window.get(), firstRow);
    QLineEdit* box = rig.window->MacroNameEdit();
    QCOMPARE(box->text(), QStringLiteral("<New Macro>"));
    QTest::keyClicks(box, QStringLiteral("Jump"));
    QCOMPARE(box->text(), QStringLiteral("Jump"));
}

// The macro list's names (the user's own text, in any script) ink their own row only, and not its bottom
// pixel, so that two names never touch: Han characters, kana and Hangul fill the whole em of a font as
// tall as the row.
void TestVoltraneWindow::macroNamesStayInTheirRows_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    const std::pair<QString, const char*> names[] = {{QStringLiteral("Quick Jump (gy)"), "Latin"},
                                                     {QStringLiteral("连招一號"), "Han"},
                                                     {QStringLiteral("マクロ連続"), "kana"},
                                                     {QStringLiteral("매크로 점프"), "Hangul"}};
    for (const auto& [language, label] : {std::pair{kEnglish, "English"}, std::pair{4, "Japanese"}}) {
        for (const auto& [name, script] : names)
            QTest::addRow("%s window, %s name", label, script) << language << name;
    }
}

void TestVoltraneWindow::macroNamesStayInTheirRows() {
    QFETCH(int, language);
    QFETCH(QString, name);
    WindowRig rig;
    QVERIFY(rig.Open());
    rig.window->OnLanguageChange(language);
    click(rig.window.get(), centreOf(kItemAdvancedTab));
    QTest::mouseMove(rig.window.get(), centreOf(kItemAdvancedTab));  // no row is hot
    MacroStore& store = rig.window->GetController().Store();
    for (int slot = 0; slot < 3; ++slot) store.m_Macro[slot].count = 1;
    store.m_nMacroCount = 3;
    const QRect list = ItemQRect(kItemMacroList);
    const QImage nameless = rig.window->grab(list).toImage();
    for (int slot = 0; slot < 3; ++slot) store.m_strMacroNames[slot] = name.toStdU16String();
    const QImage named = rig.window->grab(list).toImage();
    QList<QRect> rows;  // in the list's own coordinates, less their bottom pixels
    const QRect first = FirstListRow(list, kMacroRowHeight).translated(-list.topLeft());
    for (int r = 0; r < 3; ++r) rows.append(first.translated(0, r * kMacroRowHeight).adjusted(0, 0, 0, -1));
    for (int y = 0; y < named.height(); ++y) {
        for (int x = 0; x < named.width(); ++x) {
            // what reads as text, without the antialiased fringe
            if (std::abs(qGray(named.pixel(x, y)) - qGray(nameless.pixel(x, y))) < 96) continue;
            const bool inRow =
                std::any_of(rows.begin(), rows.end(), [&](const QRect& row) { return row.contains(x, y); });
            QVERIFY2(inRow,
                     qPrintable(QStringLiteral("ink at (%1, %2) of the list, rows from y %3 in steps of %4")
                                    .arg(x)
                                    .arg(y)
                                    .arg(first.top())
                                    .arg(kMacroRowHeight)));
        }
    }
}

// The DPI stepper's value is shown by the number box and by the slider's thumb: both repaint at once.
void TestVoltraneWindow::stepperMovesTheSliderThumb_data() {
    QTest::addColumn<int>("stepper");
    QTest::addColumn<int>("start");
    QTest::newRow("up") << int(kItemDpiUp) << 1;
    QTest::newRow("down") << int(kItemDpiDown) << 3;
}

void TestVoltraneWindow::stepperMovesTheSliderThumb() {
    QFETCH(int, stepper);
    QFETCH(int, start);
    WindowRig rig;
    QVERIFY(rig.Open());
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    rig.window->GetController().Setting().m_nItem[kItemDpi] = start;
    QCoreApplication::processEvents();
    PaintSpy spy;
    rig.window->installEventFilter(&spy);
    rig.window->GetMainController().ActivateItem(stepper);
    QTRY_VERIFY(!spy.painted.isEmpty());
    QVERIFY(rig.Items()[kItemDpi] != start);
    for (int item : {int(kItemDpi), int(kItemDpiSlider)})
        QCOMPARE(spy.painted.intersected(ItemQRect(item)), QRegion(ItemQRect(item)));
}

// While the device protocol waits, queued work such as a repaint still runs.
void TestVoltraneWindow::sleeperKeepsPainting() {
    bool ranDuringTheWait = false;
    QTimer::singleShot(0, [&ranDuringTheWait] { ranDuringTheWait = true; });
    EventLoopSleeper sleeper;
    sleeper.Sleep(std::chrono::milliseconds(20));
    QVERIFY(ranDuringTheWait);
}

// Pictures of both pages and of the message box, for the eye; each must be the window's full size.
void TestVoltraneWindow::screenshots_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::newRow("English") << kEnglish << QStringLiteral("english");
    QTest::newRow("German") << 3 << QStringLiteral("german");
    QTest::newRow("Korean") << 5 << QStringLiteral("korean");
    QTest::newRow("Simplified Chinese") << 0 << QStringLiteral("chinese");
    QTest::newRow("Traditional Chinese") << 1 << QStringLiteral("traditional-chinese");
    QTest::newRow("Japanese") << 4 << QStringLiteral("japanese");
}

void TestVoltraneWindow::screenshots() {
    QFETCH(int, language);
    QFETCH(QString, name);
    WindowRig rig;
    QVERIFY(rig.Open());
    rig.window->LanguageBox()->setCurrentIndex(language);
    const QString folder = QStringLiteral(VOLTRANE_SCREENSHOT_DIR) + "/";
    QVERIFY(QDir().mkpath(folder));
    QTest::mouseMove(rig.window.get(), centreOf(129));
    for (int page : {0, 1}) {
        click(rig.window.get(), centreOf(kItemBasicTab + page));
        const QImage shot = rig.window->grab().toImage();
        QCOMPARE(shot.size(), rig.window->size());
        QVERIFY(shot.save(folder + QStringLiteral("page%1-%2.png").arg(page).arg(name)));
    }
    CMsgBoxDlg box(ToQString(GetText(TextTable::Message, kMessageDownloadComplete, language)),
                   ToQString(GetText(TextTable::Message, kMessageFinish, language)), language,
                   SmallFont(language));
    box.show();
    QVERIFY(box.grab().toImage().save(folder + QStringLiteral("msgbox-%1.png").arg(name)));
}

// With two identical mice the tray icon's tooltip tells which one this window works on.
void TestVoltraneWindow::trayToolTipNamesTheMouse_data() {
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no serial number") << QString() << QStringLiteral("Skarvel Gaming Mouse");
    QTest::newRow("serial number") << QStringLiteral("VT0002")
                                   << QStringLiteral("Skarvel Gaming Mouse (VT0002)");
}

void TestVoltraneWindow::trayToolTipNamesTheMouse() {
    QFETCH(QString, serial);
    QFETCH(QString, expected);
    QCOMPARE(TrayIcon::ToolTipFor(serial), expected);
}

QTEST_MAIN(TestVoltraneWindow)
#include "test_voltrane_window.moc"
