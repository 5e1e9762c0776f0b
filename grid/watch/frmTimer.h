#pragma once

#include <cstdint>
#include <functional>
#include <memory>

class QTimer;

// A hidden timer on the window thread. Tests call Tick() instead of waiting.
class frmTimer {
  public:
    frmTimer();
    ~frmTimer();
    frmTimer(const frmTimer&) = delete;
    frmTimer& operator=(const frmTimer&) = delete;

    bool TimerEnabled() const;
    void TimerEnabled(bool enabled);
    int32_t TimerInterval() const;
    void TimerInterval(int32_t milliseconds);

    // The Timer event; a failure inside a handler skips that tick.
    std::function<void()> Timer;

    // One tick of timTimer, as the event loop delivers it.
    void Tick();

  private:
    void Apply();

    std::unique_ptr<QTimer> timTimer;
    bool enabled = false;
};
