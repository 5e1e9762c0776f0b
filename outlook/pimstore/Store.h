#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "outlook/ObjectModel.h"

// The local calendar and mail store: a folder tree on disk in open formats. A folder with
// cur/, new/ and tmp/ is a mail folder (Maildir); any other is a calendar folder (a vdir:
// one iCalendar file per appointment).
namespace pimstore {

inline constexpr const char* kStoreName = "Velmora store";

// $VELMORA_STORE, else ${XDG_DATA_HOME:-$HOME/.local/share}/velmora/store.
std::filesystem::path DefaultRoot();

// Creates the root with Inbox and Drafts (Maildir) and Calendar (vdir) when missing.
void EnsureStore(const std::filesystem::path& root);

bool IsMailFolder(const std::filesystem::path& folder);

// The folders directly below a folder, as choosers list them: sorted, without hidden folders
// and without a mail folder's cur/, new/ and tmp/.
std::vector<std::filesystem::path> SubFolders(const std::filesystem::path& folder);

// Asks the user for a folder below the root; nullopt on cancel.
class FolderChooser {
  public:
    virtual ~FolderChooser() = default;
    virtual std::optional<std::filesystem::path> Choose(const std::filesystem::path& root,
                                                        const std::string& title) = 0;
};

// The modal Qt dialog with the store's folder tree.
std::shared_ptr<FolderChooser> MakeDialogChooser();

// The chooser PickFolder uses: the Qt dialog unless a test has put a double in its place.
void SetFolderChooser(std::shared_ptr<FolderChooser> chooser);
std::shared_ptr<FolderChooser> CurrentFolderChooser();

class StoreFolder : public outlook::Folder {
  public:
    StoreFolder(std::filesystem::path root, std::filesystem::path path);
    int32_t DefaultItemType() override;
    std::shared_ptr<outlook::Items> Items() override;

    const std::filesystem::path& Path() const { return path_; }
    std::string Name() const;

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
