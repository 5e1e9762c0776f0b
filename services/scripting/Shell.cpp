#include "services/scripting/Shell.h"

#include "platform/desktop/Desktop.h"
#include "platform/runtime/Failure.h"

namespace scripting {

namespace fs = std::filesystem;

void ShellItem::InvokeVerb() {
    desktop::Services().launcher->Open(path_.string());
}

void ShellItem::InvokeVerb(const std::string& verb) {
    if (verb == "Print" || verb == "print") {
        desktop::Services().launcher->Start("lp", {path_.string()});
    } else if (verb == "Open" || verb == "open") {
        InvokeVerb();
    } else {
        throw rt::Failure(rt::kInvalidCall, "Unknown verb " + verb);
    }
}

std::shared_ptr<ShellItem> ShellItems::Item(const std::string& name) {
    std::error_code error;
    fs::path path = folder_ / name;
    if (name.empty() || !fs::exists(path, error))
        return nullptr;
    return std::make_shared<ShellItem>(path);
}

std::shared_ptr<ShellFolder> ShellApplication::NameSpace(const std::string& folder) {
    std::error_code error;
    if (folder.empty() || !fs::is_directory(folder, error))
        return nullptr;
    return std::make_shared<ShellFolder>(folder);
}

void WshShell::Run(const std::string& command) {
    desktop::Services().launcher->Open(command);
}

}  // namespace scripting
