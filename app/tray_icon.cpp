#include "app/tray_icon.h"

#include <QMenu>
#include <QString>
#include <QSystemTrayIcon>

namespace voltrane {

TrayIcon::TrayIcon(const QIcon& icon, const QString& mouseSerial, std::function<void()> show,
                   std::function<void()> exit)
    : m_menu(std::make_unique<QMenu>()), m_icon(new QSystemTrayIcon(icon, this)) {
    m_menu->addAction(QStringLiteral("Skarvel Orvex"), show);
    m_menu->addAction(QStringLiteral("Exit"), exit);
    m_icon->setContextMenu(m_menu.get());
    m_icon->setToolTip(ToolTipFor(mouseSerial));
    QObject::connect(m_icon, &QSystemTrayIcon::activated, this,
                     [show](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger)
                             show();
                     });
    m_icon->show();
}

TrayIcon::~TrayIcon() { m_icon->hide(); }

QString TrayIcon::ToolTipFor(const QString& mouseSerial) {
    const QString name = QStringLiteral("Skarvel Gaming Mouse");
    return mouseSerial.isEmpty() ? name : name + QStringLiteral(" (") + mouseSerial + QLatin1Char(')');
}

bool TrayIcon::IsAvailable() { return QSystemTrayIcon::isSystemTrayAvailable(); }

}  // namespace voltrane
