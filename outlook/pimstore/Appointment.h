#pragma once

#include <filesystem>
#include <string>

#include "outlook/ObjectModel.h"

namespace pimstore {

// An appointment of a calendar folder, kept as one iCalendar file <UID>.ics.
class StoreAppointment : public outlook::AppointmentItem {
  public:
    explicit StoreAppointment(std::filesystem::path folder);

    rt::Date Start() override { return start_; }
    void SetStart(rt::Date start) override { Change(start_, start); }
    bool AllDayEvent() override { return allDay_; }
    void SetAllDayEvent(bool allDay) override { Change(allDay_, allDay); }
    std::string Subject() override { return subject_; }
    void SetSubject(const std::string& subject) override { Change(subject_, subject); }
    std::string Categories() override { return categories_; }
    void SetCategories(const std::string& categories) override { Change(categories_, categories); }
    std::string Body() override { return body_; }
    void SetBody(const std::string& body) override { Change(body_, body); }
    bool ReminderSet() override { return reminder_; }
    void SetReminderSet(bool reminder) override { Change(reminder_, reminder); }
    // Writes the file whole or not at all; the folder must still exist.
    void Save() override;
    // 0 saves changes first, 1 drops them, 2 asks (here: saves).
    void Close(int32_t saveMode) override;

    const std::string& Uid() const { return uid_; }
    std::filesystem::path File() const;
    // The iCalendar text the file holds.
    std::string ICalendarText() const;

  private:
    template <class T>
    void Change(T& member, const T& value) {
        member = value;
        dirty_ = true;
    }

    std::filesystem::path folder_;
    std::string uid_;
    rt::Date start_;
    bool allDay_ = false;
    std::string subject_, categories_, body_;
    bool reminder_ = false;
    bool dirty_ = true;
};

// A fresh random UID (RFC 4122 version 4 form).
std::string NewUid();

}  // namespace pimstore
