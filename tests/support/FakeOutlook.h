#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "outlook/ObjectModel.h"

// An application double: everything in memory, every call written to one log, failures on
// demand.
namespace fakeoutlook {

struct Log {
    std::vector<std::string> calls;
};

struct SavedAppointment {
    rt::Date start;
    bool allDay = false;
    std::string subject, categories, body;
    bool reminder = true;
};

class FakeAppointment;

class FakeFolder : public outlook::Folder, public std::enable_shared_from_this<FakeFolder> {
  public:
    FakeFolder(std::shared_ptr<Log> calls, std::string folderName, int32_t kind = 1);
    int32_t DefaultItemType() override;
    std::shared_ptr<outlook::Items> Items() override;

    std::string name;
    int32_t itemType;
    bool failAdd = false;
    bool failSave = false;
    std::vector<SavedAppointment> saved;
    std::shared_ptr<Log> log;
};

class FakeMail : public outlook::MailItem {
  public:
    explicit FakeMail(std::shared_ptr<Log> calls) : log(std::move(calls)) {}
    std::string To() override { return to; }
    void SetTo(const std::string& v) override;
    std::string Subject() override { return subject; }
    void SetSubject(const std::string& v) override;
    std::string Body() override { return body; }
    void SetBody(const std::string& v) override;
    void Display() override;

    std::string to, subject, body;
    bool displayed = false;
    bool failDisplay = false;
    std::shared_ptr<Log> log;
};

class FakeExplorer : public outlook::Explorer {
  public:
    FakeExplorer(std::shared_ptr<Log> calls, std::string explorerName);
    void Activate() override;
    std::string name;
    int activations = 0;
    std::shared_ptr<Log> log;
};

class FakeApplication : public outlook::Application,
                        public std::enable_shared_from_this<FakeApplication> {
  public:
    FakeApplication();

    std::string Version() override;
    std::shared_ptr<outlook::NameSpace> GetNamespace(const std::string& type) override;
    std::shared_ptr<outlook::Explorer> ActiveExplorer() override;
    std::shared_ptr<outlook::ExplorerList> Explorers() override;
    std::shared_ptr<outlook::ActiveWindowInfo> ActiveWindow() override;
    std::shared_ptr<outlook::MailItem> CreateItem(int32_t itemType) override;
    std::shared_ptr<automation::Object> CreateObject(const std::string& progId) override;
    std::shared_ptr<outlook::Assistant> Assistant() override;

    // Adds an open window; `active` makes it the front one.
    std::shared_ptr<FakeExplorer> AddExplorer(const std::string& name, bool active);

    std::shared_ptr<Log> log;
    std::string version = "11.0.0.1";
    std::string windowCaption = "Inbox - Fake Outlook";
    std::shared_ptr<FakeFolder> inbox, calendar, drafts;
    std::shared_ptr<outlook::Folder> pickResult;  // what the chooser answers
    bool failPick = false;
    int pickCalls = 0;
    bool failCreateItem = false;
    bool failDisplay = false;
    std::vector<std::shared_ptr<FakeMail>> mails;
    std::vector<std::shared_ptr<FakeExplorer>> explorers;
    std::shared_ptr<FakeExplorer> active;
    std::map<std::string, std::shared_ptr<automation::Object>> objects;  // for CreateObject
    std::shared_ptr<outlook::Assistant> assistant;  // none: asking for it fails
};

}  // namespace fakeoutlook
