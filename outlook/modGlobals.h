#pragma once

#include "platform/runtime/ProgramState.h"

namespace modGlobals {

// Set once the program is bound to end as a failure (an error report, a missing component),
// so that the end reports it to the system.
inline bool& blnFailed = rt::program.failed;

// Drops the shared objects and ends the program at once: exit status 0, or 1 after a failure.
[[noreturn]] void subEndProgram();

// Puts every piece of program-wide state back to how a fresh run starts (for tests).
void ResetProgramState();

}  // namespace modGlobals
