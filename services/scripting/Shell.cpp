#include "services/scripting/Shell.h"

#include <cctype>
#include <vector>

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

namespace {

// "https:", "mailto:", "file:" ... : a scheme of two or more letters before the colon.
bool IsWebAddress(const std::string& command) {
    size_t colon = command.find(':');
    if (colon == std::string::npos || colon < 2 || !std::isalpha(uint8_t(command[0])))
        return false;
    for (size_t i = 1; i < colon; ++i) {
        char c = command[i];
        if (!std::isalnum(uint8_t(c)) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

// Words between blanks; double quotes keep blanks inside a word and are dropped.
std::vector<std::string> CommandWords(const std::string& command) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, inWord = false;
    for (char c : command) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

}  // namespace

void WshShell::Run(const std::string& command) {
    std::error_code error;
    if (IsWebAddress(command) || fs::exists(command, error)) {
        desktop::Services().launcher->Open(command);
        return;
    }
    std::vector<std::string> words = CommandWords(command);
    if (words.empty())
        throw rt::Failure(rt::kInvalidCall, "Nothing to run");
    std::string program = words.front();
    words.erase(words.begin());
    desktop::Services().launcher->Start(program, words);
}

}  // namespace scripting
