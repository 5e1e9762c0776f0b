#include "outlook/calendar/ICalendar.h"

#include <libical/ical.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "Version.h"
#include "platform/runtime/Failure.h"
#include "platform/runtime/Text.h"

namespace calendar {

namespace {

using Component = std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)>;

constexpr int kTimedMinutes = 30;
constexpr int kReminderMinutes = 15;
constexpr int kLastYear = 3000;

icaltimetype DateOf(rt::Date date) {
    auto ymd = rt::ToYearMonthDay(date);
    icaltimetype t = icaltime_null_date();
    t.year = int(ymd.year());
    t.month = int(unsigned(ymd.month()));
    t.day = int(unsigned(ymd.day()));
    return t;
}

icaltimetype DateTimeOf(rt::Date date) {
    icaltimetype t = DateOf(date);
    t.is_date = 0;
    int minutes = rt::MinutesOfDay(date);
    t.hour = minutes / 60;
    t.minute = minutes % 60;
    t.second = 0;
    return t;
}

icalproperty* DateProperty(icalproperty* property) {
    icalproperty_add_parameter(property, icalparameter_new_value(ICAL_VALUE_DATE));
    return property;
}

// libical takes years up to 3000 and writes any later date as 00000000: an appointment
// no calendar program can place. Such a date is refused instead.
void CheckHeld(const icaltimetype& time) {
    if (!icaltime_is_valid_time(time) || time.year > kLastYear)
        throw rt::Failure(rt::kInvalidCall, "Calendars here hold no dates after 31 December " +
                                                std::to_string(kLastYear));
}

void AddTimes(icalcomponent* event, rt::Date start, bool allDay) {
    if (allDay) {
        icaltimetype first = DateOf(start);
        icaltimetype next = first;
        icaltime_adjust(&next, 1, 0, 0, 0);
        CheckHeld(next);
        icalcomponent_add_property(event, DateProperty(icalproperty_new_dtstart(first)));
        icalcomponent_add_property(event, DateProperty(icalproperty_new_dtend(next)));
        icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        return;
    }
    icaltimetype begin = DateTimeOf(start);
    icaltimetype end = begin;
    icaltime_adjust(&end, 0, 0, kTimedMinutes, 0);
    CheckHeld(end);
    icalcomponent_add_property(event, icalproperty_new_dtstart(begin));
    icalcomponent_add_property(event, icalproperty_new_dtend(end));
}

void AddAlarm(icalcomponent* event, const std::string& subject) {
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(-kReminderMinutes * 60);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_property(alarm, icalproperty_new_description(subject.c_str()));
    icalcomponent_add_component(event, alarm);
}

// Owned here until whole: a date that cannot be written fails it half made.
Component NewEvent(const Appointment& appointment, std::time_t stamp) {
    Component owned(icalcomponent_new(ICAL_VEVENT_COMPONENT), icalcomponent_free);
    icalcomponent* event = owned.get();
    icalcomponent_add_property(event, icalproperty_new_uid(appointment.uid.c_str()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(icaltime_from_timet_with_zone(
                                          stamp, 0, icaltimezone_get_utc_timezone())));
    AddTimes(event, appointment.start, appointment.allDay);
    icalcomponent_add_property(event, icalproperty_new_summary(appointment.subject.c_str()));
    if (!appointment.categories.empty())
        icalcomponent_add_property(event,
                                   icalproperty_new_categories(appointment.categories.c_str()));
    if (!appointment.body.empty())
        icalcomponent_add_property(
            event, icalproperty_new_description(rt::WithLineFeeds(appointment.body).c_str()));
    if (appointment.reminder)
        AddAlarm(event, appointment.subject);
    return owned;
}

std::string Text(const char* text) {
    return text ? text : "";
}

// Stored descriptions break lines with LF alone; the program's bodies with CR LF.
std::string WithCrLf(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            result += '\r';
        result += text[i];
    }
    return result;
}

rt::Date StartOf(icaltimetype start) {
    rt::Date day = rt::DateSerial(start.year, start.month, start.day);
    if (start.is_date)
        return day;
    return rt::Date{day.serial + (start.hour * 60 + start.minute) / (24.0 * 60)};
}

// Every CATEGORIES value, joined as the object model shows them.
std::string CategoriesOf(icalcomponent* event) {
    std::string categories;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_CATEGORIES_PROPERTY))
        categories += (categories.empty() ? "" : ",") + Text(icalproperty_get_categories(p));
    return categories;
}

bool ReadEvent(icalcomponent* event, Appointment& appointment) {
    icaltimetype start = icalcomponent_get_dtstart(event);
    appointment.uid = Text(icalcomponent_get_uid(event));
    if (icaltime_is_null_time(start) || !icaltime_is_valid_time(start) || appointment.uid.empty())
        return false;
    try {
        appointment.start = StartOf(start);
    } catch (const rt::Failure&) {
        return false;  // a year the program's dates cannot hold
    }
    appointment.allDay = start.is_date;
    appointment.subject = Text(icalcomponent_get_summary(event));
    appointment.categories = CategoriesOf(event);
    appointment.body = WithCrLf(Text(icalcomponent_get_description(event)));
    appointment.reminder = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
    return true;
}

}  // namespace

std::string ToICalendar(const Appointment& appointment, std::time_t stamp) {
    std::string prodid = std::string("-//Velmora//Name days ") + rt::kVersionText + "//EN";
    Component calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT), icalcomponent_free);
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(prodid.c_str()));
    icalcomponent_add_component(calendar.get(), NewEvent(appointment, stamp).release());
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    std::string result = text ? text : "";
    std::free(text);
    return result;
}

std::string ToICalendar(const Appointment& appointment) {
    return ToICalendar(appointment, std::time(nullptr));
}

std::vector<Appointment> FromICalendar(const std::string& text) {
    Component parsed(icalparser_parse_string(text.c_str()), icalcomponent_free);
    if (!parsed)
        throw rt::Failure(rt::kInvalidCall, "Not an iCalendar text");
    std::vector<Appointment> appointments;
    Appointment appointment;
    if (icalcomponent_isa(parsed.get()) == ICAL_VEVENT_COMPONENT) {
        if (ReadEvent(parsed.get(), appointment))
            appointments.push_back(appointment);
        return appointments;
    }
    for (icalcomponent* event =
             icalcomponent_get_first_component(parsed.get(), ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(parsed.get(), ICAL_VEVENT_COMPONENT))
        if (ReadEvent(event, appointment))
            appointments.push_back(appointment);
    return appointments;
}

}  // namespace calendar
