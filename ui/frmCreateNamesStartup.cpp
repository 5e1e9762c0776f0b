#include "ui/frmCreateNames.h"

#include <QComboBox>
#include <QFrame>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>

#include <chrono>

#include "grid/cListHandler.h"
#include "lists/cApp.h"
#include "lists/cAppFiles.h"
#include "lists/cApps.h"
#include "outlook/modOutlookCode.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/Failure.h"
#include "services/modErroHandling.h"

// Start-up: the list files, the tabs and years, Outlook, the grid over fraList, and filling
// the grid from the selected tab's list.

using modErroHandling::Reported;
using modErroHandling::Step;

void frmCreateNames::Form_Load() {
    Step step;
    Reported("Form_Load", step, [&] {
        step(10);
        objAppFiles = std::make_shared<cAppFiles>();
        step(20);
        objAppFiles->CheckFiles();
        step(30);
        subSetCaptions();
        step(40);
        int32_t inbox = outlook::olFolderInbox;
        modOutlookCode::subStartOutlook(inbox);
        step(50);
        optMyCalendar_Click();
        step(60);
        subAddList();
        step(70);
        subFillList();
    });
}

void frmCreateNames::subSetCaptions() {
    Step step;
    Reported("subSetCaptions", step, [&] {
        step(10);
        while (tbsApps->count() > 0)
            tbsApps->removeTab(0);
        step(20);
        for (const auto& name : rt::Need(rt::Need(objAppFiles).Dic).Keys())
            tbsApps->addTab(QString::fromStdString(rt::TextOf(name)));
        step(30);
        using namespace std::chrono;
        auto today = year_month_day{floor<days>(desktop::Services().clock->Now())};
        int intYear = static_cast<int>(today.year());
        cmbYear->clear();
        for (int y = intYear; y <= intYear + 5; ++y)
            cmbYear->addItem(QString::number(y));
        step(40);
        cmbYear->setEditText(QString::number(intYear));
    });
}

void frmCreateNames::subAddList() {
    Step step;
    Reported("subAddList", step, [&] {
        step(10);
        objList = std::make_shared<cListHandler>();
        step(20);
        objList->LeftPos = rt::RoundToInteger(TwipsLeft(fraList));
        objList->Top = rt::RoundToInteger(TwipsTop(fraList));
        objList->Height = rt::RoundToInteger(TwipsHeight(fraList));
        objList->Width(TwipsWidth(fraList));
        step(30);
        objList->ListName = "objApps";
        step(40);
        objList->AddToForm(*Controls, this);
        step(50);
        objList->AutoFitCols("A:D");
        step(60);
        objList->SetExcelVisible(true);
        step(70);
        objList->DisplayHorizontalScroll(false);
        step(80);
        subSetHeaders();
        step(90);
        objList->Visible(true);
        TakeGridIntoTabOrder();
    });
}

// The grid's cells come between the tabs and Save, as they stand on the window.
void frmCreateNames::TakeGridIntoTabOrder() {
    auto* cells = findChild<QTableView*>("cells");
    if (!cells)
        return;
    setTabOrder(tbsApps, cells);
    setTabOrder(cells, cmdSaveChanges);
}

void frmCreateNames::subSetHeaders() {
    Step step;
    Reported("subSetHeaders", step, [&] {
        step(10);
        auto& grid = rt::Need(objList);
        grid.EditMode(true);
        step(20);
        grid.SetValue("A1", rt::Variant("Month"));
        grid.SetValue("B1", rt::Variant("Day"));
        step(30);
        if (blnBirthYears) {
            grid.SetValue("C1", rt::Variant("Name"));
            grid.SetValue("D1", rt::Variant("Birth year"));
            grid.SetVisibleRange("A1:d1000");
        } else {
            grid.SetValue("C1", rt::Variant("Names"));
            grid.SetVisibleRange("A1:C1000");
        }
        step(40);
        grid.EditMode(false);
    });
}

std::string frmCreateNames::SelectedCaption() const {
    if (tbsApps->currentIndex() < 0)
        throw rt::Failure(rt::kObjectNotSet);
    return tbsApps->tabText(tbsApps->currentIndex()).toStdString();
}

void frmCreateNames::subFillList() {
    Step step;
    Reported("subFillList", step, [&] {
        step(10);
        desktop::Services().windows->SetBusyCursor(true);
        step(20);
        if (objList) {
            step(30);
            objList->EditMode(true);
            objList->SetValue("A2:D1000", rt::Variant(""));
            step(50);
            auto& lists = rt::Need(rt::Need(objAppFiles).Dic);
            if (lists.Exists(rt::Variant(SelectedCaption()))) {
                step(60);
                auto all = lists.Items();
                auto index = static_cast<size_t>(tbsApps->currentIndex());
                if (index >= all.size())
                    throw rt::Failure(rt::kSubscriptOutOfRange);
                FillRows(rt::Need(all[index]));
                step(70);
                objList->SetVisibleRange(blnBirthYears ? "A1:D1000" : "A1:C1000");
                step(80);
                subSetHeaders();
                // Fitted once the headings are written and the shown columns known: each
                // heading fits too, and a long names column leaves room for the others.
                objList->AutoFitCols("A:D");
            }
            step(90);
            objList->EditMode(false);
        }
        step(100);
        desktop::Services().windows->SetBusyCursor(false);
    });
}

void frmCreateNames::FillRows(const cApps& list) {
    blnBirthYears = false;
    int16_t intRow = 1;
    for (const auto& entry : rt::Need(list.Dic).Items()) {
        const cApp& app = rt::Need(entry);
        intRow = rt::RoundToInteger(intRow + 1.0);
        std::string row = rt::NumberText(intRow);
        objList->SetValue("A" + row, rt::Variant(app.AppMonth));
        objList->SetValue("B" + row, rt::Variant(app.AppDay));
        objList->SetValue("C" + row, rt::Variant(app.Subject));
        if (app.BirthYear != 0) {
            objList->SetValue("D" + row, rt::Variant(app.BirthYear));
            blnBirthYears = true;
        }
    }
}
