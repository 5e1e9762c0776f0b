#include "outlook/desktopcal/Deadline.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace desktopcal {

struct Deadline::Watch {
    std::mutex mutex;
    std::condition_variable woken;
    bool done = false;
    std::thread thread;
};

Deadline::Deadline(std::chrono::milliseconds limit)
    : cancellable_(g_cancellable_new()), watch_(std::make_unique<Watch>()) {
    watch_->thread = std::thread([watch = watch_.get(), cancellable = cancellable_.get(), limit] {
        std::unique_lock lock(watch->mutex);
        if (!watch->woken.wait_for(lock, limit, [watch] { return watch->done; }))
            g_cancellable_cancel(cancellable);
    });
}

Deadline::~Deadline() {
    {
        std::lock_guard lock(watch_->mutex);
        watch_->done = true;
    }
    watch_->woken.notify_one();
    watch_->thread.join();
}

}  // namespace desktopcal
