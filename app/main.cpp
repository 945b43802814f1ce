// voltrane: the mouse's configuration window.

#include <QApplication>

#include "app/voltrane_app.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(VOLTRANE_APP_ID));
    voltrane::CVoltraneApp program;
    return program.InitInstance();
}
