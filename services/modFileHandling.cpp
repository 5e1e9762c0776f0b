#include "services/modFileHandling.h"

#include "platform/runtime/Convert.h"
#include "services/modErroHandling.h"
#include "services/scripting/FileSystemObject.h"

namespace modFileHandling {

using modErroHandling::Reported;
using modErroHandling::Step;

namespace {

bool& blnRegTried = rt::program.fileSystemRegistrationTried;
int& registrations = rt::program.registrations;
std::function<void()>& registrationHook = rt::program.registrationHook;
const char* const kFileSystemProgId = "Scripting.FileSystemObject";

std::shared_ptr<scripting::FileSystemObject> CreateFileSystem(
    modErroHandling::SkippedFailure& last) {
    auto& objects = automation::Objects();
    std::shared_ptr<scripting::FileSystemObject> made;
    modErroHandling::Skip(last, 30, [&] {
        made =
            automation::As<scripting::FileSystemObject>(objects.CreateByClass(kFileSystemProgId));
    });
    if (!made) {
        modErroHandling::Skip(last, 40, [&] {
            made = automation::As<scripting::FileSystemObject>(
                objects.CreateObject(kFileSystemProgId));
        });
    }
    return made;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}  // namespace

std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

void subSetupFS() {
    while (!objFS) {
        modErroHandling::strAction =
            "Creating Scripting.FileSystemObject\r\nThis component is normally installed with "
            "Internet Explorer 4.0 or later";
        modErroHandling::SkippedFailure last;
        objFS = CreateFileSystem(last);
        if (objFS)
            return;
        if (blnRegTried)
            modErroHandling::subReportError(last.description, last.number, last.line, "subSetupFS");
        subRegisterScrrun();
        blnRegTried = true;
    }
}

void subRegisterScrrun() {
    ++registrations;
    if (registrationHook)
        registrationHook();
}
void SetRegistrationHook(std::function<void()> hook) {
    registrationHook = std::move(hook);
}
int RegistrationCount() {
    return registrations;
}

std::string fncGetTempPath() {
    subSetupFS();
    Step step;
    return Reported("fncGetTempPath", step, [&] {
        step(10, "Finding Temp folder path");
        auto folder = objFS->GetSpecialFolder(scripting::FileSystemObject::TemporaryFolder);
        step(20);
        return fncGetLongPath(folder);
    });
}

// Folders here have no short (8.3) names, so every path is already the long one. Walking the
// tree down from the root to rebuild it would only fail on a parent folder that may not be
// listed.
std::string fncGetLongPath(std::shared_ptr<scripting::Folder>& objFolder) {
    return rt::Need(objFolder).Path();
}

std::string fncSaveTextFile(std::string& strFileName, const std::string& strText, bool blnTemp) {
    subSetupFS();
    Step step;
    return Reported("fncSaveTextFile", step, [&] {
        step(10);
        if (blnTemp || strFileName.empty()) {
            std::string folder = WithSeparator(fncGetTempPath());
            if (!strFileName.empty()) {
                strFileName = folder + strFileName;
            } else {
                strFileName = folder + objFS->GetTempName();
                ReplaceAll(strFileName, ".tmp", ".txt");
            }
        }
        step(20, "Saving textfile " + strFileName);
        auto stream = objFS->CreateTextFile(strFileName, true, false);
        step(30);
        stream->Write(strText);
        step(40);
        stream->Close();
        return strFileName;
    });
}

std::string fncReadTextFile(const std::string& strFileName) {
    subSetupFS();
    Step step;
    return Reported("fncReadTextFile", step, [&] {
        step(10, "Attempting to read contents of file " + strFileName);
        if (!objFS->FileExists(strFileName))
            return std::string();
        step(20);
        return objFS->OpenTextFile(strFileName, scripting::FileSystemObject::ForReading, false, 0)
            ->ReadAll();
    });
}

}  // namespace modFileHandling
