#include "outlook/pimstore/StoreSource.h"

#include "outlook/ObjectModel.h"
#include "outlook/pimstore/StoreFolders.h"
#include "outlook/pimstore/StoreMail.h"
#include "platform/runtime/Failure.h"

namespace pimstore {

namespace fs = std::filesystem;

StoreSource::StoreSource(fs::path root) : root_(fs::absolute(root).lexically_normal()) {
    EnsureStore(root_);
}

std::string StoreSource::Name() {
    return kStoreName;
}

std::shared_ptr<calendar::Calendar> StoreSource::DefaultFolder(int32_t folderType) {
    switch (folderType) {
        case outlook::olFolderInbox:
            return FolderAt("Inbox");
        case outlook::olFolderCalendar:
            return FolderAt("Calendar");
        case outlook::olFolderDrafts:
            return FolderAt("Drafts");
        default:
            return nullptr;
    }
}

std::vector<desktop::FolderNode> StoreSource::Tree() {
    EnsureStore(root_);
    return {FolderTree(root_)};
}

bool StoreSource::Holds(const std::string& id) {
    fs::path path(id);
    if (!path.is_absolute())
        return false;
    fs::path below = path.lexically_normal().lexically_relative(root_);
    return !below.empty() && *below.begin() != "..";
}

std::shared_ptr<calendar::Calendar> StoreSource::Open(const std::string& id) {
    return FolderAt(fs::relative(fs::path(id), root_).string());
}

std::string StoreSource::NewCalendar(const std::string& name, const std::string& nearId) {
    return NewCalendarFolder(root_, name, nearId).string();
}

std::shared_ptr<StoreCalendar> StoreSource::FolderAt(const std::string& relative) {
    fs::path part(relative);
    if (part.is_absolute() || part.empty())
        throw rt::Failure(rt::kPathNotFound, "Not a folder of the store: " + relative);
    fs::path path = root_ / part;
    std::error_code error;
    if (!fs::is_directory(path, error))
        throw rt::Failure(rt::kPathNotFound, "Path not found: " + path.string());
    if (!IsWithin(root_, path))
        throw rt::Failure(rt::kPathNotFound, "Not a folder of the store: " + relative);
    return std::make_shared<StoreCalendar>(path.lexically_normal());
}

std::shared_ptr<outlook::CalendarApplication> OpenStore(const fs::path& root,
                                                        outlook::Sources before) {
    auto store = std::make_shared<StoreSource>(root);
    before.push_back(store);
    fs::path drafts = store->Root() / "Drafts";
    return std::make_shared<outlook::CalendarApplication>(
        std::move(before), [drafts] { return std::make_shared<StoreMail>(drafts); });
}

}  // namespace pimstore
