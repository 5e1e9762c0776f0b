#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The folder chooser of the desktop's calendar service: the tree it shows, built apart from
// the dialog that shows it, and the seam through which tests answer in the dialog's place.
namespace desktopcal {

class Service;

// One node of the chooser's tree.
struct FolderEntry {
    enum class Kind {
        Group,        // an account or collection ("On This Computer"), or the store's own node
        Calendar,     // a calendar of the service
        StoreFolder,  // a folder of the local store
    };
    Kind kind = Kind::Group;
    std::string name;
    // Calendar: the source's UID. StoreFolder: the path below the store's root.
    std::string id;
    std::string color;  // "#rrggbb" as the desktop shows the calendar; empty when it has none
    bool choosable = false;
    std::string reason;  // the word why, when a calendar or folder cannot be chosen
    std::vector<FolderEntry> children;
};

// A calendar or folder as the chooser hands it back.
struct FolderRef {
    FolderEntry::Kind kind = FolderEntry::Kind::Calendar;
    std::string id;

    friend bool operator==(const FolderRef&, const FolderRef&) = default;
};

// The name a new calendar is offered.
inline constexpr const char* kNewCalendarName = "Name Days";
inline constexpr const char* kReadOnlyReason = "read-only";
inline constexpr const char* kMailFolderReason = "mail folder";

// What the chooser shows, and the one thing it does besides choosing.
class FolderCatalog {
  public:
    virtual ~FolderCatalog() = default;
    virtual std::vector<FolderEntry> Tree() = 0;
    // Makes a calendar and returns it: a folder of the local store when `near` is the store
    // or one of its folders, otherwise a calendar of the service on this computer.
    virtual FolderRef NewCalendar(const std::string& name,
                                  const std::optional<FolderRef>& near) = 0;
};

// The calendars of a running service, then the local store's folders.
class DesktopCatalog : public FolderCatalog {
  public:
    DesktopCatalog(std::shared_ptr<Service> service, std::filesystem::path storeRoot);
    // The service's calendars under their accounts and collections, in the desktop's order
    // and colours; read-only calendars, and those that do not open, are shown but cannot be
    // chosen. Then the store's node (kind StoreFolder, id "") with its folders; its mail
    // folders cannot be chosen.
    std::vector<FolderEntry> Tree() override;
    FolderRef NewCalendar(const std::string& name, const std::optional<FolderRef>& near) override;

  private:
    FolderRef NewStoreFolder(const std::string& name, const std::string& near);

    std::shared_ptr<Service> service_;
    std::filesystem::path storeRoot_;
};

// The entry of the tree that the reference names, or none.
const FolderEntry* FindEntry(const std::vector<FolderEntry>& tree, const FolderRef& ref);

// Asks the user for a calendar; nullopt on cancel.
class FolderChooser {
  public:
    virtual ~FolderChooser() = default;
    virtual std::optional<FolderRef> Choose(FolderCatalog& catalog, const std::string& title) = 0;
};

// The modal Qt dialog: the tree, a "New calendar…" button, OK and Cancel.
std::shared_ptr<FolderChooser> MakeDialogChooser();

// The chooser PickFolder uses: the Qt dialog unless a test has put a double in its place.
void SetFolderChooser(std::shared_ptr<FolderChooser> chooser);
std::shared_ptr<FolderChooser> CurrentFolderChooser();

}  // namespace desktopcal
