#pragma once

#include <QObject>
#include <QTimer>

class QWidget;

namespace quenvale {

// Start-up measurement: when QUENVALE_REPORT_FIRST_FRAME is set, prints
// "first-frame <ns>" to standard output, the CLOCK_MONOTONIC time in
// nanoseconds at which the window's first frame has been painted and handed
// to the window system. Does nothing otherwise.
class FirstFrameProbe : public QObject {
public:
    static void attachIfRequested(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FirstFrameProbe(QWidget& window);
    void report();

    QTimer afterPaint_;
};

} // namespace quenvale
