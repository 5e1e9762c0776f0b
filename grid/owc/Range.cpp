#include "grid/owc/Range.h"

#include "grid/owc/CellText.h"
#include "grid/owc/Worksheet.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/Failure.h"

namespace owc {

namespace {

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string ColorText(int32_t color) {
    static const char* hex = "0123456789abcdef";
    int32_t rgb[3] = {color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF};
    std::string text = "#";
    for (int32_t part : rgb) {
        text += hex[part >> 4];
        text += hex[part & 0xF];
    }
    return text;
}

std::string CellHtml(const Worksheet& sheet, int32_t row, int32_t column) {
    const Style& style = sheet.StyleAt(row, column);
    std::string css;
    if (style.bold)
        css += "font-weight:bold;";
    if (style.interiorColor != kNoColor)
        css += "background:" + ColorText(style.interiorColor) + ";";
    std::string cell = css.empty() ? "<td>" : "<td style=\"" + css + "\">";
    return cell + Escaped(CellText(sheet.ValueAt(row, column))) + "</td>";
}

}  // namespace

Range::Range(std::shared_ptr<Worksheet> sheet, Area area, Counting counting)
    : sheet_(std::move(sheet)), area_(area), counting_(counting) {}

rt::Variant Range::Value() const {
    return sheet_->ValueAt(area_.top, area_.left);
}
void Range::SetValue(const rt::Variant& value) {
    sheet_->WriteValue(area_, value);
}
std::string Range::Formula() const {
    return sheet_->FormulaAt(area_.top, area_.left);
}
void Range::SetFormula(const std::string& formula) {
    sheet_->WriteFormula(area_, formula);
}
void Range::ClearContents() {
    sheet_->ClearContents(area_);
}
void Range::Clear() {
    ClearContents();
    ClearFormats();
}
void Range::ClearFormats() {
    sheet_->ResetStyles(area_);
}

bool Range::Locked() const {
    return sheet_->StyleAt(area_.top, area_.left).locked;
}
void Range::SetLocked(bool locked) {
    sheet_->ChangeStyle(area_, [&](Style& s) { s.locked = locked; });
}
std::string Range::NumberFormat() const {
    return sheet_->StyleAt(area_.top, area_.left).numberFormat;
}
void Range::SetNumberFormat(const std::string& format) {
    sheet_->ChangeStyle(area_, [&](Style& s) { s.numberFormat = format; });
}
int32_t Range::HorizontalAlignment() const {
    return sheet_->StyleAt(area_.top, area_.left).horizontalAlignment;
}
void Range::SetHorizontalAlignment(int32_t alignment) {
    sheet_->ChangeStyle(area_, [&](Style& s) { s.horizontalAlignment = alignment; });
}

Range Range::EntireColumn() const {
    return Range(sheet_, Area{1, area_.left, kMaxRows, area_.right}, Counting::Columns);
}
Range Range::EntireRow() const {
    return Range(sheet_, Area{area_.top, 1, area_.bottom, kMaxColumns}, Counting::Rows);
}
void Range::AutoFit() {
    sheet_->AutoFitColumns(area_);
}
double Range::ColumnWidth() const {
    return sheet_->ColumnWidthAt(area_.left);
}
void Range::SetColumnWidth(double width) {
    sheet_->SetColumnWidth(area_, width);
}

int32_t Range::Count() const {
    switch (counting_) {
        case Counting::Rows:
            return area_.Rows();
        case Counting::Columns:
            return area_.Columns();
        default:
            return area_.Rows() * area_.Columns();
    }
}

Range Range::Cells(int32_t row, int32_t column) const {
    int32_t r = area_.top + row - 1, c = area_.left + column - 1;
    if (r < 1 || r > kMaxRows || c < 1 || c > kMaxColumns)
        throw rt::Failure(rt::kInvalidCall);
    return Range(sheet_, Area{r, c, r, c});
}

void Range::Select() {
    sheet_->SetSelection(area_);
}
void Range::Sort() {
    SortBy(0);
}
void Range::SortBy(int32_t keyColumn) {
    if (keyColumn < 0 || keyColumn >= area_.Columns())
        throw rt::Failure(rt::kInvalidCall);
    sheet_->SortRows(area_, keyColumn);
}

std::string Range::HTMLData() const {
    bool any = false;
    for (int32_t r = area_.top; r <= area_.bottom && !any; ++r)
        for (int32_t c = area_.left; c <= area_.right && !any; ++c)
            any = sheet_->HasContent(r, c);
    if (!any)
        return "";
    std::string html =
        "<!DOCTYPE html>\n<html>\n<head><meta charset=\"utf-8\"><title>" + Address() +
        "</title></head>\n<body>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n";
    for (int32_t r = area_.top; r <= area_.bottom; ++r) {
        html += "<tr>";
        for (int32_t c = area_.left; c <= area_.right; ++c)
            html += CellHtml(*sheet_, r, c);
        html += "</tr>\n";
    }
    return html + "</table>\n</body>\n</html>\n";
}

void Range::AutoFilter() {
    sheet_->SetAutoFilter(area_);
}

}  // namespace owc
