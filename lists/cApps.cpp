#include "lists/cApps.h"

#include <vector>

#include "platform/desktop/Desktop.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/Text.h"
#include "services/modErroHandling.h"
#include "services/modFileHandling.h"
#include "services/modScriptingDic.h"

namespace {

// Only the CR LF pair separates lines; a lone CR or LF stays inside its line.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t end; (end = text.find(rt::kCrLf, start)) != std::string::npos;
         start = end + rt::kCrLf.size())
        pieces.push_back(text.substr(start, end - start));
    pieces.push_back(text.substr(start));
    return pieces;
}

// Editors and scripts on Linux end lines with LF alone. A file without a single CR LF is such
// a file, and reading it by the CR LF rule would make it one long line that is no entry: its
// LFs become CR LFs. A file that has CR LF anywhere keeps every lone LF inside its line.
std::string WithCrLfLineEnds(const std::string& text) {
    if (text.find(rt::kCrLf) != std::string::npos)
        return text;
    std::string converted;
    converted.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n')
            converted += '\r';
        converted += c;
    }
    return converted;
}

}  // namespace

cApps::cApps() : Dic(modScriptingDic::fncCreateDic<std::shared_ptr<cApp>>()) {}

void cApps::FromString(const std::string& ToParse) {
    modErroHandling::Step step;
    modErroHandling::Reported("cApps.FromString", step, [&] {
        const std::string activity =
            "Splitting text " + rt::NumberText(static_cast<int64_t>(rt::CharacterCount(ToParse))) +
            " characters";
        step(10, activity);
        step(20);
        Dic = modScriptingDic::fncCreateDic<std::shared_ptr<cApp>>();
        // The factory says what it does; from here on the report is about the text again.
        step(30, activity);
        std::vector<std::string> pieces = SplitLines(ToParse);
        for (std::string& piece : pieces) {
            if (piece.empty())
                continue;
            step(40);
            auto entry = std::make_shared<cApp>();
            entry->FromString(piece);
            step(50);
            if (entry->Valid && !Dic->Exists(entry->Subject))
                Dic->Add(entry->Subject, entry);
        }
    });
}

void cApps::SaveToFile(const std::string& FileName) {
    std::string text;
    for (const auto& [subject, entry] : *Dic) {
        text += entry->ToString();
        text += rt::kCrLf;
    }
    std::string path = (desktop::Services().paths->ProgramFolder() / FileName).string();
    modFileHandling::fncSaveTextFile(path, text, false);
}

void cApps::LoadFromFile(const std::string& FilePathName) {
    FromString(WithCrLfLineEnds(modFileHandling::fncReadTextFile(FilePathName)));
}
