#pragma once

#include <memory>
#include <string>
#include <vector>

#include "outlook/ObjectModel.h"

namespace outlook {

// The application's windows onto its folders. No calendar source has windows of its own,
// so they live in memory: enough for the connection to open one and bring it forward.
class ExplorerWindows : public ExplorerList, public std::enable_shared_from_this<ExplorerWindows> {
  public:
    int32_t Count() override;
    std::shared_ptr<Explorer> Item(int32_t index) override;
    // Fails for a folder that is not the application's own.
    std::shared_ptr<Explorer> Add(std::shared_ptr<Folder> folder, int32_t displayMode) override;

    // The window in front, or none.
    std::shared_ptr<Explorer> Active() const { return active_; }
    // The front window's caption, or the first window's when none is in front; fails when
    // there is no window.
    std::string FrontCaption() const;
    void Activate(const Explorer* window);

  private:
    struct Window {
        std::shared_ptr<Explorer> explorer;
        std::string caption;
    };
    std::vector<Window> windows_;
    std::shared_ptr<Explorer> active_;
};

}  // namespace outlook
