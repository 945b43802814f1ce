// Every caption of the main window, the capture dialogs, the menus and the message box, in every
// language, drawn as the windows draw it: inside its rectangle, clear of its ends, at a readable size.

#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QToolTip>
#include <algorithm>

#include "app/qt_menus.h"
#include "built_skins.h"
#include "dialogs/choice_dlg.h"
#include "dialogs/macro_dlg.h"
#include "dialogs/single_key_dlg.h"
#include "settings/text_tables.h"
#include "skin/dialog_regions.h"
#include "skin/fitted_text.h"
#include "skin/item_qrect.h"
#include "skin/item_rects.h"
#include "skin/main_painter.h"
#include "skin/msg_box_dlg.h"
#include "skin/my_combo_box.h"
#include "skin/qt_text.h"
#include "skin/skin_fonts.h"
#include "skin/skin_images.h"
#include "window_rig.h"

using namespace voltrane;

namespace {

CaptureGrab::Answer grabGranted(QWidget&, const GrabNotice&) { return CaptureGrab::Answer::Granted; }

// The rectangle a text may cover: its item's, less the margin at each end the text reaches.
QRect allowed(const FittedTextLog::Entry& entry) {
    const int flags = entry.fitted.flags;
    const int left = flags & Qt::AlignLeft ? 0 : kTextMargin;
    const int right = flags & Qt::AlignRight ? 0 : kTextMargin;
    return entry.rect.adjusted(left, 0, -right, 0);
}

// A text's place as a line of the message: its lines and its rectangle.
QString placeOf(const FittedTextLog::Entry& entry) {
    const QRect& r = entry.rect;
    return QStringLiteral("\"%1\" in (%2,%3 %4x%5)")
        .arg(entry.fitted.lines.join(QLatin1Char('|')))
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height());
}

// Whether each line of `entry` is set inside its rectangle, as high as the font's size at least.
bool linesInside(const FittedTextLog::Entry& entry) {
    return std::all_of(entry.fitted.lineRects.begin(), entry.fitted.lineRects.end(),
                       [&](const QRect& line) {
                           return line.top() >= entry.rect.top() && line.bottom() <= entry.rect.bottom() &&
                                  line.height() >= entry.fitted.font.pixelSize();
                       });
}

// One line for each text of `log` that leaves its room, is drawn below the smallest size or (unless
// `cutAllowed`) is cut short.
QStringList misfits(const FittedTextLog& log, bool cutAllowed = false) {
    QStringList found;
    for (const FittedTextLog::Entry& entry : log.entries) {
        const QRect& d = entry.drawn;
        if (d.left() < allowed(entry).left() || d.right() > allowed(entry).right())
            found << placeOf(entry) + QStringLiteral(" drawn from x %1 to %2").arg(d.left()).arg(d.right());
        if (!linesInside(entry)) found << placeOf(entry) + QStringLiteral(" lines over its top or bottom");
        if (entry.fitted.font.pixelSize() < kSmallestTextPixels)
            found << placeOf(entry) + QStringLiteral(" at %1 px").arg(entry.fitted.font.pixelSize());
        if (entry.fitted.elided && !cutAllowed) found << placeOf(entry) + QStringLiteral(" cut short");
    }
    return found;
}

// Fails with every misfit of `log`; `drawn` is the least number of texts it must hold.
void checkLog(const FittedTextLog& log, std::size_t drawn, bool cutAllowed = false) {
    QVERIFY2(log.entries.size() >= drawn, qPrintable(QString::number(log.entries.size())));
    const QStringList found = misfits(log, cutAllowed);
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
}

void addLanguageRows() {
    QTest::addColumn<int>("language");
    const char* const names[] = {
        "Simplified Chinese", "Traditional Chinese", "English", "German", "Japanese", "Korean"};
    for (int language = 0; language < kLanguageCount; ++language)
        QTest::newRow(names[language]) << language;
}

// A store of two named macros.
MacroStore twoMacros() {
    MacroStore store;
    for (int i = 0; i < 2; ++i) store.m_Macro[i].count = 1;
    store.m_strMacroNames[0] = u"Macro_1";
    store.m_strMacroNames[1] = u"Jump";
    store.m_nMacroCount = 2;
    return store;
}

}  // namespace

class TestCaptionFit : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void fitting_data();
    void fitting();
    void mainWindow_data();
    void mainWindow();
    void captureDialogs_data();
    void captureDialogs();
    void editorLabelsClearTheirLamps_data();
    void editorLabelsClearTheirLamps();
    void cutCaptionIsTheTooltip();
    void menus_data();
    void menus();
    void messageBox_data();
    void messageBox();
};

void TestCaptionFit::initTestCase() { QVERIFY(LoadBuiltSkins()); }

// How one text is set in a rectangle, in the 12-pixel interface font.
void TestCaptionFit::fitting_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("large");  // the 17-pixel font, else the 12-pixel one
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("lines");  // what is drawn: "\n" where it breaks, "…" where it is cut
    QTest::addColumn<bool>("smaller");   // drawn below the font's own size
    QTest::newRow("fits as it is") << 2 << false << QRect(0, 0, 100, 20) << "Apply"
                                   << "Apply" << false;
    QTest::newRow("a little too wide: smaller") << 2 << false << QRect(0, 0, 58, 20) << "Exportieren"
                                                << "Exportieren" << true;
    QTest::newRow("two lines between words") << 2 << false << QRect(0, 0, 40, 40) << "Profil laden"
                                             << "Profil\nladen" << false;
    QTest::newRow("compound cut at its joint")
        << 3 << false << QRect(0, 0, 90, 40) << "Doppelklickgeschwindigkeit"
        << "Doppelklick-\ngeschwindigkeit" << false;
    QTest::newRow("Han characters break anywhere")
        << 0 << false << QRect(0, 0, 34, 40) << u8"颜色设置" << u8"颜色\n设置" << false;
    QTest::newRow("a word that fits smaller keeps one line")
        << 4 << true << QRect(0, 0, 60, 28) << u8"キャンセル" << u8"キャンセル" << true;
    QTest::newRow("nothing fits: cut short")
        << 2 << false << QRect(0, 0, 40, 14) << "Doppelklickgeschwindigkeit" << u8"Dop…" << true;
}

void TestCaptionFit::fitting() {
    QFETCH(int, language);
    QFETCH(bool, large);
    QFETCH(QRect, rect);
    QFETCH(QString, text);
    QFETCH(QString, lines);
    QFETCH(bool, smaller);
    const QFont font = large ? LargeFont(language) : SmallFont(language);
    QImage canvas(rect.size(), QImage::Format_ARGB32);
    QPainter painter(&canvas);
    painter.setFont(font);
    FittedTextLog log;
    const FittedText fitted = DrawFittedText(painter, rect, text, Qt::AlignCenter);
    QCOMPARE(painter.font(), font);
    const QString drawn = fitted.lines.join(QLatin1Char('\n'));
    QVERIFY2(drawn.startsWith(lines.chopped(1)), qPrintable(drawn));
    if (!lines.endsWith(u'…')) QCOMPARE(drawn, lines);
    QCOMPARE(fitted.font.pixelSize() < font.pixelSize(), smaller);
    QCOMPARE(fitted.elided, lines.endsWith(u'…'));
    QCOMPARE(log.entries.size(), std::size_t{1});
    QCOMPARE(misfits(log).size(), fitted.elided ? 1 : 0);
}

// Both pages, every item, in the words of each language.
void TestCaptionFit::mainWindow_data() { addLanguageRows(); }

// A text may be cut short only where the window shows it whole as the item's tooltip.
void TestCaptionFit::mainWindow() {
    QFETCH(int, language);
    MouseSetting setting;
    setting.ResetToDefaults();
    const MacroStore store = twoMacros();
    const MainWindowFonts fonts{SmallFont(language), LargeFont(language)};
    QImage canvas(kMainWindowWidth, kMainWindowHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&canvas);
    for (int page : {0, 1}) {
        const MainWindowState state{setting, store,   UsKeyNames(), page,
                                    false,   kNoItem, language,     "mouse.mac"};
        FittedTextLog log;
        PaintMainWindow(painter, canvas.rect(), state, g_imgSkin, fonts);
        checkLog(log, 30, true);
        QStringList tips;
        for (int item = 0; item < kItemCount; ++item) {
            if (!ItemToolTip(item, state, fonts).isEmpty()) tips << ItemToolTip(item, state, fonts);
        }
        for (const FittedTextLog::Entry& entry : log.entries) {
            if (!entry.fitted.elided) continue;
            const QString shown = entry.fitted.lines.last().chopped(1);
            QVERIFY2(std::count_if(tips.begin(), tips.end(),
                                   [&](const QString& tip) { return tip.startsWith(shown); }) == 1,
                     qPrintable(placeOf(entry)));
        }
        QCOMPARE(tips.size(), std::count_if(log.entries.begin(), log.entries.end(),
                                            [](const FittedTextLog::Entry& e) { return e.fitted.elided; }));
    }
}

// In Japanese the lighting modes' captions are cut short; resting the pointer on one shows it whole,
// on a caption drawn whole nothing shows.
void TestCaptionFit::cutCaptionIsTheTooltip() {
    WindowRig rig;
    QVERIFY(rig.Open());
    rig.window->LanguageBox()->setCurrentIndex(4);
    const auto help = [&](int item) {
        const QPoint point = ItemQRect(item).center();
        QHelpEvent event(QEvent::ToolTip, point, rig.window->mapToGlobal(point));
        QApplication::sendEvent(rig.window.get(), &event);
    };
    help(kItemColorShift);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral(u"カラーシフト"));
    help(kItemSingle);
    QTRY_VERIFY(!QToolTip::isVisible());
}

// The three capture dialogs, the single-key dialog also with its note of a refused grab.
void TestCaptionFit::captureDialogs_data() { addLanguageRows(); }

void TestCaptionFit::captureDialogs() {
    QFETCH(int, language);
    const MacroStore store = twoMacros();
    FittedTextLog log;
    CSingleKey single(g_imgSkin, language, nullptr, grabGranted);
    single.grab();
    CSingleKey refused(g_imgSkin, language);
    refused.show();
    refused.grab();
    CMacro editor(g_imgSkin, MacroRecord{}, language, nullptr, grabGranted);
    editor.grab();
    CChoice choice(g_imgSkin, store, language);
    choice.grab();
    checkLog(log, 25);
}

void TestCaptionFit::editorLabelsClearTheirLamps_data() { addLanguageRows(); }

// The macro editor's buttons light a lamp 7 pixels in from their left edge (2 pixels round, and its
// glow): every label, however long in its language, is drawn from 12 pixels in.
void TestCaptionFit::editorLabelsClearTheirLamps() {
    QFETCH(int, language);
    FittedTextLog log;
    CMacro editor(g_imgSkin, MacroRecord{}, language, nullptr, grabGranted);
    editor.grab();
    int labels = 0;
    for (const FittedTextLog::Entry& entry : log.entries) {
        for (int region = CMacro::kInsertDelay; region <= CMacro::kLastMouse; ++region) {
            const QRect face = SkinQRect(kMacroEditorRegions[static_cast<std::size_t>(region)]);
            if (!face.contains(entry.rect)) continue;
            ++labels;
            QVERIFY2(
                entry.drawn.left() >= face.left() + 12,
                qPrintable(placeOf(entry) + QStringLiteral(" drawn from x %1").arg(entry.drawn.left())));
        }
    }
    QCOMPARE(labels, CMacro::kLastMouse - CMacro::kInsertDelay + 1);
}

// The button-function menu with its submenus and the save-as menu.
void TestCaptionFit::menus_data() { addLanguageRows(); }

void TestCaptionFit::menus() {
    QFETCH(int, language);
    FittedTextLog log;
    std::size_t items = 0;
    const std::unique_ptr<CMyMenu> function = BuildFunctionMenu(language, 0, nullptr);
    const std::unique_ptr<CMyMenu> saveAs = BuildSaveAsMenu(language, nullptr);
    for (CMyMenu* menu : {function.get(), saveAs.get()}) {
        for (QAction* action : menu->actions()) {
            auto* sub = static_cast<CMyMenu*>(action->menu());
            if (sub) {
                sub->grab();
                items += sub->actions().size();
            }
        }
        menu->grab();
        items += menu->actions().size();
    }
    checkLog(log, items);
}

// The question box's answers and the OK box: each button holds its text clear of its edges.
void TestCaptionFit::messageBox_data() { addLanguageRows(); }

void TestCaptionFit::messageBox() {
    QFETCH(int, language);
    const QString text = ToQString(GetText(TextTable::Message, kMessageDownloadComplete, language));
    const QStringList answers = {ToQString(GetText(TextTable::Question, kQuestionYes, language)),
                                 ToQString(GetText(TextTable::Question, kQuestionNo, language))};
    CMsgBoxDlg question(text, QString(), answers, language, SmallFont(language));
    CMsgBoxDlg ok(text, QString(), language, SmallFont(language));
    for (CMsgBoxDlg* box : {&question, &ok}) {
        box->show();
        for (int answer = 0; answer < int(box->findChildren<QPushButton*>().size()); ++answer) {
            QPushButton* button = box->Button(answer);
            const int width = QFontMetrics(button->font()).horizontalAdvance(button->text());
            QVERIFY2(width + 2 * kTextMargin <= button->contentsRect().width(), qPrintable(button->text()));
            QVERIFY(button->font().pixelSize() >= kSmallestTextPixels);
        }
    }
}

QTEST_MAIN(TestCaptionFit)
#include "test_caption_fit.moc"
