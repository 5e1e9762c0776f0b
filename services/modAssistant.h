#pragma once

#include <memory>
#include <string>

#include "outlook/ObjectModel.h"

namespace modAssistant {

// Shows an information message through the application's assistant, or in a message box
// titled with the program's title when there is no assistant to be had. Returns once the
// user has dismissed it; nothing that fails in here is ever reported.
void subShowMessage(std::shared_ptr<outlook::Application>& objApp, std::string& strMessage);

}  // namespace modAssistant
