#include "outlook/calendar/Appointment.h"

namespace calendar {

bool StartsWithin(const Appointment& appointment, rt::Date first, rt::Date last) {
    auto day = rt::ToSysDays(appointment.start);
    return rt::ToSysDays(first) <= day && day <= rt::ToSysDays(last);
}

}  // namespace calendar
