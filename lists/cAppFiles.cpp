#include "lists/cAppFiles.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/stringpiece.h>

#include <algorithm>
#include <filesystem>

#include "platform/desktop/Desktop.h"
#include "platform/runtime/Failure.h"
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
    size_t end = name.size();
    for (int count = 0; count < 4; ++count) {
        if (end == 0)
            throw rt::Failure(rt::kInvalidCall);
        do {
            --end;
        } while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80);
    }
    return name.substr(0, end);
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

namespace modScriptingDic {

struct TextCollator::Impl {
    std::unique_ptr<icu::Collator> collator;
};

namespace {

// The C and POSIX locales say nothing about language; ICU reads them as en_US_POSIX, whose
// collation orders by character code and so puts every capital before every small letter.
// The root collation is what such a user should get.
icu::Locale CollationLocale() {
    icu::Locale locale = icu::Locale::getDefault();
    if (std::string(locale.getVariant()) == "POSIX")
        return icu::Locale::getRoot();
    return locale;
}

}  // namespace

TextCollator::TextCollator() : impl_(std::make_unique<Impl>()) {
    UErrorCode status = U_ZERO_ERROR;
    impl_->collator.reset(icu::Collator::createInstance(CollationLocale(), status));
    if (U_FAILURE(status) || !impl_->collator)
        throw rt::Failure(rt::kCannotCreateObject,
                          std::string("Text collation is not available: ") + u_errorName(status));
    // Secondary strength tells accents apart but not case.
    impl_->collator->setStrength(icu::Collator::SECONDARY);
}

TextCollator::~TextCollator() = default;

int TextCollator::Compare(const std::string& a, const std::string& b) const {
    UErrorCode status = U_ZERO_ERROR;
    UCollationResult result =
        impl_->collator->compareUTF8(icu::StringPiece(a), icu::StringPiece(b), status);
    if (U_FAILURE(status))
        throw rt::Failure(rt::kInvalidCall, u_errorName(status));
    return static_cast<int>(result);
}

}  // namespace modScriptingDic
