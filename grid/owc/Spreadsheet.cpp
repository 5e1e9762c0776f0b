#include "grid/owc/Spreadsheet.h"

namespace owc {

bool SpreadsheetWindow::FreezePanes() const {
    return sheet_->FrozenRows() > 0 || sheet_->FrozenColumns() > 0;
}
void SpreadsheetWindow::SetFreezePanes(bool freeze) {
    sheet_->Freeze(freeze);
}
void SpreadsheetWindow::SetDisplayHorizontalScrollBar(bool on) {
    DisplayHorizontalScrollBar = on;
    sheet_->Changed();
}
void SpreadsheetWindow::SetDisplayVerticalScrollBar(bool on) {
    DisplayVerticalScrollBar = on;
    sheet_->Changed();
}

Spreadsheet::Spreadsheet()
    : sheet_(std::make_shared<Worksheet>()), window_(std::make_shared<SpreadsheetWindow>(sheet_)) {}

void Spreadsheet::SetViewableRange(const std::string& address) {
    sheet_->SetViewableArea(ParseAddress(address));
}

void Spreadsheet::Switch(bool& flag, bool on) {
    flag = on;
    sheet_->Changed();
}

}  // namespace owc
