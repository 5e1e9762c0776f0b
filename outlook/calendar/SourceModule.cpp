#include "outlook/calendar/SourceModule.h"

#include <dlfcn.h>

#include <cstdio>

namespace calendar {

std::shared_ptr<Source> FindModuleSource(const std::filesystem::path& module,
                                         std::chrono::milliseconds limit) {
    // Objects the module made live as long as the program, so it is never unloaded.
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* symbol = handle ? dlsym(handle, kFindSourceSymbol) : nullptr;
    if (!symbol) {
        const char* why = dlerror();
        std::fprintf(stderr, "namedays: %s\n", why ? why : module.c_str());
        return nullptr;
    }
    std::shared_ptr<Source> found;
    reinterpret_cast<FindSourceFunction>(symbol)(&found, limit.count());
    return found;
}

}  // namespace calendar
