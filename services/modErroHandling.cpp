#include "services/modErroHandling.h"

#include "Version.h"
#include "outlook/modGlobals.h"
#include "outlook/modOutlookCode.h"
#include "platform/desktop/Desktop.h"
#include "platform/runtime/Publisher.h"
#include "platform/runtime/Text.h"

namespace modErroHandling {

using rt::kCrLf;

namespace {

std::string ErrorDetails(const std::string& strDescription, int32_t lngNumber, int16_t intLine,
                         const std::string& strProcedure) {
    std::string text;
    text += std::string("This error has occured:") + " :" + kCrLf;
    text += strAction + kCrLf;
    text += kCrLf;
    text += std::string("The system error message was:") + " :" + kCrLf;
    text += strDescription + kCrLf;
    text += "#" + std::to_string(lngNumber) + kCrLf;
    text += kCrLf;
    text += std::string("Sub routine") + " : " + strProcedure + " " + kCrLf;
    text += std::string("Error on line") + ": " + std::to_string(intLine);
    return text;
}

std::string VersionText() {
    try {
        return rt::Need(modOutlookCode::objOutlook).Version();
    } catch (const std::exception& e) {
        // The mail still goes out; it says why the version is missing.
        return "unknown (" + rt::AsFailure(e).Description() + ")";
    }
}

}  // namespace

std::string fncReportText(const std::string& strDescription, int32_t lngNumber, int16_t intLine,
                          const std::string& strProcedure) {
    strErrorText = ErrorDetails(strDescription, lngNumber, intLine, strProcedure);
    std::string text = std::string("There has been an error in this application.") + " " +
                       publisher::kTitle + kCrLf;
    text += std::string(70, '-') + kCrLf;
    text += kCrLf;
    text += strErrorText + kCrLf;
    text += kCrLf;
    text += std::string("Would you like to send an email with an error report?") + "?";
    return text;
}

void subReportError(const std::string& strDescription, int32_t lngNumber, int16_t intLine,
                    const std::string& strProcedure) {
    modGlobals::blnFailed = true;
    desktop::Message message;
    message.text = fncReportText(strDescription, lngNumber, intLine, strProcedure);
    message.title = publisher::kTitle;
    message.buttons = desktop::Buttons::YesNo;
    message.icon = desktop::Icon::None;
    message.defaultButton = 0;
    if (desktop::Services().messages->Show(message) == desktop::Answer::Yes) {
        if (!modOutlookCode::objOutlook) {
            int32_t inbox = outlook::olFolderInbox;
            modOutlookCode::subStartOutlook(inbox);
        }
        strErrorText += std::string(kCrLf) + "Outlook Version: " + VersionText() + kCrLf;
        subSendErrorMail();
    }
    modGlobals::subEndProgram();
}

void subSendErrorMail() {
    SkippedFailure last;
    std::shared_ptr<outlook::MailItem> mail;
    Skip(last, 10, [&] { mail = rt::Need(modOutlookCode::objOutlook).CreateItem(0); });
    Skip(last, 20, [&] { rt::Need(mail).SetTo(publisher::kSupportMailbox); });
    Skip(last, 30, [&] {
        rt::Need(mail).SetSubject(
            std::string("Error in ") + publisher::kTitle + " " + std::to_string(rt::kVersionMajor) +
            "." + std::to_string(rt::kVersionMinor) + "." + std::to_string(rt::kVersionRevision));
    });
    Skip(last, 40, [&] { rt::Need(mail).SetBody(strErrorText); });
    SkippedFailure display;
    Skip(display, 50, [&] { rt::Need(mail).Display(); });
    // A mail that was made but could not be shown says why, and where it was kept instead.
    const bool displayOfAMail = display.any && mail;
    mail.reset();
    if (last.any || display.any) {
        std::string text = "Failed to send error email using MS Outlook!";
        if (displayOfAMail)
            text += kCrLf + display.description;
        desktop::Services().messages->Show(desktop::Message{
            text, publisher::kTitle, desktop::Buttons::OK, desktop::Icon::Critical, 0});
    }
    modGlobals::subEndProgram();
}

}  // namespace modErroHandling
