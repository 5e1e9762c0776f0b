#include "services/Components.h"

#include "platform/runtime/Variant.h"
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
}

}  // namespace components
