// Feeds arbitrary text to the iCalendar reader, as other programs' files in a calendar folder
// may hold anything. Text that is not iCalendar is refused with a failure: expected. A crash,
// a sanitizer report, or an appointment that does not settle is a finding: what is read and
// written again must read back the same from the second writing on.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "outlook/calendar/ICalendar.h"
#include "platform/runtime/Failure.h"

namespace {

// The appointments as written and read again; none where the writer refuses one.
std::vector<calendar::Appointment> Again(const std::vector<calendar::Appointment>& read) {
    std::vector<calendar::Appointment> again;
    for (const auto& appointment : read) {
        std::string text;
        try {
            text = calendar::ToICalendar(appointment, 0);
        } catch (const rt::Failure&) {
            continue;  // a date the library cannot write
        }
        for (auto& back : calendar::FromICalendar(text))
            again.push_back(std::move(back));
    }
    return again;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<calendar::Appointment> read;
    try {
        read = calendar::FromICalendar(text);
    } catch (const rt::Failure&) {
        return 0;
    }
    auto once = Again(read);
    if (once.size() > read.size())
        std::abort();
    if (Again(once) != once)
        std::abort();
    return 0;
}
