#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "outlook/calendar/ItemKinds.h"
#include "platform/automation/Registry.h"
#include "platform/runtime/Date.h"

// The calendar application's object model: exactly the operations the program uses. Every
// operation may fail with an rt::Failure.
namespace outlook {

class Folder;
class Items;
class AppointmentItem;
class MailItem;
class NameSpace;
class Explorer;
class ExplorerList;
class ActiveWindowInfo;
class Assistant;

// Close modes and explorer views.
inline constexpr int32_t olSave = 0;
inline constexpr int32_t olFolderDisplayNormal = 0;

class Application : public automation::Object {
  public:
    virtual std::string Version() = 0;
    virtual std::shared_ptr<NameSpace> GetNamespace(const std::string& type) = 0;
    virtual std::shared_ptr<Explorer> ActiveExplorer() = 0;  // none when no window is active
    virtual std::shared_ptr<ExplorerList> Explorers() = 0;
    virtual std::shared_ptr<ActiveWindowInfo> ActiveWindow() = 0;
    virtual std::shared_ptr<MailItem> CreateItem(int32_t itemType) = 0;
    virtual std::shared_ptr<automation::Object> CreateObject(const std::string& progId) = 0;
    virtual std::shared_ptr<outlook::Assistant> Assistant() = 0;
};

class Explorer : public automation::Object {
  public:
    virtual void Activate() = 0;
};

class ExplorerList : public automation::Object {
  public:
    virtual int32_t Count() = 0;
    virtual std::shared_ptr<Explorer> Item(int32_t index) = 0;  // 1-based
    virtual std::shared_ptr<Explorer> Add(std::shared_ptr<Folder> folder, int32_t displayMode) = 0;
};

class ActiveWindowInfo : public automation::Object {
  public:
    virtual std::string Caption() = 0;
};

class Assistant : public automation::Object {
  public:
    virtual bool Visible() = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual int32_t DoAlert(const std::string& title, const std::string& text, int32_t buttons,
                            int32_t icon, int32_t defaultButton, int32_t cancelBehavior,
                            bool systemAlert) = 0;
};

class NameSpace : public automation::Object {
  public:
    virtual std::shared_ptr<Folder> GetDefaultFolder(int32_t folderType) = 0;
    virtual std::shared_ptr<Folder> PickFolder() = 0;  // none on cancel
};

class Folder : public automation::Object {
  public:
    virtual int32_t DefaultItemType() = 0;
    virtual std::shared_ptr<outlook::Items> Items() = 0;
    // How a window names the folder to the user; empty when the application gives no name.
    virtual std::string Title() { return {}; }
};

class Items : public automation::Object {
  public:
    virtual std::shared_ptr<AppointmentItem> Add(const std::string& messageClass) = 0;
};

class AppointmentItem : public automation::Object {
  public:
    virtual rt::Date Start() = 0;
    virtual void SetStart(rt::Date start) = 0;
    virtual bool AllDayEvent() = 0;
    virtual void SetAllDayEvent(bool allDay) = 0;
    virtual std::string Subject() = 0;
    virtual void SetSubject(const std::string& subject) = 0;
    virtual std::string Categories() = 0;
    virtual void SetCategories(const std::string& categories) = 0;
    virtual std::string Body() = 0;
    virtual void SetBody(const std::string& body) = 0;
    virtual bool ReminderSet() = 0;
    virtual void SetReminderSet(bool reminder) = 0;
    virtual void Save() = 0;
    virtual void Close(int32_t saveMode) = 0;
};

class MailItem : public automation::Object {
  public:
    virtual std::string To() = 0;
    virtual void SetTo(const std::string& to) = 0;
    virtual std::string Subject() = 0;
    virtual void SetSubject(const std::string& subject) = 0;
    virtual std::string Body() = 0;
    virtual void SetBody(const std::string& body) = 0;
    virtual void Display() = 0;
};

// Names under which the application can be had.
inline constexpr const char* kApplicationClass = "Outlook.Application";
inline constexpr const char* kApplicationProgIds[] = {
    "Outlook.Application.11", "Outlook.Application.10", "Outlook.Application.9",
    "Outlook.Application"};

}  // namespace outlook
