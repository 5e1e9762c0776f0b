#include "outlook/modOutlookCode.h"

#include "outlook/modGlobals.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/Publisher.h"
#include "platform/runtime/Steps.h"

namespace modOutlookCode {

using outlook::Application;
using rt::Skip;
using rt::SkippedFailure;

namespace {

int16_t& intOutlookVersion = rt::program.applicationVersion;

const char* const kNeedOutlook = "You need Outlook 2000 or later to run this application.";

void ShowCritical(const std::string& text) {
    desktop::Services().messages->Show(desktop::Message{
        text, publisher::kTitle, desktop::Buttons::OK, desktop::Icon::Critical, 0});
}

[[noreturn]] void EndForMissingOutlook() {
    modGlobals::blnFailed = true;
    modGlobals::subEndProgram();
}

void FindApplication(SkippedFailure& last) {
    auto& objects = automation::Objects();
    Skip(last, 30, [&] {
        objOutlook = automation::As<Application>(objects.GetRunning(outlook::kApplicationClass));
    });
    if (!objOutlook) {
        Skip(last, 40, [&] {
            objOutlook =
                automation::As<Application>(objects.CreateByClass(outlook::kApplicationClass));
        });
    }
    int16_t line = 50;
    for (const char* progId : outlook::kApplicationProgIds) {
        if (objOutlook)
            break;
        Skip(last, line,
             [&] { objOutlook = automation::As<Application>(objects.CreateObject(progId)); });
        line += 10;
    }
}

void CheckVersion(SkippedFailure& last) {
    bool tooOld = true;  // a version that cannot be read falls into the old-version branch
    Skip(last, 100, [&] { tooOld = fncOutlookVersion() < 9; });
    if (tooOld) {
        Skip(last, 110, [&] {
            ShowCritical(std::string(kNeedOutlook) + "\r\n" + std::to_string(fncOutlookVersion()));
        });
        EndForMissingOutlook();
    }
    Skip(last, 120, [&] { objNameSpace = objOutlook->GetNamespace("MAPI"); });
}

void ShowWindow(SkippedFailure& last, int32_t folderType) {
    bool noActive = true;
    Skip(last, 130, [&] { noActive = objOutlook->ActiveExplorer() == nullptr; });
    if (!noActive)
        return;
    Skip(last, 140, [&] {
        auto explorers = rt::Need(objOutlook).Explorers();
        if (rt::Need(explorers).Count() == 0)
            explorers->Add(rt::Need(objNameSpace).GetDefaultFolder(folderType),
                           outlook::olFolderDisplayNormal);
    });
    Skip(last, 150, [&] { rt::Need(rt::Need(objOutlook->Explorers()).Item(1)).Activate(); });
}

}  // namespace

void subStartOutlook(int32_t& lngFolderType) {
    rt::currentActivity = "Attempting to start MS Outlook 2000 or later";
    if (objOutlook)
        return;
    SkippedFailure last;
    FindApplication(last);
    if (!objOutlook) {
        Skip(last, 90, [&] {
            ShowCritical(std::string(kNeedOutlook) + "\r\n" + std::to_string(last.number) + " " +
                         last.description + "\r\n" + std::to_string(last.line));
        });
        EndForMissingOutlook();
    }
    CheckVersion(last);
    ShowWindow(last, lngFolderType);
}

int16_t fncOutlookVersion() {
    if (intOutlookVersion == 0) {
        if (!objOutlook) {
            int32_t inbox = outlook::olFolderInbox;
            subStartOutlook(inbox);
        }
        std::string version = rt::Need(objOutlook).Version();
        intOutlookVersion = fncMajorVersion(version);
    }
    return intOutlookVersion;
}

int16_t fncMajorVersion(std::string& strVersion) {
    size_t dot = strVersion.find('.');
    if (dot == std::string::npos)
        throw rt::Failure(rt::kInvalidCall);  // no major part to cut
    strVersion = strVersion.substr(0, dot);
    return rt::ToInteger(strVersion);
}

std::shared_ptr<outlook::Folder> fncPickFolder(desktop::Window* frmCaller) {
    if (!objOutlook) {
        int32_t inbox = outlook::olFolderInbox;
        subStartOutlook(inbox);
    }
    SkippedFailure last;
    std::shared_ptr<outlook::Folder> folder;
    auto& windows = *desktop::Services().windows;
    Skip(last, 10, [&] { rt::Need(objOutlook->ActiveExplorer()).Activate(); });
    Skip(last, 20, [&] { windows.BringToFront(rt::Need(objOutlook->ActiveWindow()).Caption()); });
    Skip(last, 30, [&] { folder = rt::Need(objOutlook->GetNamespace("MAPI")).PickFolder(); });
    if (frmCaller) {
        Skip(last, 40, [&] { windows.BringToFront(frmCaller->Caption()); });
        Skip(last, 50, [&] { frmCaller->SetFocus(); });
    }
    return folder;
}

void subReleaseOutlook() {
    objNameSpace.reset();
    objCalendar.reset();
    objOutlook.reset();
}

}  // namespace modOutlookCode
