#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "outlook/calendar/Source.h"

// A calendar source built as a module of its own, so that its libraries load only when the
// program looks for it. The module exports one function of this type under kFindSourceSymbol:
// it sets `found` to its source when that answers within the limit, else leaves it empty.
namespace calendar {

inline constexpr const char* kFindSourceSymbol = "namedays_find_calendar_source";
using FindSourceFunction = void (*)(std::shared_ptr<Source>* found, int64_t limitMilliseconds);

// Loads the module (once; it stays loaded) and asks it for its source. None when the module
// cannot be loaded, which it says on standard error, or when its source does not answer.
std::shared_ptr<Source> FindModuleSource(const std::filesystem::path& module,
                                         std::chrono::milliseconds limit);

}  // namespace calendar
