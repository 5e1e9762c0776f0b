#pragma once

#include <string>

#include "platform/runtime/Date.h"

namespace calendar {

// One appointment as the program writes it into a calendar and reads it back: the
// properties it sets, and nothing else.
struct Appointment {
    std::string uid;
    rt::Date start;  // the day, with the time of day unless all-day
    bool allDay = false;
    std::string subject;
    std::string categories;
    std::string body;  // lines end in CR LF
    bool reminder = false;

    friend bool operator==(const Appointment&, const Appointment&) = default;
};

// True when the appointment starts on a day from `first` to `last`, both included.
bool StartsWithin(const Appointment& appointment, rt::Date first, rt::Date last);

}  // namespace calendar
