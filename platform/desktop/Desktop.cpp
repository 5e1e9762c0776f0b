#include "platform/desktop/Desktop.h"

#include <cstdlib>

#include "platform/runtime/Failure.h"

namespace desktop {

Platform& Services() {
    static Platform platform;
    return platform;
}

void Install(Platform platform) {
    Services() = std::move(platform);
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

bool SessionBusNamed() {
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address && *address)
        return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    return runtime && *runtime &&
           std::filesystem::is_socket(std::filesystem::path(runtime) / "bus", error);
}

}  // namespace desktop
