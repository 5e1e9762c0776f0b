#include "services/Components.h"

#include "platform/runtime/Variant.h"
#include "services/scripting/Dictionary.h"

namespace components {

void RegisterProductComponents(automation::Registry& registry) {
    auto dictionary = [] { return std::make_shared<scripting::Dictionary<rt::Variant>>(); };
    registry.RegisterClass("Scripting.Dictionary", dictionary);
    registry.RegisterProgId("Scripting.Dictionary", dictionary);
}

}  // namespace components
