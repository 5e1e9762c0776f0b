#pragma once

#include <memory>
#include <string>
#include <vector>

#include "outlook/calendar/Calendar.h"

namespace desktopcal {

class Service;

// A calendar, task list, memo list or address book of the desktop's calendar service.
// Appointments go in with the same iCalendar properties as the local store writes.
class ServiceCalendar : public calendar::Calendar {
  public:
    // Fails (76) when the service has no source of that UID.
    ServiceCalendar(std::shared_ptr<Service> service, std::string uid);

    // The name the desktop shows; the last one known once the calendar has gone.
    std::string Name() override;
    // "Personal (On This Computer)": with the account or collection it belongs to.
    std::string Title() override;
    // 1 for a calendar, 3 for a task list, 5 for a memo list, 2 for an address book.
    int32_t ItemType() override;
    // Fail with the service's own message when the calendar refuses the event (read-only:
    // 70), is gone (76), or the service no longer answers (kServiceGone).
    void Add(const calendar::Appointment& appointment) override;
    void Change(const calendar::Appointment& appointment) override;
    std::vector<calendar::Appointment> Find(rt::Date first, rt::Date last) override;
    void Remove(const std::string& uid) override;

  private:
    // The account or collection ("On This Computer"); empty when there is none or the
    // calendar has gone.
    std::string GroupName() const;
    template <class Call>
    void Store(const calendar::Appointment& appointment, Call call);

    std::shared_ptr<Service> service_;
    std::string uid_;
    std::string name_;  // kept for the failure when the calendar has gone
};

}  // namespace desktopcal
