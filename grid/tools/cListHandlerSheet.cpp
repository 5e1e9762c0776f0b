#include "grid/cListHandler.h"

#include "platform/runtime/Failure.h"
#include "services/modErroHandling.h"
#include "services/modFileHandling.h"
#include "services/printing/Printing.h"

// The members that act on the grid as a whole beyond what the main window needs: the
// direction after Return, the vertical scroll bar, the filter, clearing and printing.

using modErroHandling::Reported;
using modErroHandling::Step;

void cListHandler::MoveRight(bool) {
    Step step;
    Reported("MoveRight", step, [&] {
        step(10);
        rt::Need(ObjectList).SetMoveAfterReturn(true);
        step(20);
        NewerModel().SetMoveAfterReturnDirection(owc::kDirectionRight);
    });
}

void cListHandler::DisplayVerticalScroll(bool DisplayScroll) {
    SetScrollBars(false, true, DisplayScroll);
}

void cListHandler::AutoFilter(bool Visible) {
    auto& sheet = rt::Need(CurrSheet);
    sheet.EnableAutoFilter(Visible);
    sheet.UsedRange().AutoFilter();
}

void cListHandler::ClearAll() {
    Step step;
    Reported("ClearAll", step, [&] {
        step(10);
        EditMode(true);
        step(20);
        auto& sheet = rt::Need(CurrSheet);
        for (owc::Range whole : {sheet.Columns(), sheet.Rows()}) {
            whole.Clear();
            whole.ClearContents();
            whole.ClearFormats();
        }
        step(30);
        sheet.Rows().Font().SetSize(8);
        sheet.Rows().Font().SetName("Tahoma");
        step(40);
        rt::Need(ObjectList).Range("a1").Select();
        ObjectList->SetDisplayGridlines(true);
        step(50);
        EditMode(false);
    });
}

void cListHandler::PrintSheet(const std::shared_ptr<WebBrowser>& objIE) {
    Step step;
    Reported("PrintSheet", step, [&] {
        step(10);
        std::string html = rt::Need(CurrSheet).UsedRange().HTMLData();
        if (html.empty())
            return;
        step(20);
        std::string name = "OWCPrint.htm";
        std::string path = modFileHandling::fncSaveTextFile(name, html, true);
        step(30);
        if (objIE) {
            objIE->Navigate2(path);
            step(40);
            objIE->execCommand("print");
        } else {
            modFileHandling::subPrintFile(path);
        }
    });
}
