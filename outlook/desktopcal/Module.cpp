// The entry point of the desktop calendar module (see outlook/calendar/SourceModule.h).
#include <chrono>
#include <cstdint>
#include <memory>

#include "outlook/calendar/SourceModule.h"
#include "outlook/desktopcal/ServiceSource.h"

extern "C" __attribute__((visibility("default"))) void namedays_find_calendar_source(
    std::shared_ptr<calendar::Source>* found, int64_t limitMilliseconds) {
    static_assert(
        std::is_same_v<decltype(&namedays_find_calendar_source), calendar::FindSourceFunction>);
    *found = desktopcal::FindService(std::chrono::milliseconds(limitMilliseconds));
}
