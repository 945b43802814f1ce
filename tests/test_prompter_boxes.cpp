// The window's message and question boxes: their buttons in the language asked for, their texts in
// the interface font of that language, and the answer the question gives back.

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/qt_prompter.h"
#include "app/voltrane_app.h"
#include "settings/text_tables.h"
#include "skin/msg_box_dlg.h"
#include "skin/skin_fonts.h"
#include "when_shown.h"

using namespace voltrane;

namespace {

// What a box showed when it opened, and the button that was clicked (-1: Esc was pressed).
struct BoxSight {
    QStringList buttons;
    QString textFamily;
    QString buttonFamily;
};

void answerWhenShown(BoxSight& sight, int click) {
    WhenShown<CMsgBoxDlg>([] { return dynamic_cast<CMsgBoxDlg*>(QApplication::activeModalWidget()); },
                          [&sight, click](CMsgBoxDlg* box) {
                              for (int i = 0; i < box->findChildren<QPushButton*>().size(); ++i)
                                  sight.buttons << box->Button(i)->text();
                              sight.textFamily = box->TextLabel()->font().family();
                              sight.buttonFamily = box->Button(0)->font().family();
                              if (click < 0) return QTest::keyClick(box, Qt::Key_Escape);
                              box->Button(click)->click();
                          });
}

}  // namespace

class TestPrompterBoxes : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void questionsAnswerInTheirLanguage_data();
    void questionsAnswerInTheirLanguage();
    void messagesUseTheInterfaceFont();
};

void TestPrompterBoxes::initTestCase() {
    CVoltraneApp app;
    QVERIFY(app.InitResources(QDir::tempPath() + "/", QStringLiteral(VOLTRANE_SKIN_DIR "/")));
}

void TestPrompterBoxes::questionsAnswerInTheirLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<int>("click");
    QTest::addColumn<bool>("yes");
    QTest::newRow("Simplified Chinese, Yes") << 0 << QStringList{"是", "否"} << 0 << true;
    QTest::newRow("Traditional Chinese, No") << 1 << QStringList{"是", "否"} << 1 << false;
    QTest::newRow("English, Yes") << 2 << QStringList{"Yes", "No"} << 0 << true;
    QTest::newRow("German, No") << 3 << QStringList{"Ja", "Nein"} << 1 << false;
    QTest::newRow("Japanese, Esc") << 4 << QStringList{"はい", "いいえ"} << -1 << false;
    QTest::newRow("Korean, Yes") << 5 << QStringList{"예", "아니요"} << 0 << true;
}

void TestPrompterBoxes::questionsAnswerInTheirLanguage() {
    QFETCH(int, language);
    QFETCH(QStringList, buttons);
    QFETCH(int, click);
    QFETCH(bool, yes);
    QtPrompter prompter(nullptr, {});
    BoxSight sight;
    answerWhenShown(sight, click);
    QCOMPARE(prompter.AskYesNo(u"Question?", u"Caption", language), yes);
    QCOMPARE(sight.buttons, buttons);
    QCOMPARE(sight.buttonFamily, SmallFont(language).family());
}

// The start-up message that asks for the mouse, as every message: in the interface font.
void TestPrompterBoxes::messagesUseTheInterfaceFont() {
    for (int language = 0; language < kLanguageCount; ++language) {
        QtPrompter prompter(nullptr, {});
        BoxSight sight;
        answerWhenShown(sight, 0);
        prompter.ShowMessage(u"Please plug your mouse.", u"Fail", language);
        QCOMPARE(sight.buttons, QStringList{CMsgBoxDlg::OkLabel(language)});
        QCOMPARE(sight.textFamily, SmallFont(language).family());
    }
}

QTEST_MAIN(TestPrompterBoxes)
#include "test_prompter_boxes.moc"
