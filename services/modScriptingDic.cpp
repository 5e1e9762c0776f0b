#include "services/modScriptingDic.h"

#include "services/modErroHandling.h"
#include "services/modFileHandling.h"

namespace modScriptingDic {

namespace {

bool blnRegTried = false;
const char* const kProgId = "Scripting.Dictionary";

std::shared_ptr<automation::Object> TryCreate(modErroHandling::SkippedFailure& last) {
    std::shared_ptr<automation::Object> made;
    modErroHandling::Skip(last, 20, [&] { made = automation::Objects().CreateByClass(kProgId); });
    if (!made)
        modErroHandling::Skip(last, 30,
                              [&] { made = automation::Objects().CreateObject(kProgId); });
    return made;
}

}  // namespace

std::shared_ptr<automation::Object> fncCreateDicObject() {
    modErroHandling::strAction =
        "Attempting to create a new Scripting.Dictionary object. This component is usually "
        "installed with Internet Explorer 4.0 or later";
    modErroHandling::SkippedFailure last;
    auto made = TryCreate(last);
    if (!made && !blnRegTried) {
        blnRegTried = true;
        modFileHandling::subRegisterScrrun();
        made = TryCreate(last);
    }
    if (!made)
        modErroHandling::subReportError(last.description, last.number, last.line,
                                        "modScriptingDic.fncCreateDic");
    return made;
}

void ResetState() {
    blnRegTried = false;
}

}  // namespace modScriptingDic
