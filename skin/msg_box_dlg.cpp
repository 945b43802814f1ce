#include "skin/msg_box_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/text_tables.h"
#include "skin/modal_dialog.h"
#include "skin/skin_style_sheets.h"

namespace voltrane {

namespace {

// The box's size: at least a short message and its buttons, text wrapped at a readable width.
constexpr QSize kMinimumSize(276, 110);
constexpr int kTextWidth = 420;
constexpr QMargins kMargins(18, 16, 18, 12);  // left, top, right, bottom

}  // namespace

CMsgBoxDlg::CMsgBoxDlg(const QString& text, const QString& title, const QStringList& answers,
                       const QFont& font, QWidget* parent)
    : QDialog(parent), m_text(new QLabel(text, this)) {
    setWindowTitle(title);
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
    PlaceOverParent(*this);
}

CMsgBoxDlg::CMsgBoxDlg(const QString& text, const QString& title, int language, const QFont& font,
                       QWidget* parent)
    : CMsgBoxDlg(text, title, {OkLabel(language)}, font, parent) {}

QString CMsgBoxDlg::OkLabel(int language) {
    static const char16_t* const kOkLabels[kLanguageCount] = {u"确定", u"確定", u"OK",
                                                              u"OK",   u"OK",   u"확인"};
    return QString::fromUtf16(kOkLabels[KnownLanguage(language)]);
}

int ShowMsgBox(const QString& text, const QString& title, int language, const QFont& font,
               QWidget* parent) {
    CMsgBoxDlg box(text, title, language, font, parent);
    return box.exec();
}

}  // namespace voltrane
