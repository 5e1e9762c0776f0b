#pragma once

#include "platform/automation/Registry.h"

// The wiring of the product: which component stands behind each name, and the hooks by
// which the lower modules reach the state of the upper ones.
namespace components {

// Registers the product's components under their class names and ProgIDs.
void RegisterProductComponents(automation::Registry& registry);

// Unless VELMORA_STORE names the local store, the connection attaches to the desktop's
// calendar service when it answers on the session bus with a default calendar; it is looked
// for when the connection first asks, and never for longer than about two seconds.
void RegisterDesktopCalendar(automation::Registry& registry);

// Hands the end of the program the services' shared objects to drop, and the reset of
// program-wide state the services' own state.
void InstallModuleHooks();

}  // namespace components
