#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

#include "platform/runtime/Failure.h"
#include "platform/runtime/ProgramState.h"

// How procedures keep track of where they are, for the one failure report the program
// gives: the number of the step they are at and a sentence about what they are doing.
namespace rt {

// What the program is doing right now; the failure report shows it. Every layer sets it.
inline std::string& currentActivity = program.activity;

// The step a procedure is at: its line number (10, 20, 30 ...) and, optionally, the
// activity text for the report, set together.
class Step {
  public:
    void operator()(int16_t line) { line_ = line; }
    void operator()(int16_t line, std::string activity) {
        line_ = line;
        currentActivity = std::move(activity);
    }
    int16_t Line() const { return line_; }

  private:
    int16_t line_ = 0;
};

// The last failure that a skipping procedure passed over.
struct SkippedFailure {
    bool any = false;
    int32_t number = 0;
    std::string description;
    int16_t line = 0;
};

// Runs one step whose failure is skipped; true when it went through.
template <class Body>
bool Skip(SkippedFailure& last, int16_t line, Body&& body) {
    try {
        body();
        return true;
    } catch (const std::exception& e) {
        Failure failure = AsFailure(e);
        last = SkippedFailure{true, failure.Number(), failure.Description(), line};
        return false;
    }
}

}  // namespace rt
