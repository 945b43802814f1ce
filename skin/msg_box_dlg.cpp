#include "skin/msg_box_dlg.h"

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

CMsgBoxDlg::CMsgBoxDlg(const QString& text, const QString& title, int language, QWidget* parent)
    : QDialog(parent), m_text(new QLabel(text, this)), m_ok(new QPushButton(OkLabel(language), this)) {
    setWindowTitle(title);
    setStyleSheet(kStyle);
    setMinimumSize(276, 110);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);
    m_text->setMaximumWidth(420);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 12);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_ok, 0, Qt::AlignHCenter);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

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

int ShowMsgBox(const QString& text, const QString& title, int /*style*/, int language, QWidget* parent) {
    CMsgBoxDlg box(text, title, language, parent);
    return box.exec();
}

}  // namespace voltrane
