#include "outlook/ExplorerWindows.h"

#include "outlook/CalendarFolder.h"
#include "platform/runtime/Failure.h"

namespace outlook {

namespace {

class MemoryExplorer : public Explorer {
  public:
    explicit MemoryExplorer(std::weak_ptr<ExplorerWindows> windows)
        : windows_(std::move(windows)) {}
    void Activate() override {
        auto windows = windows_.lock();
        if (!windows)
            throw rt::Failure(rt::kObjectNotSet);
        windows->Activate(this);
    }

  private:
    std::weak_ptr<ExplorerWindows> windows_;
};

}  // namespace

int32_t ExplorerWindows::Count() {
    return static_cast<int32_t>(windows_.size());
}

std::shared_ptr<Explorer> ExplorerWindows::Item(int32_t index) {
    if (index < 1 || index > Count())
        throw rt::Failure(rt::kSubscriptOutOfRange);
    return windows_[index - 1].explorer;
}

std::shared_ptr<Explorer> ExplorerWindows::Add(std::shared_ptr<Folder> folder,
                                               int32_t /*displayMode*/) {
    auto shown = std::dynamic_pointer_cast<CalendarFolder>(folder);
    if (!shown)
        throw rt::Failure(rt::kTypeMismatch, "Not a folder of this application");
    auto explorer = std::make_shared<MemoryExplorer>(weak_from_this());
    windows_.push_back(Window{explorer, shown->WindowCaption()});
    return explorer;
}

std::string ExplorerWindows::FrontCaption() const {
    if (windows_.empty())
        throw rt::Failure(rt::kObjectNotSet, "The application has no window");
    for (const Window& window : windows_)
        if (window.explorer == active_)
            return window.caption;
    return windows_.front().caption;
}

void ExplorerWindows::Activate(const Explorer* window) {
    for (const Window& known : windows_)
        if (known.explorer.get() == window)
            active_ = known.explorer;
}

}  // namespace outlook
