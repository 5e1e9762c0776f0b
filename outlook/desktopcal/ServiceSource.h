#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "outlook/calendar/Source.h"
#include "outlook/desktopcal/ServiceCalendar.h"

// The desktop's calendar service (evolution-data-server) as a calendar source: appointments
// go into the calendars that GNOME Calendar and Evolution show, and through the desktop's
// online accounts into CalDAV, Google or Exchange calendars.
namespace desktopcal {

class Service;

inline constexpr const char* kReadOnlyReason = "read-only";

class ServiceSource : public calendar::Source {
  public:
    explicit ServiceSource(std::shared_ptr<Service> service);

    // "Calendars".
    std::string Name() override;
    // "evolution-data-server 3.46.4".
    std::string Description() override;
    // The service's default calendar (9), task list (13), memo list (12) or address book
    // (10); fails (76) when the service has none of the kind.
    std::shared_ptr<calendar::Calendar> DefaultFolder(int32_t folderType) override;
    // The calendars under their accounts and collections, in the desktop's order and
    // colours; read-only calendars, and those that do not open, are shown but cannot be
    // chosen. A node's id is the calendar's UID.
    std::vector<desktop::FolderNode> Tree() override;
    bool Holds(const std::string& id) override;
    std::shared_ptr<calendar::Calendar> Open(const std::string& id) override;
    // A calendar of the service's own, on this computer.
    std::string NewCalendar(const std::string& name, const std::string& nearId) override;

    const std::shared_ptr<Service>& GetService() const { return service_; }

  private:
    std::shared_ptr<Service> service_;
};

// The service when it answers on the session bus with a default calendar (a service the
// bus starts on demand counts), else none. The default calendar is opened here. Never holds
// up the start: without a bus it returns at once, a bus without the service says so at once,
// and a service that hangs is given up after `limit` (its search ends later on a thread of
// its own).
std::shared_ptr<ServiceSource> FindService(std::chrono::milliseconds limit);

}  // namespace desktopcal
