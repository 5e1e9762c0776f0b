#include "services/Components.h"

#include "grid/owc/Spreadsheet.h"
#include "platform/runtime/Variant.h"
#include "services/scripting/Dictionary.h"

namespace components {

void RegisterProductComponents(automation::Registry& registry) {
    auto dictionary = [] { return std::make_shared<scripting::Dictionary<rt::Variant>>(); };
    registry.RegisterClass("Scripting.Dictionary", dictionary);
    registry.RegisterProgId("Scripting.Dictionary", dictionary);
    // The spreadsheet control answers to the newer object model's ProgIDs only, so
    // "OWC.Spreadsheet" cannot be created.
    auto spreadsheet = [] { return std::make_shared<owc::Spreadsheet>(); };
    registry.RegisterProgId("OWC10.Spreadsheet", spreadsheet);
    registry.RegisterProgId("OWC11.Spreadsheet", spreadsheet);
}

}  // namespace components
