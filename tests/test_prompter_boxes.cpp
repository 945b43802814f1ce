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
    void questionsAnswerToKeys_data();
    void questionsAnswerToKeys();
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

// A question answers to the keys of a platform box: Enter (either key) for the default Yes, Esc for
// No, and the letters of Yes and No, with or without Alt; labels that begin with no Latin letter
// answer to Y and N. Ctrl with a letter answers nothing; Esc then ends the box.
void TestPrompterBoxes::questionsAnswerToKeys_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<bool>("yes");
    QTest::newRow("English, Return") << 2 << QKeyCombination(Qt::Key_Return) << true;
    QTest::newRow("English, keypad Enter")
        << 2 << QKeyCombination(Qt::KeypadModifier, Qt::Key_Enter) << true;
    QTest::newRow("English, Esc") << 2 << QKeyCombination(Qt::Key_Escape) << false;
    QTest::newRow("English, Y") << 2 << QKeyCombination(Qt::Key_Y) << true;
    QTest::newRow("English, N") << 2 << QKeyCombination(Qt::Key_N) << false;
    QTest::newRow("English, Alt+Y") << 2 << QKeyCombination(Qt::AltModifier, Qt::Key_Y) << true;
    QTest::newRow("English, Ctrl+Y") << 2 << QKeyCombination(Qt::ControlModifier, Qt::Key_Y) << false;
    QTest::newRow("German, J") << 3 << QKeyCombination(Qt::Key_J) << true;
    QTest::newRow("German, Alt+N") << 3 << QKeyCombination(Qt::AltModifier, Qt::Key_N) << false;
    QTest::newRow("German, Y") << 3 << QKeyCombination(Qt::Key_Y) << false;
    QTest::newRow("Simplified Chinese, Y") << 0 << QKeyCombination(Qt::Key_Y) << true;
    QTest::newRow("Japanese, N") << 4 << QKeyCombination(Qt::Key_N) << false;
    QTest::newRow("Korean, Return") << 5 << QKeyCombination(Qt::Key_Return) << true;
}

void TestPrompterBoxes::questionsAnswerToKeys() {
    QFETCH(int, language);
    QFETCH(QKeyCombination, key);
    QFETCH(bool, yes);
    QtPrompter prompter(nullptr, {});
    WhenShown<CMsgBoxDlg>([] { return dynamic_cast<CMsgBoxDlg*>(QApplication::activeModalWidget()); },
                          [key](CMsgBoxDlg* box) {
                              QTest::keyClick(box, key.key(), key.keyboardModifiers());
                              // A key that answers nothing leaves the box open: Esc ends it.
                              if (box->isVisible()) QTest::keyClick(box, Qt::Key_Escape);
                          });
    QCOMPARE(prompter.AskYesNo(u"Question?", u"Caption", language), yes);
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
