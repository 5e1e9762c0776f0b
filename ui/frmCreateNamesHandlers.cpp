#include "ui/frmCreateNames.h"

#include <QRadioButton>

#include "outlook/modGlobals.h"
#include "outlook/modOutlookCode.h"
#include "platform/automation/Registry.h"
#include "platform/desktop/QtText.h"
#include "platform/runtime/Failure.h"
#include "services/modErroHandling.h"
#include "services/scripting/Shell.h"

// The handlers of the calendar choice, Save, Cancel, closing and the links.

using modErroHandling::Reported;
using modErroHandling::Step;
using modOutlookCode::objCalendar;
using modOutlookCode::objOutlook;

namespace {

// The option in force names the calendar the appointments go to; the other names none.
void NameTarget(QRadioButton& chosen, QRadioButton& other, outlook::Folder& folder) {
    std::string title = folder.Title();
    chosen.setToolTip(title.empty() ? QString() : desktop::Q("Appointments go to " + title));
    other.setToolTip(QString());
}

}  // namespace

void frmCreateNames::optMyCalendar_Click() {
    objCalendar = rt::Need(rt::Need(objOutlook).GetNamespace("MAPI"))
                      .GetDefaultFolder(outlook::olFolderCalendar);
    if (objCalendar)
        NameTarget(*optMyCalendar, *optChooseCalendar, *objCalendar);
}

void frmCreateNames::optChooseCalendar_Click() {
    Step step;
    Reported("optChooseCalendar_Click", step, [&] {
        if (!optChooseCalendar->isChecked())
            return;
        step(10);
        objCalendar = modOutlookCode::fncPickFolder(this);
        step(20);
        if (!objCalendar) {
            optMyCalendar->setChecked(true);
            return;
        }
        step(30);
        if (objCalendar->DefaultItemType() != outlook::olAppointmentItem)
            optMyCalendar->setChecked(true);
        else
            NameTarget(*optChooseCalendar, *optMyCalendar, *objCalendar);
    });
}

void frmCreateNames::cmdSaveChanges_Click() {
    fncGetCurrentList(true);
}

void frmCreateNames::CancelButton_Click() {
    modGlobals::subEndProgram();
}

void frmCreateNames::Form_Unload() {
    modGlobals::subEndProgram();
}

void frmCreateNames::subGotoWeb(const std::string& strURL) {
    Step step;
    Reported("subGotoWeb", step, [&] {
        step(10, "Opening " + strURL);
        auto objShell = automation::As<scripting::WshShell>(
            automation::Objects().CreateObject("Wscript.Shell"));
        step(20);
        objShell->Run(strURL);
        step(30);
        objShell.reset();
    });
}
