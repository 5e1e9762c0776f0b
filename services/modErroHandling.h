#pragma once

#include <cstdint>
#include <string>

#include "platform/runtime/Failure.h"
#include "platform/runtime/Steps.h"

namespace modErroHandling {

// What the program is doing right now; the error report shows it. The text itself lives
// with the step helpers, below the connection, which sets it too.
inline std::string& strAction = rt::currentActivity;
// Lines 4 to 12 of the last report, and the version line once added; the mail's body.
inline std::string& strErrorText = rt::program.errorText;

// Shows the report, offers the error mail, and ends the program. Never returns.
[[noreturn]] void subReportError(const std::string& strDescription, int32_t lngNumber,
                                 int16_t intLine, const std::string& strProcedure);
[[noreturn]] void subSendErrorMail();

// The report's text for a failure, built from the current activity; also sets strErrorText.
std::string fncReportText(const std::string& strDescription, int32_t lngNumber, int16_t intLine,
                          const std::string& strProcedure);

using rt::Skip;
using rt::SkippedFailure;
using rt::Step;

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

}  // namespace modErroHandling
