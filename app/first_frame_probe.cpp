#include "app/first_frame_probe.h"

#include <sys/resource.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace voltrane {

namespace {

class FirstFrameProbe final : public QObject {
public:
    FirstFrameProbe(QObject* parent, std::chrono::steady_clock::time_point start)
        : QObject(parent), m_start(start) {}

    // The first paint is let through; the report runs once it has been drawn and handed on.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, this, [this] { report(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void report() const {
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - m_start;
        struct rusage usage {};
        ::getrusage(RUSAGE_SELF, &usage);
        std::printf("first-frame-ms=%.1f peak-rss-kb=%ld\n", elapsed.count(), usage.ru_maxrss);
        std::fflush(stdout);
        std::_Exit(0);
    }

    std::chrono::steady_clock::time_point m_start;
    bool m_seen = false;
};

}  // namespace

void InstallFirstFrameProbe(QCoreApplication& application, std::chrono::steady_clock::time_point start) {
    if (std::getenv("VOLTRANE_FIRST_FRAME_PROBE") == nullptr) return;
    application.installEventFilter(new FirstFrameProbe(&application, start));
}

}  // namespace voltrane
