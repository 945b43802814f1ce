// voltrane: the mouse's configuration window.

#include <QApplication>
#include <chrono>

#include "app/first_frame_probe.h"
#include "app/voltrane_app.h"

int main(int argc, char** argv) {
    const auto start = std::chrono::steady_clock::now();
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(VOLTRANE_APP_ID));
    voltrane::InstallFirstFrameProbe(application, start);
    voltrane::CVoltraneApp program;
    return program.InitInstance();
}
