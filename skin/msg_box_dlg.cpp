#include "skin/msg_box_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace voltrane {

namespace {

// The panel colours of the skins: near-black base, a blue accent edge, grey text.
constexpr char kStyle[] = R"(
QDialog { background: #11151C; border: 1px solid #076FB8; }
QLabel { color: #E6E6E6; }
QPushButton { color: #0078FA; background: #1A212B; border: 1px solid #076FB8; border-radius: 3px;
              min-width: 86px; min-height: 22px; }
QPushButton:hover, QPushButton:focus { color: white; background: #0078FA; }
)";

}  // namespace

CMsgBoxDlg::CMsgBoxDlg(const QString& text, const QString& title, const QStringList& answers,
                       const QFont& font, QWidget* parent)
    : QDialog(parent), m_text(new QLabel(text, this)) {
    setWindowTitle(title);
    setStyleSheet(kStyle);
    // Each widget takes the font itself: the style sheet keeps a parent's font from reaching it.
    setFont(font);
    m_text->setFont(font);
    setMinimumSize(276, 110);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);
    m_text->setMaximumWidth(420);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 12);
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
}

CMsgBoxDlg::CMsgBoxDlg(const QString& text, const QString& title, int language, const QFont& font,
                       QWidget* parent)
    : CMsgBoxDlg(text, title, {OkLabel(language)}, font, parent) {}

QString CMsgBoxDlg::OkLabel(int language) {
    switch (language) {
        case 0:
            return QStringLiteral("确定");
        case 1:
            return QStringLiteral("確定");
        case 5:
            return QStringLiteral("확인");
        default:
            return QStringLiteral("OK");
    }
}

int ShowMsgBox(const QString& text, const QString& title, int language, const QFont& font, QWidget* parent) {
    CMsgBoxDlg box(text, title, language, font, parent);
    return box.exec();
}

}  // namespace voltrane
