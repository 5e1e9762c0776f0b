#pragma once

#include "platform/automation/Registry.h"

namespace components {

// Registers the product's components under their class names and ProgIDs.
void RegisterProductComponents(automation::Registry& registry);

}  // namespace components
