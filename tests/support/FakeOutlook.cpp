#include "tests/support/FakeOutlook.h"

#include "platform/runtime/Convert.h"
#include "platform/runtime/Failure.h"

namespace fakeoutlook {

namespace {

void Write(const std::shared_ptr<Log>& log, std::string call) {
    log->calls.push_back(std::move(call));
}

class FakeAppointment : public outlook::AppointmentItem {
  public:
    FakeAppointment(std::shared_ptr<FakeFolder> folder) : folder_(std::move(folder)) {}
    rt::Date Start() override { return item_.start; }
    void SetStart(rt::Date v) override {
        Write(folder_->log, "Start=" + rt::DateText(v));
        item_.start = v;
    }
    bool AllDayEvent() override { return item_.allDay; }
    void SetAllDayEvent(bool v) override {
        Write(folder_->log, std::string("AllDayEvent=") + (v ? "True" : "False"));
        item_.allDay = v;
    }
    std::string Subject() override { return item_.subject; }
    void SetSubject(const std::string& v) override {
        Write(folder_->log, "Subject=" + v);
        item_.subject = v;
    }
    std::string Categories() override { return item_.categories; }
    void SetCategories(const std::string& v) override {
        Write(folder_->log, "Categories=" + v);
        item_.categories = v;
    }
    std::string Body() override { return item_.body; }
    void SetBody(const std::string& v) override {
        Write(folder_->log, "Body");
        item_.body = v;
    }
    bool ReminderSet() override { return item_.reminder; }
    void SetReminderSet(bool v) override {
        Write(folder_->log, std::string("ReminderSet=") + (v ? "True" : "False"));
        item_.reminder = v;
    }
    void Save() override {
        Write(folder_->log, "Save");
        if (folder_->failSave)
            throw rt::Failure(rt::kPathFileAccess, "The item cannot be saved");
        folder_->saved.push_back(item_);
    }
    void Close(int32_t mode) override { Write(folder_->log, "Close=" + std::to_string(mode)); }

  private:
    std::shared_ptr<FakeFolder> folder_;
    SavedAppointment item_;
};

class FakeItems : public outlook::Items {
  public:
    explicit FakeItems(std::shared_ptr<FakeFolder> folder) : folder_(std::move(folder)) {}
    std::shared_ptr<outlook::AppointmentItem> Add(const std::string& messageClass) override {
        Write(folder_->log, "Items.Add=" + messageClass);
        if (folder_->failAdd)
            throw rt::Failure(rt::kPathNotFound, "The folder is gone");
        return std::make_shared<FakeAppointment>(folder_);
    }

  private:
    std::shared_ptr<FakeFolder> folder_;
};

class FakeExplorers : public outlook::ExplorerList {
  public:
    explicit FakeExplorers(std::shared_ptr<FakeApplication> app) : app_(std::move(app)) {}
    int32_t Count() override { return static_cast<int32_t>(app_->explorers.size()); }
    std::shared_ptr<outlook::Explorer> Item(int32_t index) override {
        if (index < 1 || index > Count())
            throw rt::Failure(rt::kSubscriptOutOfRange);
        return app_->explorers[index - 1];
    }
    std::shared_ptr<outlook::Explorer> Add(std::shared_ptr<outlook::Folder> folder,
                                           int32_t mode) override {
        auto fake = std::dynamic_pointer_cast<FakeFolder>(folder);
        std::string name = fake ? fake->name : "?";
        Write(app_->log, "Explorers.Add=" + name + "," + std::to_string(mode));
        return app_->AddExplorer(name, false);
    }

  private:
    std::shared_ptr<FakeApplication> app_;
};

class FakeWindow : public outlook::ActiveWindowInfo {
  public:
    explicit FakeWindow(std::string caption) : caption_(std::move(caption)) {}
    std::string Caption() override { return caption_; }

  private:
    std::string caption_;
};

class FakeNameSpace : public outlook::NameSpace {
  public:
    explicit FakeNameSpace(std::shared_ptr<FakeApplication> app) : app_(std::move(app)) {}
    std::shared_ptr<outlook::Folder> GetDefaultFolder(int32_t kind) override {
        Write(app_->log, "GetDefaultFolder=" + std::to_string(kind));
        if (kind == outlook::olFolderInbox)
            return app_->inbox;
        if (kind == outlook::olFolderCalendar)
            return app_->calendar;
        if (kind == outlook::olFolderDrafts)
            return app_->drafts;
        throw rt::Failure(rt::kInvalidCall);
    }
    std::shared_ptr<outlook::Folder> PickFolder() override {
        Write(app_->log, "PickFolder");
        ++app_->pickCalls;
        if (app_->failPick)
            throw rt::Failure(rt::kInvalidCall, "The chooser failed");
        return app_->pickResult;
    }

  private:
    std::shared_ptr<FakeApplication> app_;
};

}  // namespace

FakeFolder::FakeFolder(std::shared_ptr<Log> calls, std::string folderName, int32_t kind)
    : name(std::move(folderName)), itemType(kind), log(std::move(calls)) {}

int32_t FakeFolder::DefaultItemType() {
    return itemType;
}

std::shared_ptr<outlook::Items> FakeFolder::Items() {
    Write(log, "Items");
    return std::make_shared<FakeItems>(shared_from_this());
}

void FakeMail::SetTo(const std::string& v) {
    Write(log, "Mail.To=" + v);
    to = v;
}
void FakeMail::SetSubject(const std::string& v) {
    Write(log, "Mail.Subject=" + v);
    subject = v;
}
void FakeMail::SetBody(const std::string& v) {
    Write(log, "Mail.Body");
    body = v;
}
void FakeMail::Display() {
    Write(log, "Mail.Display");
    if (failDisplay)
        throw rt::Failure(rt::kInvalidCall, "The editor cannot open");
    displayed = true;
}

FakeExplorer::FakeExplorer(std::shared_ptr<Log> calls, std::string explorerName)
    : name(std::move(explorerName)), log(std::move(calls)) {}

void FakeExplorer::Activate() {
    Write(log, "Explorer.Activate=" + name);
    ++activations;
}

FakeApplication::FakeApplication() : log(std::make_shared<Log>()) {
    inbox = std::make_shared<FakeFolder>(log, "Inbox", 0);
    calendar = std::make_shared<FakeFolder>(log, "Calendar", 1);
    drafts = std::make_shared<FakeFolder>(log, "Drafts", 0);
}

std::string FakeApplication::Version() {
    return version;
}

std::shared_ptr<outlook::NameSpace> FakeApplication::GetNamespace(const std::string& type) {
    if (type != "MAPI")
        throw rt::Failure(rt::kInvalidCall);
    return std::make_shared<FakeNameSpace>(shared_from_this());
}

std::shared_ptr<outlook::Explorer> FakeApplication::ActiveExplorer() {
    return active;
}

std::shared_ptr<outlook::ExplorerList> FakeApplication::Explorers() {
    return std::make_shared<FakeExplorers>(shared_from_this());
}

std::shared_ptr<outlook::ActiveWindowInfo> FakeApplication::ActiveWindow() {
    if (explorers.empty())
        throw rt::Failure(rt::kObjectNotSet, "No window");
    return std::make_shared<FakeWindow>(windowCaption);
}

std::shared_ptr<outlook::MailItem> FakeApplication::CreateItem(int32_t itemType) {
    Write(log, "CreateItem=" + std::to_string(itemType));
    if (failCreateItem)
        throw rt::Failure(rt::kCannotCreateObject, "No mail here");
    auto mail = std::make_shared<FakeMail>(log);
    mail->failDisplay = failDisplay;
    mails.push_back(mail);
    return mail;
}

std::shared_ptr<automation::Object> FakeApplication::CreateObject(const std::string& progId) {
    Write(log, "CreateObject=" + progId);
    auto it = objects.find(progId);
    if (it == objects.end())
        throw rt::Failure(rt::kCannotCreateObject);
    return it->second;
}

std::shared_ptr<outlook::Assistant> FakeApplication::Assistant() {
    if (!assistant)
        throw rt::Failure(rt::kCannotCreateObject, "No assistant");
    return assistant;
}

std::shared_ptr<FakeExplorer> FakeApplication::AddExplorer(const std::string& name,
                                                           bool makeActive) {
    auto explorer = std::make_shared<FakeExplorer>(log, name);
    explorers.push_back(explorer);
    if (makeActive)
        active = explorer;
    return explorer;
}

}  // namespace fakeoutlook
