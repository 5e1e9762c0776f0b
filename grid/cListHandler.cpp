#include "grid/cListHandler.h"

#include <cmath>

#include "grid/owc/CellText.h"
#include "outlook/modGlobals.h"
#include "platform/desktop/Desktop.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/Publisher.h"
#include "platform/runtime/Text.h"
#include "services/modErroHandling.h"
#include "services/modFileHandling.h"
#include "services/modScriptingDic.h"

using modErroHandling::Reported;
using modErroHandling::Skip;
using modErroHandling::SkippedFailure;
using modErroHandling::Step;

namespace {

constexpr int32_t Rgb(int32_t red, int32_t green, int32_t blue) {
    return red | (green << 8) | (blue << 16);
}

// The check marks in the font "Wingdings": bytes 254 and 168 of the Western code page.
const std::string kTicked = "\xC3\xBE";
const std::string kUnticked = "\xC2\xA8";

const char* const kNoComponents =
    "Unable to start the Office Web Components!\r\n"
    "These components can be found on the Office 2000, 2002 or 2003 cds";

// The count cell's value minus one, as the readers count filled rows.
int16_t CountMinusOne(owc::Worksheet& sheet, const std::string& countCell) {
    sheet.Calculate();
    int32_t count = rt::ToInteger(sheet.Range(countCell).Value());
    return rt::RoundToInteger(count - 1);
}

rt::Currency AsCurrency(const rt::Variant& value) {
    double number =
        value.IsString() ? owc::ParseInput(value.AsString()).AsDouble() : value.AsDouble();
    double scaled = std::nearbyint(number * 10000);
    if (!(std::fabs(scaled) < 9.2e18))
        throw rt::Failure(rt::kOverflow);
    return rt::Currency{static_cast<int64_t>(scaled)};
}

}  // namespace

cListHandler::~cListHandler() {
    // The timer may outlive this instance in another holder; it must not call back here.
    if (objTimer)
        objTimer->Timer = nullptr;
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

// ---------------------------------------------------------------- the grid as a whole

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
    Skip(last, 50, [&] { subSetupSheet(); });
    Skip(last, 60, [&] { SetExcelVisible(false); });
    Skip(last, 70, [&] { FreezePanes("A2"); });
}

void cListHandler::subSetupSheet() {
    auto& sheet = rt::Need(ObjectList);
    sheet.SetAllowPropertyToolbox(false);
    sheet.SetDisplayTitleBar(false);
    sheet.Range("1:1").Interior().SetColor(Rgb(236, 233, 216));
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
    if (!eventsEnabled_)
        return;
    if (v) {
        if (!objTimer)
            objTimer = NewTimer();
        objTimer->TimerEnabled(false);
    } else {
        rt::Need(objTimer).TimerEnabled(true);
    }
}

void cListHandler::MoveRight(bool) {
    Step step;
    Reported("MoveRight", step, [&] {
        step(10);
        rt::Need(ObjectList).SetMoveAfterReturn(true);
        step(20);
        NewerModel().SetMoveAfterReturnDirection(owc::kDirectionRight);
    });
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

void cListHandler::DisplayVerticalScroll(bool DisplayScroll) {
    SetScrollBars(false, true, DisplayScroll);
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

// ---------------------------------------------------------------- cells and ranges

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

rt::Variant cListHandler::GetValue(const std::string& Address, int32_t intDataType) {
    rt::Variant value = rt::Need(ObjectList).Range(Address).Value();
    bool numeric = intDataType == 2 || intDataType == 6 || intDataType == 14;
    if (value.IsEmpty()) {
        if (numeric)
            return int16_t(0);
        if (intDataType == 8)
            return std::string();
        return rt::Variant();
    }
    if (numeric)
        return rt::IsNumeric(value) ? rt::Variant(AsCurrency(value)) : int16_t(0);
    if (intDataType == 8)
        return owc::CellText(value);
    return rt::Variant();
}

void cListHandler::SetFormula(const std::string& Address, const std::string& Formula) {
    Step step;
    Reported("cListHandler.SetFormula", step, [&] {
        step(10, "Setting formula of cells: " + Address + " to a formula: " + Formula);
        step(20);
        owc::Range range = rt::Need(ObjectList).Range(Address);
        if (!Formula.empty())
            range.SetFormula(Formula);
        else
            range.ClearContents();
    });
}

void cListHandler::SetChecked(const std::string& Address, bool Value) {
    Step step;
    Reported("cListHandler.SetChecked", step, [&] {
        step(10, "Setting checkbox value of cells: " + Address + " to the value " +
                     (Value ? "True" : "False"));
        step(20);
        rt::Need(ObjectList).Range(Address).SetValue(Value ? kTicked : kUnticked);
    });
}

bool cListHandler::GetChecked(const std::string& Address) {
    Step step;
    return Reported("cListHandler.GetChecked", step, [&] {
        step(10, "Reading the value of cell " + Address);
        step(20);
        rt::Variant value = rt::Need(ObjectList).Range(Address).Value();
        if (value.IsEmpty())
            return true;
        return value.IsString() && (value.AsString() == kTicked || value.AsString().empty());
    });
}

int16_t cListHandler::UsedRows(const std::string& CountCellRef) {
    modErroHandling::strAction = "Trying to find number of used rows";
    return CountMinusOne(rt::Need(CurrSheet), CountCellRef);
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

std::shared_ptr<cListHandler::KeyedMap> cListHandler::fncGetRangeDic(
    const std::string& strCountCellRef, const std::string& strColDef) {
    Step step;
    return Reported("fncGetRangeDic", step, [&] {
        step(10, "Entering fncGetRangeDic");
        step(20);
        int16_t n = UsedRows(strCountCellRef);
        step(30);
        auto values = modScriptingDic::fncCreateDic();
        step(40);
        if (n >= 1) {
            CurrSheet->Range("a2:" + strColDef + "1000").Sort();
            owc::Range range = CurrSheet->Range("a2:" + strColDef + rt::NumberText(n + 1));
            for (int32_t i = 0; i < range.Rows().Count(); ++i) {
                std::string text = fncCellText(range.Cells(i + 1, 1).Value());
                if (!values->Exists(text))
                    values->Add(text, text);
            }
        }
        return values;
    });
}

void cListHandler::SetDicList(const std::shared_ptr<KeyedMap>& DicItems) {
    Step step;
    Reported("SetDicList", step, [&] {
        step(10);
        EditMode(true);
        step(20);
        SetValue("A2:A200", "");
        step(30);
        int16_t k = 2;
        for (const rt::Variant& item : rt::Need(DicItems).Items()) {
            SetValue("A" + rt::NumberText(k), item);
            k = rt::RoundToInteger(k + 1);
        }
        step(40);
        EditMode(false);
    });
}

void cListHandler::SortRange() {
    Step step;
    Reported("subSortRange", step, [&] {
        step(10);
        rt::Need(ObjectList).Range("A2:d1000").Sort();
    });
}

void cListHandler::AutoFitCols(const std::string& Address) {
    NewerModel().Range(Address).EntireColumn().AutoFit();
}

void cListHandler::SetColumnWidth(const std::string& ColumnName, double NoXPWidth) {
    EditMode(true);
    owc::Spreadsheet& sheet = NewerModel();
    double width = NoXPWidth * 0.1384;
    std::string columns =
        ColumnName.find(':') != std::string::npos ? ColumnName : ColumnName + ":" + ColumnName;
    sheet.Range(columns).EntireColumn().SetColumnWidth(width);
}

void cListHandler::SetBold(const std::string& Address, bool BoldFont) {
    rt::Need(ObjectList).Range(Address).Font().SetBold(BoldFont);
}

void cListHandler::SetFont(const std::string& Address, const std::string& FontName) {
    rt::Need(ObjectList).Range(Address).Font().SetName(FontName);
}

void cListHandler::LockRange(const std::string& Address, bool OpenLock) {
    rt::Need(ObjectList).Range(Address).SetLocked(!OpenLock);
}

void cListHandler::FixHorizontalAlign(owc::Range objRange, int16_t intAlign) {
    RequireNewerModel();
    int32_t alignment = 0;
    if (intAlign == 1)
        alignment = owc::kAlignLeft;
    if (intAlign == 2)
        alignment = owc::kAlignCenter;
    if (intAlign == 3)
        alignment = owc::kAlignRight;
    objRange.SetHorizontalAlignment(alignment);
}

void cListHandler::CenterAlign(const std::string& Address) {
    FixHorizontalAlign(rt::Need(ObjectList).Range(Address), 2);
}

void cListHandler::SetDateFormat(const std::string& Address) {
    auto& protection = rt::Need(rt::Need(ObjectList).ActiveSheet()).Protection();
    if (protection.Enabled)
        protection.Enabled = false;
    ObjectList->Range(Address).SetNumberFormat("General Date");
}

void cListHandler::SetTextFormat(const std::string& Address) {
    rt::Need(ObjectList).Range(Address).SetNumberFormat("Text");
}

void cListHandler::SetNumberFormat(const std::string& Address) {
    rt::Need(ObjectList).Range(Address).SetNumberFormat("General");
}

void cListHandler::SetInteriorColor(const std::string& Address, int32_t Color,
                                    bool blnClearBorders) {
    auto& protection = rt::Need(rt::Need(ObjectList).ActiveSheet()).Protection();
    if (protection.Enabled)
        protection.Enabled = false;
    owc::Range range = ObjectList->Range(Address);
    range.Interior().SetColor(Color);
    if (blnClearBorders)
        return;
    range.Borders().SetColor(Rgb(192, 192, 192));
    range.Borders().SetWeight(ObjectList->Constants().owcLineWeightThin);
}

rt::Variant cListHandler::GetInteriorColor(const std::string& Address) {
    Step step;
    return Reported("cListHandler.GetInteriorColor", step, [&] {
        step(10, "Trying to determine interior color of cell " + Address);
        step(20);
        return rt::Variant(rt::Need(ObjectList).Range(Address).Interior().Color());
    });
}

void cListHandler::RightEdgeColDash(owc::Range exrRange) {
    RequireNewerModel();
    owc::BordersRef edge = exrRange.EntireColumn().Borders().Item(owc::kEdgeRight);
    edge.SetLineStyle(owc::kLineStyleDot);
    edge.SetColor(0);
    edge.SetWeight(owc::kLineWeightMedium);
}

void cListHandler::TopEdgeRowDash(owc::Range exrRange) {
    RequireNewerModel();
    owc::BordersRef edge = exrRange.EntireRow().Borders().Item(owc::kEdgeTop);
    edge.SetLineStyle(owc::kLineStyleDot);
    edge.SetColor(0);
}

std::string cListHandler::fncCellText(const rt::Variant& varValue) {
    std::string text = owc::CellText(varValue);
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        text.insert(0, "'");
    return text;
}

// ---------------------------------------------------------------- selection watch

std::shared_ptr<frmTimer> cListHandler::NewTimer() {
    auto timer = std::make_shared<frmTimer>();
    timer->Timer = [this] { objTimer_Timer(); };
    return timer;
}

void cListHandler::DropTimer() {
    if (!objTimer)
        return;
    objTimer->TimerEnabled(false);
    objTimer->Timer = nullptr;
    objTimer.reset();
}

void cListHandler::RaiseEventsEnabled(bool v) {
    if (v) {
        DropTimer();
        objTimer = NewTimer();
        objTimer->TimerInterval(500);
        objTimer->TimerEnabled(true);
        eventsEnabled_ = true;
    } else {
        DropTimer();
        eventsEnabled_ = false;
    }
}

void cListHandler::objTimer_Timer() {
    auto& sheet = rt::Need(ObjectList);
    if (sheet.Range(sheet.ViewableRange()).Rows().Count() <= 1)
        return;
    std::string addr = fncGetSel();
    std::string plain = addr;
    std::erase(plain, '$');
    if (SelectedCell == addr || SelectedCell == plain)
        return;
    if (Checkboxes && !plain.empty() && plain.substr(0, 1) == CheckBoxCol) {
        EditMode(true);
        bool checked = GetChecked(addr);
        SetChecked(addr, !checked);
        EditMode(false);
        SelectCell(addr);
        return;
    }
    SelectedCell = addr;
    if (SelectionChange)
        SelectionChange(addr);
}

std::string cListHandler::fncGetSel() {
    owc::Range selection = rt::Need(ObjectList).Selection();
    std::string addr =
        selection.Cells().Count() == 1 ? selection.Address() : selection.Cells(1, 1).Address();
    Row = rt::RoundToInteger(selection.Row());
    if (Row == 1) {
        for (char& c : addr)
            if (c == '1')
                c = '2';
        SelectCell(addr);
        Row = 2;
    }
    Column = rt::RoundToInteger(selection.Column());
    return addr;
}

void cListHandler::SelectCell(const std::string& Address) {
    EditMode(true);
    rt::Need(ObjectList).Range(Address).Select();
    EditMode(false);
    SelectedCell = fncGetSel();
}

void cListHandler::SetCheckedColumn(const std::string& Address) {
    SetFont(Address, "Wingdings");
    CenterAlign(Address);
    RaiseEventsEnabled(true);
    Checkboxes = true;
    CheckBoxCol = Address.substr(0, 1);
}
