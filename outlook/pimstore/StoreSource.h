#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "outlook/CalendarApplication.h"
#include "outlook/calendar/Source.h"
#include "outlook/pimstore/StoreCalendar.h"

namespace pimstore {

// The store as a calendar source: its default folders Inbox (6), Calendar (9) and Drafts
// (16), and every folder below its root. Made on first use.
class StoreSource : public calendar::Source {
  public:
    explicit StoreSource(std::filesystem::path root);

    std::string Name() override;
    std::string Description() override { return {}; }
    std::shared_ptr<calendar::Calendar> DefaultFolder(int32_t folderType) override;
    std::vector<desktop::FolderNode> Tree() override;
    // The store's own id and those of its folders are full paths below its root.
    bool Holds(const std::string& id) override;
    std::shared_ptr<calendar::Calendar> Open(const std::string& id) override;
    std::string NewCalendar(const std::string& name, const std::string& nearId) override;

    const std::filesystem::path& Root() const { return root_; }
    // A folder by its path below the root ("Calendar/Family"); fails for paths that are
    // absolute, climb out of the root, or do not exist.
    std::shared_ptr<StoreCalendar> FolderAt(const std::string& relative);

  private:
    std::filesystem::path root_;
};

// The object model over the store at `root`, after the sources `before` when there are
// any; mail is the store's, kept as drafts in its Drafts folder.
std::shared_ptr<outlook::CalendarApplication> OpenStore(const std::filesystem::path& root,
                                                        outlook::Sources before = {});

}  // namespace pimstore
