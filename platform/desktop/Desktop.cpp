#include "platform/desktop/Desktop.h"

#include <cstdlib>
#include <string_view>

#include "platform/runtime/Failure.h"

namespace desktop {

Platform& Services() {
    static Platform platform;
    return platform;
}

void Install(Platform platform) {
    Services() = std::move(platform);
}

std::filesystem::path ExecutableFolder() {
    std::error_code error;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : exe.parent_path();
}

bool StoreNamedByEnvironment() {
    const char* store = std::getenv("VELMORA_STORE");
    return store && *store;
}

std::filesystem::path StoreRootFromEnvironment() {
    if (StoreNamedByEnvironment())
        return std::getenv("VELMORA_STORE");
    std::filesystem::path data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        data = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        data = std::filesystem::path(home) / ".local" / "share";
    else
        throw rt::Failure(rt::kPathNotFound, "Neither VELMORA_STORE nor HOME is set");
    return data / "velmora" / "store";
}

namespace {

constexpr const char* kBusVariable = "DBUS_SESSION_BUS_ADDRESS";
// An address of no transport: clients fail to connect at once.
constexpr const char* kNoBus = "disabled:";

}  // namespace

bool SessionBusNamed() {
    if (const char* address = std::getenv(kBusVariable); address && *address)
        return std::string_view(address) != kNoBus;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    return runtime && *runtime &&
           std::filesystem::is_socket(std::filesystem::path(runtime) / "bus", error);
}

void RefuseBusLaunch() {
    if (!SessionBusNamed())
        setenv(kBusVariable, kNoBus, 1);
}

}  // namespace desktop
