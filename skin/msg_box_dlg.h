#pragma once
// The program's own message box: a caption, the message and its answer buttons (one OK button, or
// the answers of a question) labelled in the message's language, in the interface font and the dark
// look of the skins. To the window manager it is a dialog of fixed size that can be moved and closed,
// never minimised or maximised. It answers to the keys of a platform box: Enter for the default
// button, Esc for none, and each answer's letter, with or without Alt.

#include <QDialog>
#include <QFont>
#include <QString>
#include <QStringList>
#include <vector>

class QLabel;
class QPushButton;

namespace voltrane {

class CMsgBoxDlg : public QDialog {
public:
    // A box for `text` with the window caption `title` (empty: a blank caption), a button for each of
    // `answers` from left to right (the first is the default one), its texts in `font`. Assistive
    // technology reads the box by its caption, or without one by its kind (message or question) in
    // `language`, and the text as its description.
    CMsgBoxDlg(const QString& text, const QString& title, const QStringList& answers, int language,
               const QFont& font, QWidget* parent = nullptr);

    // A box with the OK label of `language` (0..5; any other value gives "OK") as its one answer.
    CMsgBoxDlg(const QString& text, const QString& title, int language, const QFont& font = QFont(),
               QWidget* parent = nullptr);

    // The OK label of `language`.
    static QString OkLabel(int language);

    // The letters that answer with each button, from left to right, for labels that do not begin with
    // a Latin letter (a label that does answers to its first letter), e.g. "YN" for Yes and No.
    void SetAnswerLetters(const QString& letters);

    QLabel* TextLabel() const { return m_text; }
    QPushButton* Button(int answer) const { return m_buttons.at(answer); }
    QPushButton* OkButton() const { return Button(0); }

    // The answer chosen: the index of the button that ended the box, -1 while none has (Esc or the
    // window's close end it with none).
    int Answer() const { return m_nAnswer; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* m_text;
    std::vector<QPushButton*> m_buttons;
    std::vector<QChar> m_letters;  // the letter of each button, upper case; null: none
    int m_nAnswer = -1;
};

// Shows `text` in a modal OK box in `language` and `font`, owned by `parent`; returns the result of
// its run (QDialog::Accepted when OK ends it).
int ShowMsgBox(const QString& text, const QString& title, int language, const QFont& font, QWidget* parent);

}  // namespace voltrane
