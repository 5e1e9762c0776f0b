#include "outlook/modGlobals.h"

#include <cstdlib>

#include "outlook/modOutlookCode.h"
#include "platform/desktop/Desktop.h"
#include "platform/runtime/Steps.h"

namespace modGlobals {

namespace {

UpperState& Upper() {
    static UpperState upper;
    return upper;
}

}  // namespace

void subEndProgram() {
    if (Upper().release)
        Upper().release();
    modOutlookCode::subReleaseOutlook();
    desktop::Services().exit->Exit(blnFailed ? 1 : 0);
    std::abort();  // an exit that returned would leave the program running on
}

void ResetProgramState() {
    blnFailed = false;
    rt::currentActivity.clear();
    modOutlookCode::ResetState();
    if (Upper().reset)
        Upper().reset();
}

void SetUpperState(UpperState state) {
    Upper() = std::move(state);
}

}  // namespace modGlobals
