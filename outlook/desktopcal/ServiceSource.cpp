#include "outlook/desktopcal/ServiceSource.h"

#include "outlook/calendar/ItemKinds.h"
#include "outlook/desktopcal/Service.h"

namespace desktopcal {

namespace {

constexpr const char* kSourceName = "Calendars";

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

std::shared_ptr<ServiceCalendar> DefaultOf(const std::shared_ptr<Service>& service, SourceKind kind,
                                           const std::string& what) {
    std::string uid = service->DefaultUid(kind);
    if (uid.empty())
        throw rt::Failure(rt::kPathNotFound,
                          "The desktop's calendar service has no default " + what);
    return std::make_shared<ServiceCalendar>(service, uid);
}

}  // namespace

ServiceSource::ServiceSource(std::shared_ptr<Service> service) : service_(std::move(service)) {}

std::string ServiceSource::Name() {
    return kSourceName;
}

std::string ServiceSource::Description() {
    return "evolution-data-server " + ServiceVersion();
}

std::shared_ptr<calendar::Calendar> ServiceSource::DefaultFolder(int32_t folderType) {
    switch (folderType) {
        case outlook::olFolderCalendar:
            return DefaultOf(service_, SourceKind::Calendar, "calendar");
        case outlook::olFolderTasks:
            return DefaultOf(service_, SourceKind::TaskList, "task list");
        case outlook::olFolderNotes:
            return DefaultOf(service_, SourceKind::MemoList, "memo list");
        case outlook::olFolderContacts:
            return DefaultOf(service_, SourceKind::AddressBook, "address book");
        default:
            return nullptr;
    }
}

std::vector<desktop::FolderNode> ServiceSource::Tree() {
    std::vector<desktop::FolderNode> tree;
    // One limit for the whole tree, so that calendars that do not open cannot add up.
    Deadline deadline(kAnswerLimit);
    GNode* root =
        e_source_registry_build_display_tree(service_->Registry(), E_SOURCE_EXTENSION_CALENDAR);
    for (GNode* node = root->children; node; node = node->next)
        tree.push_back(NodeOf(node, *service_, deadline.Cancellable()));
    e_source_registry_free_display_tree(root);
    return tree;
}

bool ServiceSource::Holds(const std::string& id) {
    Ref<ESource> source(e_source_registry_ref_source(service_->Registry(), id.c_str()));
    return source != nullptr;
}

std::shared_ptr<calendar::Calendar> ServiceSource::Open(const std::string& id) {
    return std::make_shared<ServiceCalendar>(service_, id);
}

std::string ServiceSource::NewCalendar(const std::string& name, const std::string& /*nearId*/) {
    return service_->NewLocalCalendar(name);
}

std::shared_ptr<ServiceSource> FindService(std::chrono::milliseconds limit) {
    auto service = Service::Find(limit);
    return service ? std::make_shared<ServiceSource>(std::move(service)) : nullptr;
}

}  // namespace desktopcal
