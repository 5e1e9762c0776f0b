#include "app/Components.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

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

// Looks for the desktop's calendar service at once, on a thread of its own, so that its
// answer (bus calls, the service opening its calendar: tens of milliseconds) comes while the
// program starts up; gives the answer when asked, waiting for it if need be. Without a
// session bus nothing is loaded or asked. The module bounds its own search by the limit.
std::function<std::shared_ptr<calendar::Source>()> SearchForService(
    const std::filesystem::path& module) {
    if (!desktop::SessionBusNamed())
        return [] { return nullptr; };
    struct Answer {
        std::mutex mutex;
        std::condition_variable given;
        bool done = false;
        std::shared_ptr<calendar::Source> service;
    };
    auto answer = std::make_shared<Answer>();
    std::thread([answer, module] {
        auto service = calendar::FindModuleSource(module, kServiceAnswerLimit);
        std::lock_guard lock(answer->mutex);
        answer->service = std::move(service);
        answer->done = true;
        answer->given.notify_all();
    }).detach();
    return [answer]() -> std::shared_ptr<calendar::Source> {
        std::unique_lock lock(answer->mutex);
        // The module keeps to the limit; should it not, the start does not wait on it.
        if (!answer->given.wait_for(lock, 2 * kServiceAnswerLimit, [&] { return answer->done; }))
            return nullptr;
        return answer->service;
    };
}

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
    auto search = SearchForService(module);
    auto attach = [search]() -> std::shared_ptr<automation::Object> {
        auto service = search();
        if (!service)
            return nullptr;
        return pimstore::OpenStore(pimstore::DefaultRoot(), {service});
    };
    registry.SetRunningFinder(outlook::kApplicationClass, attach);
}

}  // namespace components
