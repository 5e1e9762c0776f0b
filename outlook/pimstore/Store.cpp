#include "outlook/pimstore/Store.h"

#include <algorithm>

#include "outlook/pimstore/Appointment.h"
#include "outlook/pimstore/MailDraft.h"
#include "platform/runtime/Failure.h"

namespace pimstore {

namespace fs = std::filesystem;

namespace {

void MakeMailFolder(const fs::path& folder) {
    for (const char* part : {"cur", "new", "tmp"})
        fs::create_directories(folder / part);
}

// True when path lies at or below root; both must exist.
bool IsWithin(const fs::path& root, const fs::path& path) {
    fs::path base = fs::canonical(root), target = fs::canonical(path);
    auto mismatch = std::mismatch(base.begin(), base.end(), target.begin(), target.end());
    return mismatch.first == base.end();
}

class StoreExplorer;

}  // namespace

struct StoreApplication::ExplorerState {
    std::vector<std::shared_ptr<outlook::Explorer>> windows;
    std::shared_ptr<outlook::Explorer> active;
    std::vector<std::string> captions;
};

namespace {

class StoreExplorer : public outlook::Explorer {
  public:
    StoreExplorer(std::weak_ptr<StoreApplication::ExplorerState> state)
        : state_(std::move(state)) {}
    void Activate() override {
        auto state = state_.lock();
        if (!state)
            throw rt::Failure(rt::kObjectNotSet);
        for (auto& window : state->windows)
            if (window.get() == this)
                state->active = window;
    }

  private:
    std::weak_ptr<StoreApplication::ExplorerState> state_;
};

class StoreExplorerList : public outlook::ExplorerList {
  public:
    explicit StoreExplorerList(std::shared_ptr<StoreApplication::ExplorerState> state)
        : state_(std::move(state)) {}
    int32_t Count() override { return static_cast<int32_t>(state_->windows.size()); }
    std::shared_ptr<outlook::Explorer> Item(int32_t index) override {
        if (index < 1 || index > Count())
            throw rt::Failure(rt::kSubscriptOutOfRange);
        return state_->windows[index - 1];
    }
    std::shared_ptr<outlook::Explorer> Add(std::shared_ptr<outlook::Folder> folder,
                                           int32_t /*displayMode*/) override {
        auto storeFolder = std::dynamic_pointer_cast<StoreFolder>(folder);
        if (!storeFolder)
            throw rt::Failure(rt::kTypeMismatch, "Not a folder of this store");
        auto window = std::make_shared<StoreExplorer>(state_);
        state_->windows.push_back(window);
        state_->captions.push_back(storeFolder->Name() + " - " + kStoreName);
        return window;
    }

  private:
    std::shared_ptr<StoreApplication::ExplorerState> state_;
};

class StoreWindowInfo : public outlook::ActiveWindowInfo {
  public:
    explicit StoreWindowInfo(std::string caption) : caption_(std::move(caption)) {}
    std::string Caption() override { return caption_; }

  private:
    std::string caption_;
};

class StoreNameSpace : public outlook::NameSpace {
  public:
    explicit StoreNameSpace(std::shared_ptr<StoreApplication> app) : app_(std::move(app)) {}
    std::shared_ptr<outlook::Folder> GetDefaultFolder(int32_t folderType) override {
        switch (folderType) {
            case outlook::olFolderInbox:
                return app_->FolderAt("Inbox");
            case outlook::olFolderCalendar:
                return app_->FolderAt("Calendar");
            case outlook::olFolderDrafts:
                return app_->FolderAt("Drafts");
            default:
                throw rt::Failure(rt::kInvalidCall,
                                  "No default folder of kind " + std::to_string(folderType));
        }
    }
    std::shared_ptr<outlook::Folder> PickFolder() override {
        auto create = [root = app_->Root()](const std::string& name, const std::string& near) {
            return desktop::NewFolder{NewCalendarFolder(root, name, near).string(),
                                      {FolderTree(root)}};
        };
        auto chosen = desktop::Services().chooser->Choose(
            {{FolderTree(app_->Root())}, kStoreName, kNewCalendarName, create});
        if (!chosen)
            return nullptr;
        fs::path relative = fs::relative(fs::path(*chosen), app_->Root());
        return app_->FolderAt(relative.string());
    }

  private:
    std::shared_ptr<StoreApplication> app_;
};

class StoreItems : public outlook::Items {
  public:
    explicit StoreItems(fs::path folder) : folder_(std::move(folder)) {}
    std::shared_ptr<outlook::AppointmentItem> Add(const std::string& messageClass) override {
        if (messageClass != "IPM.Appointment")
            throw rt::Failure(rt::kInvalidCall, "Cannot add items of class " + messageClass);
        return std::make_shared<StoreAppointment>(folder_);
    }

  private:
    fs::path folder_;
};

}  // namespace

fs::path DefaultRoot() {
    return desktop::Services().paths->StoreRoot();
}

void EnsureStore(const fs::path& root) {
    fs::create_directories(root / "Calendar");
    for (const char* mail : {"Inbox", "Drafts"})
        if (!IsMailFolder(root / mail))
            MakeMailFolder(root / mail);
}

bool IsMailFolder(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder / "cur", error) && fs::is_directory(folder / "new", error) &&
           fs::is_directory(folder / "tmp", error);
}

namespace {

// Subfolders that the user sees: hidden ones and a mail folder's own cur, new and tmp are not.
std::vector<fs::path> VisibleSubFolders(const fs::path& folder) {
    std::vector<fs::path> folders;
    std::error_code error;
    bool mail = IsMailFolder(folder);
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        std::string name = entry.path().filename().string();
        if (!entry.is_directory() || name.starts_with("."))
            continue;
        if (mail && (name == "cur" || name == "new" || name == "tmp"))
            continue;
        folders.push_back(entry.path());
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

std::vector<desktop::FolderNode> FolderNodes(const fs::path& folder) {
    std::vector<desktop::FolderNode> nodes;
    for (const fs::path& sub : VisibleSubFolders(folder))
        nodes.push_back(desktop::FolderNode{sub.filename().string(), sub.string(), true,
                                            IsMailFolder(sub), FolderNodes(sub)});
    return nodes;
}

}  // namespace

desktop::FolderNode FolderTree(const fs::path& root) {
    return desktop::FolderNode{kStoreName, "", false, false, FolderNodes(root)};
}

namespace {

// Classic "File already exists".
constexpr int32_t kFileExists = 58;

// A name that makes exactly one visible folder.
void CheckFolderName(const std::string& name) {
    bool blank = name.find_first_not_of(" \t") == std::string::npos;
    if (blank || name.find('/') != std::string::npos || name.starts_with("."))
        throw rt::Failure(rt::kInvalidCall, "\"" + name + "\" cannot be the name of a folder");
}

}  // namespace

fs::path NewCalendarFolder(const fs::path& root, const std::string& name,
                           const std::string& nearId) {
    CheckFolderName(name);
    std::error_code error;
    fs::path parent = nearId.empty() ? root : fs::path(nearId);
    if (!fs::is_directory(parent, error) || !IsWithin(root, parent) || IsMailFolder(parent))
        parent = root;
    fs::path folder = parent / name;
    if (fs::exists(folder, error))
        throw rt::Failure(kFileExists,
                          "A folder named \"" + name + "\" already exists in " + parent.string());
    if (!fs::create_directory(folder, error))
        throw rt::Failure(rt::kPathFileAccess,
                          "Cannot make the folder " + folder.string() + ": " + error.message());
    return folder;
}

StoreFolder::StoreFolder(fs::path root, fs::path path)
    : root_(std::move(root)), path_(std::move(path)) {}

int32_t StoreFolder::DefaultItemType() {
    return IsMailFolder(path_) ? outlook::olMailItem : outlook::olAppointmentItem;
}

std::shared_ptr<outlook::Items> StoreFolder::Items() {
    return std::make_shared<StoreItems>(path_);
}

std::string StoreFolder::Name() const {
    return path_.filename().string();
}

std::string StoreFolder::Title() {
    return Name() + " (" + kStoreName + ")";
}

StoreApplication::StoreApplication(fs::path root)
    : explorers(std::make_shared<ExplorerState>()), root_(std::move(root)) {
    EnsureStore(root_);
}

std::string StoreApplication::Version() {
    return "11.0.2.7";
}

std::shared_ptr<outlook::NameSpace> StoreApplication::GetNamespace(const std::string& type) {
    if (type != "MAPI")
        throw rt::Failure(rt::kInvalidCall, "Unknown namespace " + type);
    return std::make_shared<StoreNameSpace>(shared_from_this());
}

std::shared_ptr<outlook::Explorer> StoreApplication::ActiveExplorer() {
    return explorers->active;
}

std::shared_ptr<outlook::ExplorerList> StoreApplication::Explorers() {
    return std::make_shared<StoreExplorerList>(explorers);
}

std::shared_ptr<outlook::ActiveWindowInfo> StoreApplication::ActiveWindow() {
    if (explorers->windows.empty())
        throw rt::Failure(rt::kObjectNotSet, "The store has no window");
    size_t index = 0;
    for (size_t i = 0; i < explorers->windows.size(); ++i)
        if (explorers->windows[i] == explorers->active)
            index = i;
    return std::make_shared<StoreWindowInfo>(explorers->captions[index]);
}

std::shared_ptr<outlook::MailItem> StoreApplication::CreateItem(int32_t itemType) {
    if (itemType != outlook::olMailItem)
        throw rt::Failure(rt::kInvalidCall,
                          "Cannot create items of kind " + std::to_string(itemType));
    return std::make_shared<StoreMail>(root_ / "Drafts");
}

std::shared_ptr<automation::Object> StoreApplication::CreateObject(const std::string& progId) {
    return automation::Objects().CreateObject(progId);
}

std::shared_ptr<outlook::Assistant> StoreApplication::Assistant() {
    throw rt::Failure(rt::kCannotCreateObject, "The store has no assistant");
}

std::shared_ptr<StoreFolder> StoreApplication::FolderAt(const std::string& relative) {
    fs::path part(relative);
    if (part.is_absolute() || part.empty())
        throw rt::Failure(rt::kPathNotFound, "Not a folder of the store: " + relative);
    fs::path path = root_ / part;
    std::error_code error;
    if (!fs::is_directory(path, error))
        throw rt::Failure(rt::kPathNotFound, "Path not found: " + path.string());
    if (!IsWithin(root_, path))
        throw rt::Failure(rt::kPathNotFound, "Not a folder of the store: " + relative);
    return std::make_shared<StoreFolder>(root_, path.lexically_normal());
}

}  // namespace pimstore
