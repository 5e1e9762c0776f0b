#include "services/modAssistant.h"

#include "platform/desktop/Desktop.h"
#include "platform/runtime/Failure.h"
#include "platform/runtime/Publisher.h"
#include "services/modErroHandling.h"

namespace modAssistant {

namespace {

constexpr int32_t kOkOnly = 0;
constexpr int32_t kInformationIcon = 4;
constexpr int32_t kFirstButton = 0;
constexpr int32_t kDefaultCancel = -1;

// The application's front window goes on top first, so the message appears over it.
void RaiseApplicationWindow(const std::shared_ptr<outlook::Application>& objApp) {
    modErroHandling::SkippedFailure ignored;
    modErroHandling::Skip(ignored, 10, [&] {
        desktop::Services().windows->BringToFront(
            rt::Need(rt::Need(objApp).ActiveWindow()).Caption());
    });
}

void ShowInBox(const std::string& strMessage) {
    desktop::Services().messages->Show(desktop::Message{
        strMessage, publisher::kTitle, desktop::Buttons::OK, desktop::Icon::Information, 0});
}

}  // namespace

void subShowMessage(std::shared_ptr<outlook::Application>& objApp, std::string& strMessage) {
    RaiseApplicationWindow(objApp);
    std::shared_ptr<outlook::Assistant> objAssistant;
    modErroHandling::SkippedFailure failure;
    bool shown = objApp && modErroHandling::Skip(failure, 20, [&] {
                     modErroHandling::strAction =
                         "Creating Assistant to display message " + strMessage;
                     objAssistant = objApp->Assistant();
                     rt::Need(objAssistant).SetVisible(true);
                     objAssistant->DoAlert(publisher::kTitle, strMessage, kOkOnly, kInformationIcon,
                                           kFirstButton, kDefaultCancel, false);
                 });
    objAssistant.reset();
    if (!shown)
        ShowInBox(strMessage);
}

}  // namespace modAssistant
