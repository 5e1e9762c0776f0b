#pragma once

#include <cstdint>
#include <string>

#include "platform/runtime/Failure.h"

namespace modErroHandling {

// What the program is doing right now; the error report shows it.
inline std::string strAction;
// Lines 4 to 12 of the last report, and the version line once added; the mail's body.
inline std::string strErrorText;

// Shows the report, offers the error mail, and ends the program. Never returns.
[[noreturn]] void subReportError(const std::string& strDescription, int32_t lngNumber,
                                 int16_t intLine, const std::string& strProcedure);
[[noreturn]] void subSendErrorMail();

// The report's text for a failure, built from the current activity; also sets strErrorText.
std::string fncReportText(const std::string& strDescription, int32_t lngNumber, int16_t intLine,
                          const std::string& strProcedure);

void ResetState();

// The step a procedure is at: its line number (10, 20, 30 ...) and, optionally, the
// activity text for the report, set together.
class Step {
  public:
    void operator()(int16_t line) { line_ = line; }
    void operator()(int16_t line, std::string activity) {
        line_ = line;
        strAction = std::move(activity);
    }
    int16_t Line() const { return line_; }

  private:
    int16_t line_ = 0;
};

// Runs a procedure's body; a failure inside it goes to the report under the procedure's
// name with the line of the step it was at. The program's end passes through untouched.
template <class Body>
decltype(auto) Reported(const char* procedure, const Step& step, Body&& body) {
    try {
        return body();
    } catch (const std::exception& e) {
        rt::Failure failure = rt::AsFailure(e);
        subReportError(failure.Description(), failure.Number(), step.Line(), procedure);
    }
}

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
        rt::Failure failure = rt::AsFailure(e);
        last = SkippedFailure{true, failure.Number(), failure.Description(), line};
        return false;
    }
}

}  // namespace modErroHandling
