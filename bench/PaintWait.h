#pragma once
// Waiting for a widget's next paint, so that a benchmark's time runs up to the painted frame.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

namespace tintora::bench {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* target) { target->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

// Delivers events until `counter` has seen a paint beyond `seen`. The frame that paint belongs to
// is complete once the event that carried it returns.
inline void WaitForPaint(const PaintCounter& counter, int seen) {
    for (int spins = 0; counter.count <= seen && spins < 1000000; ++spins)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace tintora::bench
