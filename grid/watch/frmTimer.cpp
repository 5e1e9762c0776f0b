#include "grid/watch/frmTimer.h"

#include <QTimer>

#include <exception>

#include "platform/runtime/Failure.h"

frmTimer::frmTimer() : timTimer(std::make_unique<QTimer>()) {
    QObject::connect(timTimer.get(), &QTimer::timeout, [this] { Tick(); });
}

frmTimer::~frmTimer() {
    // The timer may be going away inside its own tick; Qt deletes it once that is over.
    timTimer->stop();
    timTimer.release()->deleteLater();
}

bool frmTimer::TimerEnabled() const {
    return enabled;
}

void frmTimer::TimerEnabled(bool value) {
    enabled = value;
    Apply();
}

int32_t frmTimer::TimerInterval() const {
    return timTimer->interval();
}

void frmTimer::TimerInterval(int32_t milliseconds) {
    if (milliseconds < 0)
        throw rt::Failure(rt::kInvalidCall);
    timTimer->setInterval(milliseconds);
    Apply();
}

// An interval of 0 keeps the timer quiet even when enabled, as the classic timer control does.
void frmTimer::Apply() {
    if (enabled && timTimer->interval() > 0)
        timTimer->start();
    else
        timTimer->stop();
}

void frmTimer::Tick() {
    // A copy, because the handler may replace or drop this very timer.
    auto handler = Timer;
    if (!handler)
        return;
    try {
        handler();
    } catch (const std::exception&) {
        // A failing tick is skipped; the next one tries again.
    }
}
