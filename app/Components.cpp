#include "app/Components.h"

#include "grid/owc/Spreadsheet.h"
#include "outlook/ObjectModel.h"
#include "outlook/desktopcal/DesktopCalendar.h"
#include "outlook/modGlobals.h"
#include "outlook/pimstore/Store.h"
#include "platform/desktop/Desktop.h"
#include "platform/runtime/Variant.h"
#include "services/modErroHandling.h"
#include "services/modFileHandling.h"
#include "services/modScriptingDic.h"
#include "services/scripting/Dictionary.h"
#include "services/scripting/FileSystemObject.h"
#include "services/scripting/Shell.h"

namespace components {

namespace {

template <class T>
void RegisterBoth(automation::Registry& registry, const std::string& name) {
    auto make = [] { return std::make_shared<T>(); };
    registry.RegisterClass(name, make);
    registry.RegisterProgId(name, make);
}

}  // namespace

void RegisterProductComponents(automation::Registry& registry) {
    RegisterBoth<scripting::Dictionary<rt::Variant>>(registry, "Scripting.Dictionary");
    RegisterBoth<scripting::FileSystemObject>(registry, "Scripting.FileSystemObject");
    registry.RegisterProgId("Shell.Application",
                            [] { return std::make_shared<scripting::ShellApplication>(); });
    registry.RegisterProgId("Wscript.Shell",
                            [] { return std::make_shared<scripting::WshShell>(); });
    // The spreadsheet control answers to the newer object model's ProgIDs only, so
    // "OWC.Spreadsheet" cannot be created.
    auto spreadsheet = [] { return std::make_shared<owc::Spreadsheet>(); };
    registry.RegisterProgId("OWC10.Spreadsheet", spreadsheet);
    registry.RegisterProgId("OWC11.Spreadsheet", spreadsheet);
    // The local store stands where the calendar application would; it is never running
    // already, so the connection always starts it.
    auto store = [] {
        return std::make_shared<pimstore::StoreApplication>(pimstore::DefaultRoot());
    };
    registry.RegisterClass(outlook::kApplicationClass, store);
    for (const char* progId : outlook::kApplicationProgIds)
        registry.RegisterProgId(progId, store);
}

void RegisterDesktopCalendar(automation::Registry& registry) {
    if (desktop::StoreNamedByEnvironment())
        return;
    registry.SetRunningFinder(
        outlook::kApplicationClass,
        []() -> std::shared_ptr<automation::Object> { return desktopcal::FindRunningService(); });
}

void InstallModuleHooks() {
    modGlobals::SetUpperState(modGlobals::UpperState{[] { modFileHandling::objFS.reset(); },
                                                     [] {
                                                         modErroHandling::ResetState();
                                                         modFileHandling::ResetState();
                                                         modScriptingDic::ResetState();
                                                     }});
}

}  // namespace components
