#include "outlook/desktopcal/Service.h"

#include "outlook/desktopcal/FolderTree.h"

#include "outlook/pimstore/Store.h"

namespace desktopcal {

namespace fs = std::filesystem;

namespace {

std::string ColorOf(ESource* source) {
    auto* selectable =
        E_SOURCE_SELECTABLE(e_source_get_extension(source, E_SOURCE_EXTENSION_CALENDAR));
    return TextOf(e_source_selectable_get_color(selectable));
}

void MarkWritable(desktop::FolderNode& node, Service& service, GCancellable* cancellable) {
    try {
        node.choosable = !service.IsReadOnly(node.id, cancellable);
        if (!node.choosable)
            node.reason = kReadOnlyReason;
    } catch (const rt::Failure& failure) {
        node.choosable = false;
        node.reason = failure.Description();
    }
}

desktop::FolderNode NodeOf(GNode* tree, Service& service, GCancellable* cancellable) {
    auto* source = static_cast<ESource*>(tree->data);
    desktop::FolderNode node{TextOf(e_source_get_display_name(source)),
                             TextOf(e_source_get_uid(source)),
                             false,
                             false,
                             {}};
    if (e_source_has_extension(source, E_SOURCE_EXTENSION_CALENDAR)) {
        node.color = ColorOf(source);
        MarkWritable(node, service, cancellable);
    }
    for (GNode* child = tree->children; child; child = child->next)
        node.children.push_back(NodeOf(child, service, cancellable));
    return node;
}

// Mail stays in the store, but a mail folder is no place for appointments.
void RefuseMailFolders(std::vector<desktop::FolderNode>& nodes) {
    for (auto& node : nodes) {
        if (node.mail) {
            node.choosable = false;
            node.reason = kMailFolderReason;
        }
        RefuseMailFolders(node.children);
    }
}

}  // namespace

bool IsStoreId(const std::string& id) {
    return fs::path(id).is_absolute();
}

DesktopCatalog::DesktopCatalog(std::shared_ptr<Service> service, fs::path storeRoot)
    : service_(std::move(service)), storeRoot_(fs::absolute(storeRoot)) {}

std::vector<desktop::FolderNode> DesktopCatalog::Tree() {
    std::vector<desktop::FolderNode> tree;
    // One limit for the whole tree, so that calendars that do not open cannot add up.
    Deadline deadline(kAnswerLimit);
    GNode* root =
        e_source_registry_build_display_tree(service_->Registry(), E_SOURCE_EXTENSION_CALENDAR);
    for (GNode* node = root->children; node; node = node->next)
        tree.push_back(NodeOf(node, *service_, deadline.Cancellable()));
    e_source_registry_free_display_tree(root);
    pimstore::EnsureStore(storeRoot_);
    desktop::FolderNode store = pimstore::FolderTree(storeRoot_);
    store.id = storeRoot_.string();  // so that a new calendar can be made at its top
    RefuseMailFolders(store.children);
    tree.push_back(std::move(store));
    return tree;
}

std::string DesktopCatalog::NewCalendar(const std::string& name, const std::string& nearId) {
    if (IsStoreId(nearId))
        return pimstore::NewCalendarFolder(storeRoot_, name, nearId).string();
    return service_->NewLocalCalendar(name);
}

desktop::FolderRequest DesktopCatalog::Request(const std::string& title) {
    auto create = [this](const std::string& name, const std::string& nearId) {
        std::string id = NewCalendar(name, nearId);
        return desktop::NewFolder{id, Tree()};
    };
    return {Tree(), title, pimstore::kNewCalendarName, create};
}

}  // namespace desktopcal
