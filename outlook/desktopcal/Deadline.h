#pragma once

#include <gio/gio.h>

#include <chrono>
#include <memory>

#include "outlook/desktopcal/GLibRef.h"

namespace desktopcal {

// A cancellable that cancels itself when its time runs out, so that a blocking call on a
// service that hangs comes back.
class Deadline {
  public:
    explicit Deadline(std::chrono::milliseconds limit);
    ~Deadline();
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;
    GCancellable* Cancellable() const { return cancellable_.get(); }

  private:
    struct Watch;
    Ref<GCancellable> cancellable_;
    std::unique_ptr<Watch> watch_;
};

}  // namespace desktopcal
