#include "lists/cApps.h"

#include <string_view>
#include <vector>

#include "platform/desktop/Desktop.h"
#include "platform/runtime/Convert.h"
#include "services/modErroHandling.h"
#include "services/modFileHandling.h"
#include "services/modScriptingDic.h"

namespace {

const std::string_view kLineEnd = "\r\n";

// Code points, not bytes: a report about a list should count what the user sees.
size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (unsigned char byte : text)
        if ((byte & 0xC0) != 0x80)
            ++count;
    return count;
}

// Only the CR LF pair separates lines; a lone CR or LF stays inside its line.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t end; (end = text.find(kLineEnd, start)) != std::string::npos;
         start = end + kLineEnd.size())
        pieces.push_back(text.substr(start, end - start));
    pieces.push_back(text.substr(start));
    return pieces;
}

}  // namespace

cApps::cApps() : Dic(modScriptingDic::fncCreateDic<std::shared_ptr<cApp>>()) {}

void cApps::FromString(const std::string& ToParse) {
    modErroHandling::Step step;
    modErroHandling::Reported("cApps.FromString", step, [&] {
        const std::string activity = "Splitting text " +
                                     rt::NumberText(static_cast<int64_t>(CharacterCount(ToParse))) +
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
        text += kLineEnd;
    }
    std::string path = (desktop::Services().paths->ProgramFolder() / FileName).string();
    modFileHandling::fncSaveTextFile(path, text, false);
}

void cApps::LoadFromFile(const std::string& FilePathName) {
    FromString(modFileHandling::fncReadTextFile(FilePathName));
}
