#include "outlook/modGlobals.h"

#include <cstdlib>

#include "outlook/modOutlookCode.h"
#include "platform/desktop/Desktop.h"
#include "services/modErroHandling.h"
#include "services/modFileHandling.h"
#include "services/modScriptingDic.h"

namespace modGlobals {

void subEndProgram() {
    modFileHandling::objFS.reset();
    modOutlookCode::subReleaseOutlook();
    desktop::Services().exit->Exit(blnFailed ? 1 : 0);
    std::abort();  // an exit that returned would leave the program running on
}

void ResetProgramState() {
    blnFailed = false;
    modOutlookCode::ResetState();
    modErroHandling::ResetState();
    modFileHandling::ResetState();
    modScriptingDic::ResetState();
}

}  // namespace modGlobals
