#include "skin/msg_box_dlg.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/languages.h"
#include "settings/text_tables.h"
#include "skin/modal_dialog.h"
#include "skin/qt_text.h"
#include "skin/skin_style_sheets.h"

namespace voltrane {

namespace {

// The box's size: at least a short message and its buttons, text wrapped at a readable width.
constexpr QSize kMinimumSize(276, 110);
constexpr int kTextWidth = 420;
constexpr QMargins kMargins(18, 16, 18, 12);  // left, top, right, bottom
// A caption and a close button only: without these hints a window manager adds minimise and maximise.
constexpr Qt::WindowFlags kBoxFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// The letter a label begins with, upper case, when it is a Latin letter; otherwise `fallback`.
QChar labelLetter(const QString& label, QChar fallback) {
    const QChar first = label.isEmpty() ? QChar() : label.front().toUpper();
    return first >= QLatin1Char('A') && first <= QLatin1Char('Z') ? first : fallback.toUpper();
}

// The name a screen reader gives the box: its caption, or without one what kind of box it is.
QString accessibleBoxName(const QString& title, qsizetype answers, int language) {
    if (!title.isEmpty()) return title;
    return ToQString(
        GetText(TextTable::ControlName, answers > 1 ? kControlQuestionBox : kControlMessageBox, language));
}

}  // namespace

CMsgBoxDlg::CMsgBoxDlg(const QString& text, const QString& title, const QStringList& answers, int language,
                       const QFont& font, QWidget* parent)
    : QDialog(parent, kBoxFlags), m_text(new QLabel(text, this)) {
    setWindowTitle(title);
    setAccessibleName(accessibleBoxName(title, answers.size(), language));
    setAccessibleDescription(text);
    setStyleSheet(MsgBoxStyleSheet());
    // Each widget takes the font itself: the style sheet keeps a parent's font from reaching it.
    setFont(font);
    m_text->setFont(font);
    setMinimumSize(kMinimumSize);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);
    m_text->setMaximumWidth(kTextWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargins);
    layout->addWidget(m_text, 1);
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (const QString& answer : answers) {
        auto* button = new QPushButton(answer, this);
        button->setFont(font);
        connect(button, &QPushButton::clicked, this, [this, index = int(m_buttons.size())] {
            m_nAnswer = index;
            accept();
        });
        row->addWidget(button);
        m_buttons.push_back(button);
    }
    row->addStretch();
    layout->addLayout(row);
    if (!m_buttons.empty()) m_buttons.front()->setDefault(true);
    // A box of fixed size is one a window manager offers no maximising for.
    adjustSize();
    setFixedSize(size());
    PlaceOverParent(*this);
    SetAnswerLetters({});
}

void CMsgBoxDlg::SetAnswerLetters(const QString& letters) {
    m_letters.clear();
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const auto at = static_cast<qsizetype>(i);
        m_letters.push_back(labelLetter(m_buttons[i]->text(), at < letters.size() ? letters[at] : QChar()));
    }
}

void CMsgBoxDlg::keyPressEvent(QKeyEvent* event) {
    if (!(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        for (std::size_t i = 0; i < m_buttons.size(); ++i) {
            if (!m_letters[i].isNull() && event->key() == m_letters[i].unicode())
                return m_buttons[i]->click();
        }
    }
    QDialog::keyPressEvent(event);
}

CMsgBoxDlg::CMsgBoxDlg(const QString& text, const QString& title, int language, const QFont& font,
                       QWidget* parent)
    : CMsgBoxDlg(text, title, {OkLabel(language)}, language, font, parent) {}

QString CMsgBoxDlg::OkLabel(int language) {
    const std::u16string_view label = NeedsOf(language).okLabel;
    return QString::fromUtf16(label.data(), static_cast<qsizetype>(label.size()));
}

int ShowMsgBox(const QString& text, const QString& title, int language, const QFont& font,
               QWidget* parent) {
    CMsgBoxDlg box(text, title, language, font, parent);
    return box.exec();
}

}  // namespace voltrane
