#include "outlook/desktopcal/ServiceCalendar.h"

#include <cstdio>

#include "outlook/calendar/ICalendar.h"
#include "outlook/calendar/ItemKinds.h"
#include "outlook/desktopcal/Service.h"

namespace desktopcal {

namespace {

// The event of the appointment's iCalendar text, the same as the local store writes.
Ref<ICalComponent> EventOf(const calendar::Appointment& appointment) {
    Ref<ICalComponent> whole(
        i_cal_component_new_from_string(calendar::ToICalendar(appointment).c_str()));
    Ref<ICalComponent> event(
        whole ? i_cal_component_get_first_component(whole.get(), I_CAL_VEVENT_COMPONENT) : nullptr);
    if (!event)
        throw rt::Failure(rt::kInvalidCall, "The appointment has no iCalendar form");
    return event;
}

// "20060101T000000Z": the service's queries name times in UTC.
std::string QueryTime(std::chrono::sys_days day) {
    std::chrono::year_month_day ymd(day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02u%02uT000000Z", int(ymd.year()), unsigned(ymd.month()),
                  unsigned(ymd.day()));
    return text;
}

// Every event that may start in the range; a day more on each side, as an all-day event is
// placed in the service's own time zone. The caller keeps those that start in it.
std::string RangeQuery(rt::Date first, rt::Date last) {
    using std::chrono::days;
    return "(occur-in-time-range? (make-time \"" + QueryTime(rt::ToSysDays(first) - days(1)) +
           "\") (make-time \"" + QueryTime(rt::ToSysDays(last) + days(2)) + "\"))";
}

std::vector<calendar::Appointment> AppointmentsOf(GSList* components, rt::Date first,
                                                  rt::Date last) {
    std::vector<calendar::Appointment> found;
    for (GSList* link = components; link; link = link->next) {
        gchar* text = i_cal_component_as_ical_string(I_CAL_COMPONENT(link->data));
        std::string ical = TextOf(text);
        g_free(text);
        for (auto& appointment : calendar::FromICalendar(ical))
            if (calendar::StartsWithin(appointment, first, last))
                found.push_back(std::move(appointment));
    }
    return found;
}

}  // namespace

ServiceCalendar::ServiceCalendar(std::shared_ptr<Service> service, std::string uid)
    : service_(std::move(service)), uid_(std::move(uid)) {
    name_ = TextOf(e_source_get_display_name(service_->Source(uid_).get()));
}

std::string ServiceCalendar::Name() {
    Ref<ESource> source(e_source_registry_ref_source(service_->Registry(), uid_.c_str()));
    return source ? TextOf(e_source_get_display_name(source.get())) : name_;
}

std::string ServiceCalendar::GroupName() const {
    Ref<ESource> source(e_source_registry_ref_source(service_->Registry(), uid_.c_str()));
    const char* parent = source ? e_source_get_parent(source.get()) : nullptr;
    Ref<ESource> group(parent ? e_source_registry_ref_source(service_->Registry(), parent)
                              : nullptr);
    return group ? TextOf(e_source_get_display_name(group.get())) : "";
}

std::string ServiceCalendar::Title() {
    std::string group = GroupName();
    return group.empty() ? Name() : Name() + " (" + group + ")";
}

int32_t ServiceCalendar::ItemType() {
    switch (KindOf(service_->Source(uid_, name_).get())) {
        case SourceKind::Calendar:
            return outlook::olAppointmentItem;
        case SourceKind::TaskList:
            return outlook::olTaskItem;
        case SourceKind::MemoList:
            return outlook::olNoteItem;
        case SourceKind::AddressBook:
            return outlook::olContactItem;
        case SourceKind::Other:
            break;
    }
    throw rt::Failure(rt::kTypeMismatch, Name() + " is neither a calendar nor a list");
}

// A calendar removed from the service stays open here and would take the event without
// complaint, into a calendar nobody sees any more: the registry is asked first.
template <class Call>
void ServiceCalendar::Store(const calendar::Appointment& appointment, Call call) {
    service_->Source(uid_, name_);
    ECalClient* client = service_->Calendar(uid_);
    Ref<ICalComponent> event = EventOf(appointment);
    ErrorSlot error;
    if (!call(client, event.get(), &error))
        throw service_->FailureFor(client, error.error);
}

void ServiceCalendar::Add(const calendar::Appointment& appointment) {
    Store(appointment, [](ECalClient* client, ICalComponent* event, GError** error) {
        return e_cal_client_create_object_sync(client, event, E_CAL_OPERATION_FLAG_NONE, nullptr,
                                               nullptr, error);
    });
}

void ServiceCalendar::Change(const calendar::Appointment& appointment) {
    Store(appointment, [](ECalClient* client, ICalComponent* event, GError** error) {
        return e_cal_client_modify_object_sync(client, event, E_CAL_OBJ_MOD_ALL,
                                               E_CAL_OPERATION_FLAG_NONE, nullptr, error);
    });
}

std::vector<calendar::Appointment> ServiceCalendar::Find(rt::Date first, rt::Date last) {
    service_->Source(uid_, name_);
    ECalClient* client = service_->Calendar(uid_);
    GSList* components = nullptr;
    ErrorSlot error;
    if (!e_cal_client_get_object_list_sync(client, RangeQuery(first, last).c_str(), &components,
                                           nullptr, &error))
        throw service_->FailureFor(client, error.error);
    std::unique_ptr<GSList, void (*)(GSList*)> owned(
        components, [](GSList* list) { g_slist_free_full(list, g_object_unref); });
    return AppointmentsOf(owned.get(), first, last);
}

void ServiceCalendar::Remove(const std::string& uid) {
    service_->Source(uid_, name_);
    ECalClient* client = service_->Calendar(uid_);
    ErrorSlot error;
    if (!e_cal_client_remove_object_sync(client, uid.c_str(), nullptr, E_CAL_OBJ_MOD_ALL,
                                         E_CAL_OPERATION_FLAG_NONE, nullptr, &error))
        throw service_->FailureFor(client, error.error);
}

}  // namespace desktopcal
