#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "outlook/calendar/Appointment.h"
#include "platform/runtime/Date.h"

namespace calendar {

// A folder of a calendar source: a calendar, or another kind of folder the source shows
// (a mail folder, a task list). Every operation may fail with an rt::Failure.
class Calendar {
  public:
    virtual ~Calendar() = default;

    // The name the user knows it by ("Personal").
    virtual std::string Name() = 0;
    // The name with where it lives ("Personal (On This Computer)").
    virtual std::string Title() = 0;
    // What the folder holds, as the object model's item kinds: 1 appointments, 0 mail,
    // 2 contacts, 3 tasks, 5 notes.
    virtual int32_t ItemType() = 0;

    // Stores a new appointment under its UID, whole or not at all.
    virtual void Add(const Appointment& appointment) = 0;
    // Replaces the stored appointment of the same UID.
    virtual void Change(const Appointment& appointment) = 0;
    // The appointments that start on a day from `first` to `last`, both included.
    virtual std::vector<Appointment> Find(rt::Date first, rt::Date last) = 0;
    // Removes the appointment of that UID.
    virtual void Remove(const std::string& uid) = 0;
};

}  // namespace calendar
