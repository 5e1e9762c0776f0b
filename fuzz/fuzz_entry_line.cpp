// Feeds arbitrary entry lines to cApp::FromString. A line that does not convert ends in the
// error report, which ends the program (rt::ProgramEnd from the exit double): expected, not a
// finding. Anything else that escapes, a sanitizer report, or a broken round trip is.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/Components.h"
#include "lists/cApp.h"
#include "outlook/modGlobals.h"
#include "platform/runtime/Failure.h"
#include "tests/support/FakeDesktop.h"

namespace {

desktop::testing::FakeDesktop& Desktop() {
    static desktop::testing::FakeDesktop* fake = [] {
        auto* d = new desktop::testing::FakeDesktop();
        d->messages->unscriptedAnswer = desktop::Answer::No;
        d->Install();
        components::RegisterProductComponents(automation::Objects());
        return d;
    }();
    return *fake;
}

bool HasLineBreakOrTab(const std::string& text) {
    return text.find_first_of("\t\r\n") != std::string::npos;
}

void CheckRoundTrip(const cApp& entry) {
    if (!entry.Valid || HasLineBreakOrTab(entry.Subject))
        return;
    cApp again;
    again.FromString(entry.ToString());
    if (!again.Valid || again.AppMonth != entry.AppMonth || again.AppDay != entry.AppDay ||
        again.Subject != entry.Subject || again.BirthYear != entry.BirthYear)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& desktop = Desktop();
    desktop.messages->shown.clear();
    desktop.exit->statuses.clear();
    std::string line(reinterpret_cast<const char*>(data), size);
    try {
        cApp entry;
        entry.FromString(line);
        CheckRoundTrip(entry);
    } catch (const rt::ProgramEnd&) {
        modGlobals::ResetProgramState();
    }
    return 0;
}
