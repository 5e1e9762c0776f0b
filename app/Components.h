#pragma once

#include <filesystem>

#include "platform/automation/Registry.h"

// The wiring of the product: which component stands behind each name.
namespace components {

// The module that holds the desktop's calendar service, beside the program.
inline constexpr const char* kDesktopCalendarModule = "namedays-desktopcal.so";

// Registers the product's components under their class names and ProgIDs.
void RegisterProductComponents(automation::Registry& registry);

// Unless VELMORA_STORE names the local store, the connection attaches to the desktop's
// calendar service when it answers on the session bus with a default calendar, with the
// store beside it for its folders and mail. Where there is a session bus, the service's
// module is loaded and the service looked for from here on, beside the rest of the start,
// for about two seconds at most; the connection takes the answer when it first asks.
void RegisterDesktopCalendar(automation::Registry& registry, const std::filesystem::path& module);

}  // namespace components
