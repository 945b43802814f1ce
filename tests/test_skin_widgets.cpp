// The skinned widgets on their own: the message box's OK label, the menu's item sizes and colours.

#include <QPushButton>
#include <QTest>

#include "skin/msg_box_dlg.h"
#include "skin/my_menu.h"

using namespace voltrane;

class TestSkinWidgets : public QObject {
    Q_OBJECT

private slots:
    void okLabelFollowsTheLanguage_data();
    void okLabelFollowsTheLanguage();
    void menuItemsHaveTheirKindsSize_data();
    void menuItemsHaveTheirKindsSize();
    void highlightedMenuItemIsBlueWithOrangeText();
};

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
    QTest::newRow("function menu") << int(CMyMenu::FunctionMenu) << QSize(112, 24);
    QTest::newRow("media submenu") << int(CMyMenu::MediaCommands) << QSize(112, 24);
    QTest::newRow("save-as menu") << int(CMyMenu::SaveAs) << QSize(73, 24);
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
    CMyMenu menu(CMyMenu::SaveAs, QFont());
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

QTEST_MAIN(TestSkinWidgets)
#include "test_skin_widgets.moc"
