#pragma once
// The program's own message box: a caption, the message and one OK button labelled in the
// message's language, in the dark look of the skins.

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace voltrane {

class CMsgBoxDlg : public QDialog {
public:
    // A box for `text` with the window caption `title` (empty: a blank caption) and the OK label of
    // `language` (0..5; any other value gives "OK").
    CMsgBoxDlg(const QString& text, const QString& title, int language, QWidget* parent = nullptr);

    // The OK label of `language`.
    static QString OkLabel(int language);

    QLabel* TextLabel() const { return m_text; }
    QPushButton* OkButton() const { return m_ok; }

private:
    QLabel* m_text;
    QPushButton* m_ok;
};

// Shows `text` in a modal CMsgBoxDlg owned by `parent`; returns the result of its run (QDialog::Accepted
// when OK ends it). `style` (the callers' message-box style flags) changes nothing.
int ShowMsgBox(const QString& text, const QString& title, int style, int language, QWidget* parent);

}  // namespace voltrane
