#include "app/event_loop_sleeper.h"

#include <QEventLoop>
#include <QTimer>

namespace voltrane {

void EventLoopSleeper::Sleep(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
}

}  // namespace voltrane
