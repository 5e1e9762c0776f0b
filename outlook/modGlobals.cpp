#include "outlook/modGlobals.h"

#include <cstdlib>

#include "outlook/modOutlookCode.h"
#include "platform/desktop/Desktop.h"

namespace modGlobals {

void subEndProgram() {
    rt::program.fileSystem.reset();
    modOutlookCode::subReleaseOutlook();
    desktop::Services().exit->Exit(blnFailed ? 1 : 0);
    std::abort();  // an exit that returned would leave the program running on
}

void ResetProgramState() {
    rt::program.Reset();
}

}  // namespace modGlobals
