#include "grid/cListHandler.h"

#include "grid/owc/CellText.h"
#include "grid/owc/Style.h"
#include "outlook/modGlobals.h"
#include "platform/desktop/Desktop.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/Publisher.h"
#include "platform/runtime/Text.h"
#include "services/modErroHandling.h"

// The members the main window uses: creation and set-up, the display switches, the edit
// brackets, writing cells and reading the rows back. The other members are defined in
// grid/tools and grid/watch, which the program does not link.

using modErroHandling::Reported;
using modErroHandling::Skip;
using modErroHandling::SkippedFailure;
using modErroHandling::Step;

namespace {

// The header row in the face colour of the classic desktop's dialogs and column headers, so
// that it reads as a heading and not as a row of data.
constexpr int32_t kHeaderRowColor = owc::Rgb(236, 233, 216);

const char* const kNoComponents =
    "Unable to start the Office Web Components!\r\n"
    "These components can be found on the Office 2000, 2002 or 2003 cds";

// The set-up makes many changes to a control that nobody sees yet; it is drawn once, after
// them, however the set-up ends.
class DrawnOnceAfter {
  public:
    explicit DrawnOnceAfter(const std::shared_ptr<owc::Spreadsheet>& sheet) : sheet_(sheet) {
        if (sheet_)
            sheet_->SetScreenUpdating(false);
    }
    ~DrawnOnceAfter() {
        if (sheet_)
            sheet_->SetScreenUpdating(true);
    }
    DrawnOnceAfter(const DrawnOnceAfter&) = delete;
    DrawnOnceAfter& operator=(const DrawnOnceAfter&) = delete;

  private:
    std::shared_ptr<owc::Spreadsheet> sheet_;
};

}  // namespace

cListHandler::~cListHandler() {
    // The watch's timer may outlive this instance in another holder; it must not call back
    // here.
    if (releaseWatch_)
        releaseWatch_();
}

int16_t cListHandler::CountMinusOne(owc::Worksheet& sheet, const std::string& countCell) {
    sheet.Calculate();
    int32_t count = rt::ToInteger(sheet.Range(countCell).Value());
    return rt::RoundToInteger(count - 1);
}

// Only the newer object model is built; members that the two models name differently run
// on it alone, and a control of the older model fails here.
void cListHandler::RequireNewerModel() const {
    if (!XP)
        throw rt::Failure(rt::kInvalidCall,
                          "The older object model of the spreadsheet control is not available");
}

owc::Spreadsheet& cListHandler::NewerModel() {
    RequireNewerModel();
    return rt::Need(ObjectList);
}

void cListHandler::AddToForm(grid::HostControls& frmForm, QWidget* container) {
    SkippedFailure last;
    auto add = [&](const char* progId) {
        List.reset();
        return Skip(last, 10, [&] { List = frmForm.Add(progId, ListName, container); }) &&
               List != nullptr;
    };
    bool first = !NoXP && add("OWC10.Spreadsheet");
    if (!first) {
        if (!NoXP && add("OWC11.Spreadsheet")) {
            XP = true;
        } else if (add("OWC.Spreadsheet")) {
            XP = false;
        } else {
            modGlobals::blnFailed = true;
            desktop::Services().messages->Show(desktop::Message{
                kNoComponents, publisher::kTitle, desktop::Buttons::OK, desktop::Icon::Critical});
            desktop::Services().exit->Exit(1);
        }
    }
    if (first)
        XP = true;
    Skip(last, 40, [&] {
        ObjectList = automation::As<owc::Spreadsheet>(rt::Need(List).object());
        CurrSheet = ObjectList->ActiveSheet();
    });
    DrawnOnceAfter drawn(ObjectList);
    Skip(last, 50, [&] { subSetupSheet(); });
    Skip(last, 60, [&] { SetExcelVisible(false); });
    Skip(last, 70, [&] { FreezePanes("A2"); });
}

void cListHandler::subSetupSheet() {
    auto& sheet = rt::Need(ObjectList);
    sheet.SetAllowPropertyToolbox(false);
    sheet.SetDisplayTitleBar(false);
    sheet.Range("1:1").Interior().SetColor(kHeaderRowColor);
    sheet.Range("1:1").Font().SetBold(true);
    sheet.Range("1:1999").Font().SetName("Tahoma");
    sheet.Range("1:1999").Font().SetSize(8);
    sheet.Range("f1").SetFormula("=Counta(A1:A10000)");
    if (XP) {
        sheet.SetDisplayWorkbookTabs(false);
        sheet.ActiveWindow()->EnableResize = false;
    }
    sheet.Range("A1:F1000").SetLocked(false);
    sheet.Range("A1:F1").SetLocked(true);
    CurrSheet = sheet.ActiveSheet();
    owc::SheetProtection& protection = CurrSheet->Protection();
    protection.AllowDeletingColumns = false;
    protection.AllowInsertingColumns = false;
    protection.AllowInsertingRows = false;
    protection.AllowFiltering = true;
    RequireNewerModel();
    protection.AllowFormattingColumns = true;
    protection.AllowFormattingRows = true;
    protection.AllowSorting = true;
    protection.Enabled = true;
    auto& control = rt::Need(List);
    control.Top(Top);
    control.Left(LeftPos);
    control.Height(Height);
    control.Width(width_);
    control.Visible(visible_);
}

void cListHandler::Visible(bool v) {
    if (List)
        List->Visible(v);
    visible_ = v;
}

void cListHandler::Width(double w) {
    int16_t width = rt::RoundToInteger(w);
    if (ObjectList)
        rt::Need(List).Width(width);
    width_ = width;
}

void cListHandler::EditMode(bool v) {
    rt::Need(ObjectList).SetScreenUpdating(!v);
    rt::Need(CurrSheet).Protection().Enabled = !v;
    if (eventsEnabled_ && pauseWatch_)
        pauseWatch_(v);
}

void cListHandler::SetExcelVisible(bool ExcelVisible) {
    rt::Need(ObjectList).SetDisplayToolbar(ExcelVisible);
    ColHeaders(ExcelVisible);
    RowHeaders(ExcelVisible);
    SetScrollBars(true, true, ExcelVisible);
}

void cListHandler::ColHeaders(bool Display) {
    NewerModel().SetDisplayColumnHeadings(Display);
}

void cListHandler::RowHeaders(bool Display) {
    NewerModel().SetDisplayRowHeadings(Display);
}

void cListHandler::SetScrollBars(bool horizontal, bool vertical, bool display) {
    auto& window = rt::Need(NewerModel().ActiveWindow());
    if (horizontal)
        window.SetDisplayHorizontalScrollBar(display);
    if (vertical)
        window.SetDisplayVerticalScrollBar(display);
}

void cListHandler::DisplayHorizontalScroll(bool DisplayScroll) {
    SetScrollBars(true, false, DisplayScroll);
}

void cListHandler::FreezePanes(const std::string& Address) {
    auto& window = rt::Need(NewerModel().ActiveWindow());
    window.SetFreezePanes(false);
    ObjectList->Range(Address).Select();
    if (Address != "A1")
        window.SetFreezePanes(true);
}

void cListHandler::SetVisibleRange(const std::string& Address) {
    Step step;
    Reported("SetVisibleRange", step, [&] {
        step(10);
        rt::Need(rt::Need(ObjectList).ActiveSheet()).Protection().Enabled = false;
        step(20);
        ObjectList->SetViewableRange(Address);
    });
}

void cListHandler::SetValue(const std::string& Address, const rt::Variant& Value) {
    Step step;
    Reported("cListHandler.SetValue", step, [&] {
        step(10, "Setting value of cells: " + Address + " to a value of type " + Value.TypeName());
        step(20);
        owc::Range range = rt::Need(ObjectList).Range(Address);
        if (Value.IsString() && rt::TrimSpaces(Value.AsString()).empty())
            range.ClearContents();
        else
            range.SetValue(Value);
    });
}

TextArray cListHandler::fncGetRangeArray(const std::string& strCountCellRef,
                                         const std::string& strColDef) {
    Step step;
    return Reported("fncGetRangeArray", step, [&] {
        step(10, "Entering fncGetRangeArray");
        step(20);
        int16_t n = CountMinusOne(rt::Need(CurrSheet), strCountCellRef);
        step(30);
        if (n <= 0)
            return TextArray();
        step(40);
        EditMode(true);
        CurrSheet->Range("a2:" + strColDef + "1000").Sort();
        EditMode(false);
        step(50);
        owc::Range range = CurrSheet->Range("a2:" + strColDef + rt::NumberText(n + 1));
        step(60);
        TextArray rows(range.Rows().Count(), range.Columns().Count());
        step(70);
        for (int32_t i = 0; i <= rows.UBound(1); ++i)
            for (int32_t j = 0; j <= rows.UBound(2); ++j)
                rows(i, j) = fncCellText(range.Cells(i + 1, j + 1).Value());
        return rows;
    });
}

void cListHandler::AutoFitCols(const std::string& Address) {
    NewerModel().Range(Address).EntireColumn().AutoFit();
}

std::string cListHandler::fncCellText(const rt::Variant& varValue) {
    std::string text = owc::CellText(varValue);
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        text.insert(0, "'");
    return text;
}
