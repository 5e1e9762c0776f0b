#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "outlook/ObjectModel.h"
#include "outlook/pimstore/Store.h"

// The desktop's calendar service (evolution-data-server) as the calendar application:
// appointments go into the calendars that GNOME Calendar and Evolution show, and through the
// desktop's online accounts into CalDAV, Google or Exchange calendars. Mail, the explorer
// windows and everything else the service does not hold stay with the local store.
namespace desktopcal {

class Service;

class DesktopApplication;

// The application when the service answers on the session bus with a default calendar
// (a service the bus starts on demand counts), else none. The default calendar is opened
// here. Never holds up the start: without a bus it returns at once, a bus without the
// service says so at once, and a service that hangs is given up after `limit` (its search
// ends later on a thread of its own). Mail and the store's folders go to the store at
// storeRoot.
std::shared_ptr<DesktopApplication> FindRunningService(const std::filesystem::path& storeRoot,
                                                       std::chrono::milliseconds limit);
// The same with the store at its default place and a limit of about two seconds.
std::shared_ptr<DesktopApplication> FindRunningService();

// A calendar, task list, memo list or address book of the service.
class ServiceFolder : public outlook::Folder {
  public:
    // Fails (76) when the service has no source of that UID.
    ServiceFolder(std::shared_ptr<Service> service, std::string uid);
    // 1 for a calendar, 3 for a task list, 5 for a memo list, 2 for an address book.
    int32_t DefaultItemType() override;
    // Fails for anything but a calendar.
    std::shared_ptr<outlook::Items> Items() override;

    const std::string& Uid() const { return uid_; }
    // The name the desktop shows; the last one known once the calendar has gone.
    std::string Name() const;
    // The account or collection the calendar belongs to ("On This Computer"); empty when
    // there is none or the calendar has gone.
    std::string GroupName() const;
    // "Personal (On This Computer)".
    std::string Title() override;
    bool IsReadOnly();

  private:
    std::shared_ptr<Service> service_;
    std::string uid_;
    std::string name_;  // kept for the failure when the calendar has gone
};

class DesktopApplication : public outlook::Application,
                           public std::enable_shared_from_this<DesktopApplication> {
  public:
    DesktopApplication(std::shared_ptr<Service> service, std::filesystem::path storeRoot);

    // The store's version text, naming the service's version after it.
    std::string Version() override;
    std::shared_ptr<outlook::NameSpace> GetNamespace(const std::string& type) override;
    std::shared_ptr<outlook::Explorer> ActiveExplorer() override;
    std::shared_ptr<outlook::ExplorerList> Explorers() override;
    std::shared_ptr<outlook::ActiveWindowInfo> ActiveWindow() override;
    std::shared_ptr<outlook::MailItem> CreateItem(int32_t itemType) override;
    std::shared_ptr<automation::Object> CreateObject(const std::string& progId) override;
    std::shared_ptr<outlook::Assistant> Assistant() override;

    // The folder a chooser's answer names (see DesktopCatalog).
    std::shared_ptr<outlook::Folder> FolderFor(const std::string& id);
    std::shared_ptr<ServiceFolder> ServiceFolderOf(const std::string& uid);
    const std::shared_ptr<pimstore::StoreApplication>& Store() const { return store_; }
    const std::shared_ptr<Service>& GetService() const { return service_; }

  private:
    std::shared_ptr<Service> service_;
    std::shared_ptr<pimstore::StoreApplication> store_;
};

}  // namespace desktopcal
