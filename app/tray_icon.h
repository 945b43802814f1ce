#pragma once
// The program's icon in the notification area, with its menu ("Skarvel Orvex" brings the window
// back, "Exit" ends the program). Where the desktop has no tray there is no icon.

#include <QObject>
#include <functional>
#include <memory>

class QIcon;
class QString;
class QMenu;
class QSystemTrayIcon;

namespace voltrane {

class TrayIcon : public QObject {
public:
    // An icon with the tooltip ToolTipFor(mouseSerial); `show` and `exit` run for the menu's commands
    // and `show` also when the icon is activated (a double click, or the one activation of trays that
    // send no double click).
    TrayIcon(const QIcon& icon, const QString& mouseSerial, std::function<void()> show,
             std::function<void()> exit);
    ~TrayIcon() override;

    // "Skarvel Gaming Mouse", followed by the serial number of the mouse the window works on in
    // parentheses when it has one, so that two identical mice can be told apart.
    static QString ToolTipFor(const QString& mouseSerial);

    // Whether the desktop has a tray to show the icon in.
    static bool IsAvailable();

private:
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon* m_icon;
};

}  // namespace voltrane
