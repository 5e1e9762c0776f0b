#include "outlook/desktopcal/Service.h"

#include "outlook/desktopcal/FolderTree.h"

#include "outlook/pimstore/Store.h"

namespace desktopcal {

namespace fs = std::filesystem;

namespace {

// Classic "File already exists".
constexpr int32_t kAlreadyExists = 58;

std::shared_ptr<FolderChooser>& ChooserSlot() {
    static std::shared_ptr<FolderChooser> chooser;
    return chooser;
}

std::string TextOf(const char* text) {
    return text ? text : "";
}

std::string ColorOf(ESource* source) {
    auto* selectable =
        E_SOURCE_SELECTABLE(e_source_get_extension(source, E_SOURCE_EXTENSION_CALENDAR));
    return TextOf(e_source_selectable_get_color(selectable));
}

void MarkWritable(FolderEntry& entry, Service& service, GCancellable* cancellable) {
    try {
        entry.choosable = !service.IsReadOnly(entry.id, cancellable);
        if (!entry.choosable)
            entry.reason = kReadOnlyReason;
    } catch (const rt::Failure& failure) {
        entry.reason = failure.Description();
    }
}

FolderEntry EntryOf(GNode* node, Service& service, GCancellable* cancellable) {
    auto* source = static_cast<ESource*>(node->data);
    FolderEntry entry;
    entry.name = TextOf(e_source_get_display_name(source));
    if (e_source_has_extension(source, E_SOURCE_EXTENSION_CALENDAR)) {
        entry.kind = FolderEntry::Kind::Calendar;
        entry.id = TextOf(e_source_get_uid(source));
        entry.color = ColorOf(source);
        MarkWritable(entry, service, cancellable);
    }
    for (GNode* child = node->children; child; child = child->next)
        entry.children.push_back(EntryOf(child, service, cancellable));
    return entry;
}

FolderEntry StoreEntry(const fs::path& root, const fs::path& folder) {
    FolderEntry entry;
    entry.kind = FolderEntry::Kind::StoreFolder;
    entry.name = folder == root ? pimstore::kStoreName : folder.filename().string();
    entry.id = folder == root ? "" : folder.lexically_relative(root).generic_string();
    bool mail = pimstore::IsMailFolder(folder);
    entry.choosable = folder != root && !mail;
    if (mail)
        entry.reason = kMailFolderReason;
    for (const fs::path& sub : pimstore::SubFolders(folder))
        entry.children.push_back(StoreEntry(root, sub));
    return entry;
}

// A name that makes exactly one visible folder.
void CheckFolderName(const std::string& name) {
    bool blank = name.find_first_not_of(" \t") == std::string::npos;
    if (blank || name.find('/') != std::string::npos || name.starts_with("."))
        throw rt::Failure(rt::kInvalidCall, "\"" + name + "\" cannot be the name of a folder");
}

}  // namespace

DesktopCatalog::DesktopCatalog(std::shared_ptr<Service> service, fs::path storeRoot)
    : service_(std::move(service)), storeRoot_(std::move(storeRoot)) {}

std::vector<FolderEntry> DesktopCatalog::Tree() {
    std::vector<FolderEntry> tree;
    // One limit for the whole tree, so that calendars that do not open cannot add up.
    Deadline deadline(kAnswerLimit);
    GNode* root =
        e_source_registry_build_display_tree(service_->Registry(), E_SOURCE_EXTENSION_CALENDAR);
    for (GNode* node = root->children; node; node = node->next)
        tree.push_back(EntryOf(node, *service_, deadline.Cancellable()));
    e_source_registry_free_display_tree(root);
    pimstore::EnsureStore(storeRoot_);
    tree.push_back(StoreEntry(storeRoot_, storeRoot_));
    return tree;
}

FolderRef DesktopCatalog::NewCalendar(const std::string& name,
                                      const std::optional<FolderRef>& near) {
    if (near && near->kind == FolderEntry::Kind::StoreFolder)
        return NewStoreFolder(name, near->id);
    return {FolderEntry::Kind::Calendar, service_->NewLocalCalendar(name)};
}

// Inside the chosen calendar folder; at the store's top when the store itself or a mail
// folder is chosen, since a calendar inside a mail folder would be hidden among its mail.
FolderRef DesktopCatalog::NewStoreFolder(const std::string& name, const std::string& near) {
    CheckFolderName(name);
    fs::path parent = storeRoot_ / near;
    if (near.empty() || pimstore::IsMailFolder(parent))
        parent = storeRoot_;
    fs::path folder = parent / name;
    std::error_code error;
    if (fs::exists(folder, error))
        throw rt::Failure(kAlreadyExists,
                          "A folder named \"" + name + "\" already exists in " + parent.string());
    if (!fs::create_directory(folder, error))
        throw rt::Failure(rt::kPathFileAccess,
                          "Cannot make the folder " + folder.string() + ": " + error.message());
    return {FolderEntry::Kind::StoreFolder, folder.lexically_relative(storeRoot_).generic_string()};
}

const FolderEntry* FindEntry(const std::vector<FolderEntry>& tree, const FolderRef& ref) {
    for (const auto& entry : tree) {
        if (entry.kind == ref.kind && entry.id == ref.id)
            return &entry;
        if (const FolderEntry* found = FindEntry(entry.children, ref))
            return found;
    }
    return nullptr;
}

void SetFolderChooser(std::shared_ptr<FolderChooser> chooser) {
    ChooserSlot() = std::move(chooser);
}

std::shared_ptr<FolderChooser> CurrentFolderChooser() {
    if (!ChooserSlot())
        ChooserSlot() = MakeDialogChooser();
    return ChooserSlot();
}

}  // namespace desktopcal
