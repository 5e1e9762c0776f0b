#include "app/Components.h"

#include <chrono>

#include "grid/owc/Spreadsheet.h"
#include "outlook/ObjectModel.h"
#include "outlook/calendar/SourceModule.h"
#include "outlook/pimstore/StoreFolders.h"
#include "outlook/pimstore/StoreSource.h"
#include "platform/desktop/Desktop.h"
#include "platform/runtime/Variant.h"
#include "services/scripting/Dictionary.h"
#include "services/scripting/FileSystemObject.h"
#include "services/scripting/Shell.h"

namespace components {

namespace {

// How long the desktop's calendar service may take to answer at start.
constexpr std::chrono::milliseconds kServiceAnswerLimit{2000};

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
    auto store = [] { return pimstore::OpenStore(pimstore::DefaultRoot()); };
    registry.RegisterClass(outlook::kApplicationClass, store);
    for (const char* progId : outlook::kApplicationProgIds)
        registry.RegisterProgId(progId, store);
}

void RegisterDesktopCalendar(automation::Registry& registry, const std::filesystem::path& module) {
    if (desktop::StoreNamedByEnvironment())
        return;
    auto find = [module]() -> std::shared_ptr<automation::Object> {
        if (!desktop::SessionBusNamed())
            return nullptr;
        auto service = calendar::FindModuleSource(module, kServiceAnswerLimit);
        if (!service)
            return nullptr;
        return pimstore::OpenStore(pimstore::DefaultRoot(), {service});
    };
    registry.SetRunningFinder(outlook::kApplicationClass, find);
}

}  // namespace components
