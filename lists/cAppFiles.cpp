#include "lists/cAppFiles.h"

#include <algorithm>
#include <filesystem>

#include "platform/desktop/Desktop.h"
#include "platform/runtime/Text.h"
#include "services/modFileHandling.h"

namespace {

struct FileEntry {
    std::string name;
    std::string path;
};

// Plain files directly in the folder, by name, so that the catalogue does not depend on
// the order the file system happens to keep.
std::vector<FileEntry> FilesIn(const std::filesystem::path& folder) {
    std::vector<FileEntry> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back({entry.path().filename().string(), entry.path().string()});
    std::sort(files.begin(), files.end(),
              [](const FileEntry& a, const FileEntry& b) { return a.name < b.name; });
    return files;
}

bool EndsInTxt(const std::string& name) {
    return name.ends_with("txt");
}

// The name less its last four characters (code points, as a user counts them). A name of
// three characters leaves nothing to take: that is an invalid call.
std::string ListName(const std::string& name) {
    return rt::WithoutLastCharacters(name, 4);
}

}  // namespace

cAppFiles::cAppFiles() : Dic(modScriptingDic::fncCreateDic<std::shared_ptr<cApps>>()) {}

void cAppFiles::CheckFiles() {
    modErroHandling::Step step;
    modErroHandling::Reported("cAppFiles.CheckFiles", step, [&] {
        std::filesystem::path folder = desktop::Services().paths->ProgramFolder();
        const std::string activity = "Reading files from path " + folder.string();
        step(10, activity);
        modFileHandling::subSetupFS();
        // Setting up the file system and making a map set their own activity texts; a report
        // about the folder's files should name the folder again.
        step(20, activity);
        std::vector<FileEntry> files = FilesIn(folder);
        step(30);
        auto paths = modScriptingDic::fncCreateDic<std::string>();
        step(40, activity);
        for (const FileEntry& file : files)
            if (EndsInTxt(file.name))
                paths->Add(ListName(file.name), file.path);
        if (paths->Count() >= 2) {
            step(50, "Sorting files list!");
            paths = modScriptingDic::fncSortDictionary(*paths);
        }
        step(60);
        auto lists = modScriptingDic::fncCreateDic<std::shared_ptr<cApps>>();
        for (const auto& [name, path] : *paths) {
            step(70);
            auto list = std::make_shared<cApps>();
            list->LoadFromFile(path);
            step(80);
            lists->Add(name, list);
        }
        Dic = lists;
    });
}
