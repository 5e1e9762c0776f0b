#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "outlook/ObjectModel.h"
#include "platform/desktop/Desktop.h"

// The local calendar and mail store: a folder tree on disk in open formats. A folder with
// cur/, new/ and tmp/ is a mail folder (Maildir); any other is a calendar folder (a vdir:
// one iCalendar file per appointment).
namespace pimstore {

inline constexpr const char* kStoreName = "Velmora store";
// The name the chooser offers for a new calendar.
inline constexpr const char* kNewCalendarName = "Name Days";

// Where the desktop's paths put the store: $VELMORA_STORE, else
// ${XDG_DATA_HOME:-$HOME/.local/share}/velmora/store.
std::filesystem::path DefaultRoot();

// Creates the root with Inbox and Drafts (Maildir) and Calendar (vdir) when missing.
void EnsureStore(const std::filesystem::path& root);

bool IsMailFolder(const std::filesystem::path& folder);

// The store's folder tree as the chooser shows it: one node for the store, not choosable,
// with every folder below it (ids are their full paths).
desktop::FolderNode FolderTree(const std::filesystem::path& root);

// Makes a calendar folder of that name beside the chooser's selection: inside the folder
// `nearId` names (a full path, as FolderTree gives), at the top when none is named or it is a
// mail folder, whose calendars would be hidden among its mail. Fails (5) for a name that does
// not make exactly one visible folder, (58) when the folder exists. Returns its path.
std::filesystem::path NewCalendarFolder(const std::filesystem::path& root, const std::string& name,
                                        const std::string& nearId);

class StoreFolder : public outlook::Folder {
  public:
    StoreFolder(std::filesystem::path root, std::filesystem::path path);
    int32_t DefaultItemType() override;
    std::shared_ptr<outlook::Items> Items() override;

    const std::filesystem::path& Path() const { return path_; }
    std::string Name() const;
    // "Calendar (Velmora store)".
    std::string Title() override;

  private:
    std::filesystem::path root_;
    std::filesystem::path path_;
};

class StoreApplication : public outlook::Application,
                         public std::enable_shared_from_this<StoreApplication> {
  public:
    explicit StoreApplication(std::filesystem::path root);

    std::string Version() override;
    std::shared_ptr<outlook::NameSpace> GetNamespace(const std::string& type) override;
    std::shared_ptr<outlook::Explorer> ActiveExplorer() override;
    std::shared_ptr<outlook::ExplorerList> Explorers() override;
    std::shared_ptr<outlook::ActiveWindowInfo> ActiveWindow() override;
    std::shared_ptr<outlook::MailItem> CreateItem(int32_t itemType) override;
    std::shared_ptr<automation::Object> CreateObject(const std::string& progId) override;
    std::shared_ptr<outlook::Assistant> Assistant() override;

    const std::filesystem::path& Root() const { return root_; }
    // A folder by its path below the root ("Calendar/Family"); fails for paths that are
    // absolute, climb out of the root, or do not exist.
    std::shared_ptr<StoreFolder> FolderAt(const std::string& relative);

    // The explorer windows live in memory only.
    struct ExplorerState;
    std::shared_ptr<ExplorerState> explorers;

  private:
    std::filesystem::path root_;
};

}  // namespace pimstore
