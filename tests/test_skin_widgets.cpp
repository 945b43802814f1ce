// The skinned widgets on their own: the message box's OK label, the menu's item sizes and colours,
// and the colours the style sheets give the message box and the child controls.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

#include "skin/msg_box_dlg.h"
#include "skin/my_menu.h"
#include "skin/skin_images.h"
#include "skin/skin_style_sheets.h"

using namespace voltrane;

class TestSkinWidgets : public QObject {
    Q_OBJECT

private slots:
    void okLabelFollowsTheLanguage_data();
    void okLabelFollowsTheLanguage();
    void menuItemsHaveTheirKindsSize_data();
    void menuItemsHaveTheirKindsSize();
    void highlightedMenuItemIsBlueWithOrangeText();
    void styledWidgetsTakeTheSkinColours_data();
    void styledWidgetsTakeTheSkinColours();
    void outlineIsClearOnlyInsideTheMask_data();
    void outlineIsClearOnlyInsideTheMask();
};

namespace {

// A widget laid out at its size, the part of it drawn on its own (itself or a child), and the point
// of that part whose colour a row checks.
struct StyledSample {
    std::shared_ptr<QWidget> widget;
    QWidget* part;
    QPoint point;
};
using SampleMaker = std::function<StyledSample()>;

StyledSample styled(QWidget* widget, const QString& styleSheet, QSize size, QPoint point) {
    widget->setStyleSheet(styleSheet);
    widget->resize(size);
    return {std::shared_ptr<QWidget>(widget), widget, point};
}

// The message box laid out; `atButton` samples its OK button, `point` from the left of its middle.
StyledSample messageBox(QPoint point, bool atButton) {
    auto box = std::make_shared<CMsgBoxDlg>(QStringLiteral("text"), QStringLiteral("title"), 2);
    box->ensurePolished();
    box->adjustSize();
    QWidget* part = box.get();
    if (atButton) {
        part = box->OkButton();
        point += QPoint(0, part->height() / 2);
    }
    return {box, part, point};
}

}  // namespace

Q_DECLARE_METATYPE(SampleMaker)

void TestSkinWidgets::okLabelFollowsTheLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("label");
    QTest::newRow("Simplified Chinese") << 0 << QStringLiteral("确定");
    QTest::newRow("Traditional Chinese") << 1 << QStringLiteral("確定");
    QTest::newRow("English") << 2 << QStringLiteral("OK");
    QTest::newRow("German") << 3 << QStringLiteral("OK");
    QTest::newRow("Japanese") << 4 << QStringLiteral("OK");
    QTest::newRow("Korean") << 5 << QStringLiteral("확인");
    QTest::newRow("unknown") << 9 << QStringLiteral("OK");
}

void TestSkinWidgets::okLabelFollowsTheLanguage() {
    QFETCH(int, language);
    QFETCH(QString, label);
    CMsgBoxDlg box(QStringLiteral("text"), QStringLiteral("title"), language);
    QCOMPARE(box.OkButton()->text(), label);
    QCOMPARE(box.windowTitle(), QStringLiteral("title"));
}

void TestSkinWidgets::menuItemsHaveTheirKindsSize_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QSize>("size");
    QTest::newRow("function menu") << int(kMenuFunction) << QSize(112, 24);
    QTest::newRow("media submenu") << int(kMenuMediaCommands) << QSize(112, 24);
    QTest::newRow("save-as menu") << int(kMenuSaveAs) << QSize(73, 24);
}

void TestSkinWidgets::menuItemsHaveTheirKindsSize() {
    QFETCH(int, kind);
    QFETCH(QSize, size);
    CMyMenu menu(kind, QFont());
    menu.addAction(QStringLiteral("Save Setting1"));
    menu.addAction(QStringLiteral("Save Setting2"));
    menu.ensurePolished();
    menu.adjustSize();
    for (QAction* action : menu.actions()) QCOMPARE(menu.actionGeometry(action).size(), size);
}

void TestSkinWidgets::highlightedMenuItemIsBlueWithOrangeText() {
    CMyMenu menu(kMenuSaveAs, QFont());
    QAction* first = menu.addAction(QStringLiteral("A"));
    QAction* second = menu.addAction(QStringLiteral("B"));
    menu.adjustSize();
    menu.setActiveAction(second);
    const QImage shot = menu.grab().toImage();
    const QRect other = menu.actionGeometry(first);
    const QRect selected = menu.actionGeometry(second);
    QCOMPARE(shot.pixelColor(other.topLeft()), QColor(0x07, 0x6F, 0xB8));
    QCOMPARE(shot.pixelColor(other.topLeft() + QPoint(3, 3)), QColor(Qt::black));
    QCOMPARE(shot.pixelColor(selected.topLeft() + QPoint(3, 3)), QColor(0x00, 0x78, 0xFA));
}

void TestSkinWidgets::styledWidgetsTakeTheSkinColours_data() {
    QTest::addColumn<SampleMaker>("make");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("message box edge") << SampleMaker([] {
        return messageBox({0, 0}, false);
    }) << QColor(0x07, 0x6F, 0xB8);
    QTest::newRow("message box panel") << SampleMaker([] {
        return messageBox({4, 4}, false);
    }) << QColor(0x11, 0x15, 0x1C);
    QTest::newRow("message box button at rest") << SampleMaker([] {
        return messageBox({4, 0}, true);
    }) << QColor(0x1A, 0x21, 0x2B);
    QTest::newRow("name box") << SampleMaker([] {
        return styled(new QLineEdit, NameBoxStyleSheet(), {100, 16}, {2, 2});
    }) << QColor(Qt::black);
    QTest::newRow("language box edge") << SampleMaker([] {
        return styled(new QComboBox, LanguageBoxStyleSheet(), {90, 22}, {0, 0});
    }) << QColor(0x07, 0x6F, 0xB8);
    QTest::newRow("language box") << SampleMaker([] {
        return styled(new QComboBox, LanguageBoxStyleSheet(), {90, 22}, {3, 3});
    }) << QColor(0x39, 0x7B, 0xEA);
}

void TestSkinWidgets::styledWidgetsTakeTheSkinColours() {
    QFETCH(SampleMaker, make);
    QFETCH(QColor, colour);
    const StyledSample sample = make();
    QCOMPARE(sample.part->grab().toImage().pixelColor(sample.point), colour);
}

// The outline drawn over a skinned window keeps the mask's outside and clears its inside, pixel for
// pixel, for a mask of the screen's size and for one of twice the pixels: a mask whose top-left corner
// is cut off by a diagonal, black inside, magenta outside.
void TestSkinWidgets::outlineIsClearOnlyInsideTheMask_data() {
    QTest::addColumn<int>("scale");
    QTest::newRow("one pixel a point") << 1;
    QTest::newRow("two pixels a point") << 2;
}

void TestSkinWidgets::outlineIsClearOnlyInsideTheMask() {
    QFETCH(int, scale);
    constexpr int kSide = 64;
    constexpr int kCut = 12;
    QImage mask(kSide * scale, kSide * scale, QImage::Format_RGB32);
    mask.fill(Qt::black);
    for (int y = 0; y < kCut * scale; ++y) {
        for (int x = 0; x + y < kCut * scale; ++x) mask.setPixel(x, y, qRgb(255, 0, 255));
    }
    mask.setDevicePixelRatio(scale);
    const QImage outline = MaskOutline(mask).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(outline.size(), mask.size());
    QCOMPARE(outline.devicePixelRatio(), mask.devicePixelRatio());
    int wrong = 0;
    for (int y = 0; y < outline.height(); ++y) {
        for (int x = 0; x < outline.width(); ++x) {
            const bool inside = mask.pixel(x, y) == qRgb(0, 0, 0);
            if (qAlpha(outline.pixel(x, y)) != (inside ? 0 : 255)) ++wrong;
        }
    }
    QCOMPARE(wrong, 0);
}

QTEST_MAIN(TestSkinWidgets)
#include "test_skin_widgets.moc"
