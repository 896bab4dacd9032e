#include <window/first_frame_probe.h>

#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace quenvale {

void FirstFrameProbe::attachIfRequested(QWidget& window) {
    if (std::getenv("QUENVALE_REPORT_FIRST_FRAME") != nullptr) {
        new FirstFrameProbe(window);
    }
}

FirstFrameProbe::FirstFrameProbe(QWidget& window) : QObject(&window) {
    afterPaint_.setSingleShot(true);
    afterPaint_.setInterval(0);
    connect(&afterPaint_, &QTimer::timeout, this, &FirstFrameProbe::report);
    window.installEventFilter(this);
}

bool FirstFrameProbe::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // The window's own paint comes first; the frame is complete and
        // flushed once the event loop gets back to its queue.
        afterPaint_.start();
    }
    return false;
}

void FirstFrameProbe::report() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("first-frame %lld\n",
                static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    std::fflush(stdout);
}

} // namespace quenvale
