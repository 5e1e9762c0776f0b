#pragma once

#include <memory>
#include <string>

#include "outlook/ObjectModel.h"
#include "outlook/calendar/Appointment.h"
#include "outlook/calendar/Calendar.h"

namespace outlook {

// A new appointment of a calendar: its properties are kept here until Save hands them to
// the calendar, which adds the appointment the first time and changes it afterwards.
class CalendarItem : public AppointmentItem {
  public:
    explicit CalendarItem(std::shared_ptr<calendar::Calendar> calendar);

    rt::Date Start() override { return value_.start; }
    void SetStart(rt::Date start) override { Change(value_.start, start); }
    bool AllDayEvent() override { return value_.allDay; }
    void SetAllDayEvent(bool allDay) override { Change(value_.allDay, allDay); }
    std::string Subject() override { return value_.subject; }
    void SetSubject(const std::string& subject) override { Change(value_.subject, subject); }
    std::string Categories() override { return value_.categories; }
    void SetCategories(const std::string& categories) override {
        Change(value_.categories, categories);
    }
    std::string Body() override { return value_.body; }
    void SetBody(const std::string& body) override { Change(value_.body, body); }
    bool ReminderSet() override { return value_.reminder; }
    void SetReminderSet(bool reminder) override { Change(value_.reminder, reminder); }
    void Save() override;
    // 0 saves changes first, 1 drops them, 2 asks (here: saves).
    void Close(int32_t saveMode) override;

    const std::string& Uid() const { return value_.uid; }

  private:
    template <class T>
    void Change(T& member, const T& value) {
        member = value;
        dirty_ = true;
    }

    std::shared_ptr<calendar::Calendar> calendar_;
    calendar::Appointment value_;
    bool stored_ = false;
    bool dirty_ = true;
};

}  // namespace outlook
