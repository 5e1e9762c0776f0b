#pragma once

#include <memory>
#include <string>

#include "outlook/ObjectModel.h"
#include "outlook/pimstore/Appointment.h"

namespace desktopcal {

class Service;

// An appointment in a calendar of the desktop's calendar service. It carries the same
// properties, in the same iCalendar form, as the local store's appointments; Save hands the
// event to the service, which creates it the first time and changes it afterwards.
class DesktopAppointment : public outlook::AppointmentItem {
  public:
    // `calendarName` names the calendar in failures once it has gone.
    DesktopAppointment(std::shared_ptr<Service> service, std::string calendarUid,
                       std::string calendarName = "");

    rt::Date Start() override { return draft_.Start(); }
    void SetStart(rt::Date start) override { Change(&Draft::SetStart, start); }
    bool AllDayEvent() override { return draft_.AllDayEvent(); }
    void SetAllDayEvent(bool allDay) override { Change(&Draft::SetAllDayEvent, allDay); }
    std::string Subject() override { return draft_.Subject(); }
    void SetSubject(const std::string& subject) override { Change(&Draft::SetSubject, subject); }
    std::string Categories() override { return draft_.Categories(); }
    void SetCategories(const std::string& categories) override {
        Change(&Draft::SetCategories, categories);
    }
    std::string Body() override { return draft_.Body(); }
    void SetBody(const std::string& body) override { Change(&Draft::SetBody, body); }
    bool ReminderSet() override { return draft_.ReminderSet(); }
    void SetReminderSet(bool reminder) override { Change(&Draft::SetReminderSet, reminder); }
    // Fails with the service's own message when the calendar refuses the event (read-only:
    // 70), is gone (76), or the service no longer answers (kServiceGone).
    void Save() override;
    // 0 saves changes first, 1 drops them, 2 asks (here: saves).
    void Close(int32_t saveMode) override;

    const std::string& Uid() const { return draft_.Uid(); }
    const std::string& CalendarUid() const { return calendarUid_; }

  private:
    using Draft = pimstore::StoreAppointment;
    template <class Setter, class Value>
    void Change(Setter setter, const Value& value) {
        (draft_.*setter)(value);
        dirty_ = true;
    }

    std::shared_ptr<Service> service_;
    std::string calendarUid_;
    std::string calendarName_;
    // Holds the properties and writes their iCalendar form; never saved itself.
    Draft draft_;
    bool created_ = false;
    bool dirty_ = true;
};

}  // namespace desktopcal
