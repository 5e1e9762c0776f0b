#pragma once

#include <string>

namespace calendar {

// A fresh random UID in the form of RFC 4122, version 4.
std::string NewUid();

}  // namespace calendar
