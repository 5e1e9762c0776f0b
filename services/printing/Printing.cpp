#include "services/printing/Printing.h"

#include "outlook/modOutlookCode.h"
#include "platform/runtime/Convert.h"
#include "services/modErroHandling.h"
#include "services/modFileHandling.h"
#include "services/scripting/FileSystemObject.h"
#include "services/scripting/Shell.h"

namespace modFileHandling {

using modErroHandling::Reported;
using modErroHandling::Step;

void subPrintFile(const std::string& strFileName) {
    subSetupFS();
    Step step;
    Reported("subPrintFile", step, [&] {
        step(10, "Attempting to print the file " + strFileName);
        auto file = objFS->GetFile(strFileName);
        step(20);
        rt::Variant name = file->Name();
        rt::Variant folder = WithSeparator(rt::Need(file->ParentFolder()).Path());
        step(30);
        subInvokeVerb(folder, name, "Print");
    });
}

void subInvokeVerb(const rt::Variant& varFolder, const rt::Variant& varFile,
                   const std::string& strVerb) {
    Step step;
    Reported("subInvokeVerb", step, [&] {
        std::string folderPath = rt::TextOf(varFolder), fileName = rt::TextOf(varFile);
        step(10, "Trying to execute " + folderPath + " " + fileName);
        std::shared_ptr<automation::Object> made;
        step(20);
        if (modOutlookCode::objOutlook)
            made = modOutlookCode::objOutlook->CreateObject("Shell.Application");
        else
            made = automation::Objects().CreateObject("Shell.Application");
        auto shell = automation::As<scripting::ShellApplication>(made);
        step(30);
        auto folder = rt::Need(shell).NameSpace(folderPath);
        if (!folder)
            return;
        step(40);
        auto item = folder->Items()->Item(fileName);
        if (!item)
            return;
        step(50);
        if (strVerb.empty())
            item->InvokeVerb();
        else
            item->InvokeVerb(strVerb);
    });
}

}  // namespace modFileHandling
