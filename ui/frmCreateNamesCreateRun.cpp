#include "ui/frmCreateNames.h"

#include <QComboBox>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include "grid/cListHandler.h"
#include "lists/cApp.h"
#include "lists/cAppFiles.h"
#include "lists/cApps.h"
#include "outlook/modGlobals.h"
#include "outlook/modOutlookCode.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/Failure.h"
#include "services/modAssistant.h"
#include "services/modErroHandling.h"

// The create run that OK starts, and reading the grid back into the selected list, which
// Save shares.

using modErroHandling::Reported;
using modErroHandling::Step;
using modOutlookCode::objOutlook;

std::shared_ptr<cApps> frmCreateNames::fncGetCurrentList(bool blnSave) {
    Step step;
    return Reported("fncGetCurrentList", step, [&] {
        step(10, "Calculating current list!");
        auto rows = rt::Need(objList).fncGetRangeArray("f1", "D");
        step(20);
        std::string strList;
        for (int16_t r = 0; r <= rows.UBound(1); r = rt::RoundToInteger(r + 1.0))
            strList +=
                rows(r, 0) + "." + rows(r, 1) + "\t" + rows(r, 2) + "\t" + rows(r, 3) + "\r\n";
        step(30);
        auto lists = rt::Need(rt::Need(objAppFiles).Dic).Items();
        auto index = tbsApps->currentIndex();
        if (index < 0 || static_cast<size_t>(index) >= lists.size())
            throw rt::Failure(rt::kSubscriptOutOfRange);
        std::shared_ptr<cApps> list = lists[static_cast<size_t>(index)];
        step(40);
        rt::Need(list).FromString(strList);
        if (blnSave) {
            step(50, "Calculating current list!");
            list->SaveToFile(SelectedCaption() + ".txt");
        }
        return list;
    });
}

void frmCreateNames::SetFillWidth(int16_t twips) {
    PlaceInTwips(picForeGround, TwipsLeft(picForeGround), TwipsTop(picForeGround), twips,
                 TwipsHeight(picForeGround));
}

// A run writes into the calendar chosen when it started: everything but Cancel waits.
void frmCreateNames::SetRunning(bool running) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             OKButton, cmdSaveChanges, tbsApps, optMyCalendar, optChooseCalendar, cmbYear})
        control->setEnabled(!running);
}

void frmCreateNames::OKButton_Click() {
    Step step;
    Reported("OKButton_Click", step, [&] {
        SetRunning(true);
        step(10);
        std::shared_ptr<cApps> list = fncGetCurrentList(false);
        step(20);
        int16_t intYear = rt::ToInteger(cmbYear->currentText().toStdString());
        step(30);
        int16_t intCounter = 0;
        for (const auto& entry : rt::Need(rt::Need(list).Dic).Items()) {
            step(40);
            intCounter = rt::RoundToInteger(intCounter + 1.0);
            step(50);
            rt::Need(entry).ToOutlook(intYear);
            step(60);
            desktop::Services().windows->ProcessEvents();
            step(70);
            double track = TwipsWidth(picBackground);
            SetFillWidth(rt::RoundToInteger(track / list->Dic->Count() * intCounter + 1));
        }
        step(80);
        std::string strMessage = "Name Days sucessfully created!";
        modAssistant::subShowMessage(objOutlook, strMessage);
        step(90);
        modGlobals::subEndProgram();
    });
}
