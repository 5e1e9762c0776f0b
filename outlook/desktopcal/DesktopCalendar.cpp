#include "outlook/desktopcal/Service.h"

#include "outlook/desktopcal/DesktopCalendar.h"

#include "outlook/desktopcal/Appointment.h"
#include "outlook/desktopcal/FolderTree.h"

namespace desktopcal {

namespace {

constexpr const char* kChooserTitle = "Calendars";

class ServiceItems : public outlook::Items {
  public:
    ServiceItems(std::shared_ptr<Service> service, std::string uid, std::string name)
        : service_(std::move(service)), uid_(std::move(uid)), name_(std::move(name)) {}
    std::shared_ptr<outlook::AppointmentItem> Add(const std::string& messageClass) override {
        if (messageClass != "IPM.Appointment")
            throw rt::Failure(rt::kInvalidCall, "Cannot add items of class " + messageClass);
        return std::make_shared<DesktopAppointment>(service_, uid_, name_);
    }

  private:
    std::shared_ptr<Service> service_;
    std::string uid_, name_;
};

// Default folders of the service's own kinds come from the service; the mail folders and
// every other kind are the store's to give or refuse.
class DesktopNameSpace : public outlook::NameSpace {
  public:
    DesktopNameSpace(std::shared_ptr<DesktopApplication> app,
                     std::shared_ptr<outlook::NameSpace> store)
        : app_(std::move(app)), store_(std::move(store)) {}

    std::shared_ptr<outlook::Folder> GetDefaultFolder(int32_t folderType) override {
        switch (folderType) {
            case outlook::olFolderCalendar:
                return Default(SourceKind::Calendar, "calendar");
            case outlook::olFolderTasks:
                return Default(SourceKind::TaskList, "task list");
            case outlook::olFolderNotes:
                return Default(SourceKind::MemoList, "memo list");
            case outlook::olFolderContacts:
                return Default(SourceKind::AddressBook, "address book");
            default:
                return store_->GetDefaultFolder(folderType);
        }
    }

    std::shared_ptr<outlook::Folder> PickFolder() override {
        DesktopCatalog catalog(app_->GetService(), app_->Store()->Root());
        auto chosen = desktop::Services().chooser->Choose(catalog.Request(kChooserTitle));
        return chosen ? app_->FolderFor(*chosen) : nullptr;
    }

  private:
    std::shared_ptr<outlook::Folder> Default(SourceKind kind, const std::string& what) {
        std::string uid = app_->GetService()->DefaultUid(kind);
        if (uid.empty())
            throw rt::Failure(rt::kPathNotFound,
                              "The desktop's calendar service has no default " + what);
        return app_->ServiceFolderOf(uid);
    }

    std::shared_ptr<DesktopApplication> app_;
    std::shared_ptr<outlook::NameSpace> store_;
};

}  // namespace

std::shared_ptr<DesktopApplication> FindRunningService(const std::filesystem::path& storeRoot,
                                                       std::chrono::milliseconds limit) {
    auto service = Service::Find(limit);
    if (!service)
        return nullptr;
    return std::make_shared<DesktopApplication>(std::move(service), storeRoot);
}

std::shared_ptr<DesktopApplication> FindRunningService() {
    return FindRunningService(pimstore::DefaultRoot(), kAnswerLimit);
}

ServiceFolder::ServiceFolder(std::shared_ptr<Service> service, std::string uid)
    : service_(std::move(service)), uid_(std::move(uid)) {
    name_ = TextOf(e_source_get_display_name(service_->Source(uid_).get()));
}

int32_t ServiceFolder::DefaultItemType() {
    switch (KindOf(service_->Source(uid_, name_).get())) {
        case SourceKind::Calendar:
            return outlook::olAppointmentItem;
        case SourceKind::TaskList:
            return outlook::olTaskItem;
        case SourceKind::MemoList:
            return outlook::olNoteItem;
        case SourceKind::AddressBook:
            return outlook::olContactItem;
        case SourceKind::Other:
            break;
    }
    throw rt::Failure(rt::kTypeMismatch, Name() + " is neither a calendar nor a list");
}

std::shared_ptr<outlook::Items> ServiceFolder::Items() {
    if (KindOf(service_->Source(uid_, name_).get()) != SourceKind::Calendar)
        throw rt::Failure(rt::kInvalidCall, Name() + " holds no appointments");
    return std::make_shared<ServiceItems>(service_, uid_, name_);
}

std::string ServiceFolder::Name() const {
    Ref<ESource> source(e_source_registry_ref_source(service_->Registry(), uid_.c_str()));
    return source ? TextOf(e_source_get_display_name(source.get())) : name_;
}

std::string ServiceFolder::GroupName() const {
    Ref<ESource> source(e_source_registry_ref_source(service_->Registry(), uid_.c_str()));
    const char* parent = source ? e_source_get_parent(source.get()) : nullptr;
    Ref<ESource> group(parent ? e_source_registry_ref_source(service_->Registry(), parent)
                              : nullptr);
    return group ? TextOf(e_source_get_display_name(group.get())) : "";
}

std::string ServiceFolder::Title() {
    std::string group = GroupName();
    return group.empty() ? Name() : Name() + " (" + group + ")";
}

bool ServiceFolder::IsReadOnly() {
    return service_->IsReadOnly(uid_);
}

DesktopApplication::DesktopApplication(std::shared_ptr<Service> service,
                                       std::filesystem::path storeRoot)
    : service_(std::move(service)),
      store_(std::make_shared<pimstore::StoreApplication>(std::move(storeRoot))) {}

std::string DesktopApplication::Version() {
    return store_->Version() + " (evolution-data-server " + ServiceVersion() + ")";
}

std::shared_ptr<outlook::NameSpace> DesktopApplication::GetNamespace(const std::string& type) {
    return std::make_shared<DesktopNameSpace>(shared_from_this(), store_->GetNamespace(type));
}

std::shared_ptr<outlook::Explorer> DesktopApplication::ActiveExplorer() {
    return store_->ActiveExplorer();
}

std::shared_ptr<outlook::ExplorerList> DesktopApplication::Explorers() {
    return store_->Explorers();
}

std::shared_ptr<outlook::ActiveWindowInfo> DesktopApplication::ActiveWindow() {
    return store_->ActiveWindow();
}

std::shared_ptr<outlook::MailItem> DesktopApplication::CreateItem(int32_t itemType) {
    return store_->CreateItem(itemType);
}

std::shared_ptr<automation::Object> DesktopApplication::CreateObject(const std::string& progId) {
    return store_->CreateObject(progId);
}

std::shared_ptr<outlook::Assistant> DesktopApplication::Assistant() {
    return store_->Assistant();
}

std::shared_ptr<outlook::Folder> DesktopApplication::FolderFor(const std::string& id) {
    if (IsStoreId(id))
        return store_->FolderAt(std::filesystem::relative(id, store_->Root()).string());
    return ServiceFolderOf(id);
}

std::shared_ptr<ServiceFolder> DesktopApplication::ServiceFolderOf(const std::string& uid) {
    return std::make_shared<ServiceFolder>(service_, uid);
}

}  // namespace desktopcal
