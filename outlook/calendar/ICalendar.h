#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "outlook/calendar/Appointment.h"

// Appointments in iCalendar form (RFC 5545), as every calendar of the program stores them.
namespace calendar {

// A VCALENDAR holding the appointment as its one VEVENT, stamped with `stamp`. An all-day
// appointment runs from its day to the next (DTSTART;VALUE=DATE) and leaves the time free;
// a timed one lasts 30 minutes. A reminder is an alarm 15 minutes before. Fails (5) for an
// appointment that ends after the year 3000, which the iCalendar library cannot write.
std::string ToICalendar(const Appointment& appointment, std::time_t stamp);
// The same, stamped now.
std::string ToICalendar(const Appointment& appointment);

// The appointments of a VCALENDAR, or of a lone VEVENT; an event without a start or a UID
// is passed over. Fails (5) for text that is not iCalendar.
std::vector<Appointment> FromICalendar(const std::string& text);

}  // namespace calendar
