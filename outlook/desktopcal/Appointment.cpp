#include "outlook/desktopcal/Service.h"

#include "outlook/desktopcal/Appointment.h"

namespace desktopcal {

namespace {

// The event of the iCalendar text the local store would write for the same item.
Ref<ICalComponent> EventOf(const std::string& text) {
    Ref<ICalComponent> calendar(i_cal_component_new_from_string(text.c_str()));
    Ref<ICalComponent> event(
        calendar ? i_cal_component_get_first_component(calendar.get(), I_CAL_VEVENT_COMPONENT)
                 : nullptr);
    if (!event)
        throw rt::Failure(rt::kInvalidCall, "The appointment has no iCalendar form");
    return event;
}

}  // namespace

DesktopAppointment::DesktopAppointment(std::shared_ptr<Service> service, std::string calendarUid,
                                       std::string calendarName)
    : service_(std::move(service)),
      calendarUid_(std::move(calendarUid)),
      calendarName_(std::move(calendarName)),
      draft_({}) {}

void DesktopAppointment::Save() {
    // A calendar removed from the service stays open here and would take the event without
    // complaint, into a calendar nobody sees any more.
    service_->Source(calendarUid_, calendarName_);
    ECalClient* calendar = service_->Calendar(calendarUid_);
    Ref<ICalComponent> event = EventOf(draft_.ICalendarText());
    ErrorSlot error;
    bool saved =
        created_ ? e_cal_client_modify_object_sync(calendar, event.get(), E_CAL_OBJ_MOD_ALL,
                                                   E_CAL_OPERATION_FLAG_NONE, nullptr, &error)
                 : e_cal_client_create_object_sync(calendar, event.get(), E_CAL_OPERATION_FLAG_NONE,
                                                   nullptr, nullptr, &error);
    if (!saved)
        throw service_->FailureFor(calendar, error.error);
    created_ = true;
    dirty_ = false;
}

void DesktopAppointment::Close(int32_t saveMode) {
    if (saveMode != 1 && dirty_)
        Save();
}

}  // namespace desktopcal
