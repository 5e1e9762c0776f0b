#pragma once

#include <functional>

namespace modGlobals {

// Set once the program is bound to end as a failure (an error report, a missing component),
// so that the end reports it to the system.
inline bool blnFailed = false;

// Drops the shared objects and ends the program at once: exit status 0, or 1 after a failure.
[[noreturn]] void subEndProgram();

// Puts every piece of program-wide state back to how a fresh run starts (for tests).
void ResetProgramState();

// The modules above this one keep shared objects and state of their own, which this module
// cannot name. The product's wiring hands in, at start-up, how to drop those objects when the
// program ends and how to put that state back for a fresh run.
struct UpperState {
    std::function<void()> release;
    std::function<void()> reset;
};
void SetUpperState(UpperState state);

}  // namespace modGlobals
