#include "outlook/calendar/Uid.h"

#include <cstdint>
#include <cstdio>
#include <random>

namespace calendar {

std::string NewUid() {
    static std::mt19937_64 generator{std::random_device{}()};
    uint64_t high = generator(), low = generator();
    high = (high & ~0xF000ULL) | 0x4000ULL;                // version 4
    low = (low & ~(0xC000ULL << 48)) | (0x8000ULL << 48);  // RFC 4122 variant
    char text[40];
    std::snprintf(text, sizeof text, "%08x-%04x-%04x-%04x-%012llx", unsigned(high >> 32),
                  unsigned((high >> 16) & 0xFFFF), unsigned(high & 0xFFFF), unsigned(low >> 48),
                  static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFULL));
    return text;
}

}  // namespace calendar
