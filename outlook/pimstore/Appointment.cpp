#include "outlook/pimstore/Appointment.h"

#include <libical/ical.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

#include "Version.h"
#include "platform/runtime/Failure.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/Text.h"

namespace pimstore {

namespace fs = std::filesystem;

namespace {

using Component = std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)>;

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

void AddTimes(icalcomponent* event, rt::Date start, bool allDay) {
    if (allDay) {
        icaltimetype first = DateOf(start);
        icaltimetype next = first;
        icaltime_adjust(&next, 1, 0, 0, 0);
        icalcomponent_add_property(event, DateProperty(icalproperty_new_dtstart(first)));
        icalcomponent_add_property(event, DateProperty(icalproperty_new_dtend(next)));
        icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        return;
    }
    icaltimetype begin = DateTimeOf(start);
    icaltimetype end = begin;
    icaltime_adjust(&end, 0, 0, 30, 0);
    icalcomponent_add_property(event, icalproperty_new_dtstart(begin));
    icalcomponent_add_property(event, icalproperty_new_dtend(end));
}

void AddAlarm(icalcomponent* event, const std::string& subject) {
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(-15 * 60);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_property(alarm, icalproperty_new_description(subject.c_str()));
    icalcomponent_add_component(event, alarm);
}

}  // namespace

std::string NewUid() {
    static std::mt19937_64 generator{std::random_device{}()};
    uint64_t high = generator(), low = generator();
    high = (high & ~0xF000ULL) | 0x4000ULL;                // version 4
    low = (low & ~(0xC000ULL << 48)) | (0x8000ULL << 48);  // RFC 4122 variant
    char text[40];
    std::snprintf(text, sizeof text, "%08x-%04x-%04x-%04x-%012llx", unsigned(high >> 32),
                  unsigned((high >> 16) & 0xFFFF), unsigned(high & 0xFFFF), unsigned(low >> 48),
                  static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFULL));
    return text;
}

StoreAppointment::StoreAppointment(fs::path folder) : folder_(std::move(folder)), uid_(NewUid()) {}

fs::path StoreAppointment::File() const {
    return folder_ / (uid_ + ".ics");
}

std::string StoreAppointment::ICalendarText() const {
    std::string prodid = std::string("-//Velmora//Name days ") + rt::kVersionText + "//EN";
    Component calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT), icalcomponent_free);
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(prodid.c_str()));
    icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(event, icalproperty_new_uid(uid_.c_str()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(icaltime_from_timet_with_zone(
                                          std::time(nullptr), 0, icaltimezone_get_utc_timezone())));
    AddTimes(event, start_, allDay_);
    icalcomponent_add_property(event, icalproperty_new_summary(subject_.c_str()));
    if (!categories_.empty())
        icalcomponent_add_property(event, icalproperty_new_categories(categories_.c_str()));
    if (!body_.empty())
        icalcomponent_add_property(event,
                                   icalproperty_new_description(rt::WithLineFeeds(body_).c_str()));
    if (reminder_)
        AddAlarm(event, subject_);
    icalcomponent_add_component(calendar.get(), event);
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    std::string result = text ? text : "";
    std::free(text);
    return result;
}

void StoreAppointment::Save() {
    std::error_code error;
    if (!fs::is_directory(folder_, error))
        throw rt::Failure(rt::kPathNotFound, "Path not found: the calendar folder " +
                                                 folder_.string() + " no longer exists");
    rt::WriteFileAtomically(File(), ICalendarText());
    dirty_ = false;
}

void StoreAppointment::Close(int32_t saveMode) {
    if (saveMode != 1 && dirty_)
        Save();
}

}  // namespace pimstore
