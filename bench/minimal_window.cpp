// The yardstick of the start-up benchmark: the least a Qt program does to show one 800 x 600
// picture in a frameless window.

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <chrono>

#include "app/first_frame_probe.h"

int main(int argc, char** argv) {
    const auto start = std::chrono::steady_clock::now();
    QApplication application(argc, argv);
    voltrane::InstallFirstFrameProbe(application, start);
    QLabel picture;
    picture.setWindowFlags(Qt::FramelessWindowHint);
    picture.setPixmap(QPixmap(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString()).scaled(800, 600));
    picture.resize(800, 600);
    picture.show();
    return QApplication::exec();
}
