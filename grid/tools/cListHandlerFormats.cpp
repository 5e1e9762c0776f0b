#include "grid/cListHandler.h"

#include "grid/owc/Style.h"
#include "services/modErroHandling.h"

// The look of cells and columns: widths, fonts, locks, alignment, number formats, colours
// and borders.

using modErroHandling::Reported;
using modErroHandling::Step;

namespace {

// SetColumnWidth takes its width in the older control's unit, pixels; the newer one counts
// column widths in digits of the standard font, about 7.2 pixels each.
constexpr double kDigitsPerPixel = 0.1384;

// Cells given an interior colour get thin light grey borders, which keep the cells apart
// where the fill covers the grid lines.
constexpr int32_t kCellBorderColor = owc::Rgb(192, 192, 192);

}  // namespace

void cListHandler::SetColumnWidth(const std::string& ColumnName, double NoXPWidth) {
    EditMode(true);
    owc::Spreadsheet& sheet = NewerModel();
    double width = NoXPWidth * kDigitsPerPixel;
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
    range.Borders().SetColor(kCellBorderColor);
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
