#include "outlook/CalendarApplication.h"

#include "outlook/CalendarFolder.h"
#include "platform/runtime/Failure.h"

namespace outlook {

namespace {

constexpr const char* kMailFolderReason = "mail folder";

class WindowCaption : public ActiveWindowInfo {
  public:
    explicit WindowCaption(std::string caption) : caption_(std::move(caption)) {}
    std::string Caption() override { return caption_; }

  private:
    std::string caption_;
};

class CalendarNameSpace : public NameSpace {
  public:
    explicit CalendarNameSpace(std::shared_ptr<CalendarApplication> app) : app_(std::move(app)) {}
    std::shared_ptr<Folder> GetDefaultFolder(int32_t folderType) override {
        return app_->DefaultFolder(folderType);
    }
    std::shared_ptr<Folder> PickFolder() override { return app_->PickFolder(); }

  private:
    std::shared_ptr<CalendarApplication> app_;
};

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

CalendarApplication::CalendarApplication(Sources sources, MailMaker newMail)
    : sources_(std::move(sources)),
      newMail_(std::move(newMail)),
      windows_(std::make_shared<ExplorerWindows>()) {
    if (sources_.empty())
        throw rt::Failure(rt::kInvalidCall, "An application needs a calendar source");
}

std::string CalendarApplication::Version() {
    std::string version = kObjectModelVersion;
    for (const auto& source : sources_)
        if (std::string behind = source->Description(); !behind.empty())
            version += " (" + behind + ")";
    return version;
}

std::shared_ptr<NameSpace> CalendarApplication::GetNamespace(const std::string& type) {
    if (type != "MAPI")
        throw rt::Failure(rt::kInvalidCall, "Unknown namespace " + type);
    return std::make_shared<CalendarNameSpace>(shared_from_this());
}

std::shared_ptr<Explorer> CalendarApplication::ActiveExplorer() {
    return windows_->Active();
}

std::shared_ptr<ExplorerList> CalendarApplication::Explorers() {
    return windows_;
}

std::shared_ptr<ActiveWindowInfo> CalendarApplication::ActiveWindow() {
    return std::make_shared<WindowCaption>(windows_->FrontCaption());
}

std::shared_ptr<MailItem> CalendarApplication::CreateItem(int32_t itemType) {
    if (itemType != olMailItem || !newMail_)
        throw rt::Failure(rt::kInvalidCall,
                          "Cannot create items of kind " + std::to_string(itemType));
    return newMail_();
}

std::shared_ptr<automation::Object> CalendarApplication::CreateObject(const std::string& progId) {
    return automation::Objects().CreateObject(progId);
}

std::shared_ptr<outlook::Assistant> CalendarApplication::Assistant() {
    throw rt::Failure(rt::kCannotCreateObject, "There is no assistant");
}

std::shared_ptr<Folder> CalendarApplication::DefaultFolder(int32_t folderType) {
    for (const auto& source : sources_)
        if (auto folder = source->DefaultFolder(folderType))
            return std::make_shared<CalendarFolder>(std::move(folder), source->Name());
    throw rt::Failure(rt::kInvalidCall, "No default folder of kind " + std::to_string(folderType));
}

std::shared_ptr<calendar::Source> CalendarApplication::SourceHolding(const std::string& id) {
    for (const auto& source : sources_)
        if (source->Holds(id))
            return source;
    return nullptr;
}

std::shared_ptr<Folder> CalendarApplication::FolderFor(const std::string& id) {
    auto source = SourceHolding(id);
    if (!source)
        throw rt::Failure(rt::kPathNotFound, "There is no calendar \"" + id + "\"");
    return std::make_shared<CalendarFolder>(source->Open(id), source->Name());
}

std::vector<desktop::FolderNode> CalendarApplication::Tree() {
    std::vector<desktop::FolderNode> tree;
    for (const auto& source : sources_)
        for (auto& node : source->Tree())
            tree.push_back(std::move(node));
    if (sources_.size() > 1)
        RefuseMailFolders(tree);
    return tree;
}

std::string CalendarApplication::NewCalendar(const std::string& name, const std::string& nearId) {
    auto source = SourceHolding(nearId);
    return (source ? source : sources_.front())->NewCalendar(name, nearId);
}

std::shared_ptr<Folder> CalendarApplication::PickFolder() {
    auto create = [this](const std::string& name, const std::string& nearId) {
        std::string id = NewCalendar(name, nearId);
        return desktop::NewFolder{id, Tree()};
    };
    desktop::FolderRequest request{Tree(), sources_.front()->Name(), calendar::kNewCalendarName,
                                   create};
    auto chosen = desktop::Services().chooser->Choose(request);
    return chosen ? FolderFor(*chosen) : nullptr;
}

}  // namespace outlook
