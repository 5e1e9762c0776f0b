#pragma once

// The spreadsheet control: one worksheet with values, formulas, formats, protection,
// selection and viewable range, in the newer object model's terms. No toolkit in here; the
// Qt view (SpreadsheetView.h) draws it and feeds the user's edits back.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "grid/owc/Range.h"
#include "grid/owc/Worksheet.h"
#include "platform/automation/Registry.h"

namespace owc {

constexpr int32_t kDirectionDown = -4121;
constexpr int32_t kDirectionRight = -4161;

struct Constants {
    int32_t owcLineWeightThin = kLineWeightThin;
};

class SpreadsheetWindow {
  public:
    explicit SpreadsheetWindow(std::shared_ptr<Worksheet> sheet) : sheet_(std::move(sheet)) {}
    bool EnableResize = true;
    bool DisplayHorizontalScrollBar = true;
    bool DisplayVerticalScrollBar = true;
    // True freezes the rows above and the columns left of the selected cell.
    bool FreezePanes() const;
    void SetFreezePanes(bool freeze);
    void SetDisplayHorizontalScrollBar(bool on);
    void SetDisplayVerticalScrollBar(bool on);

  private:
    std::shared_ptr<Worksheet> sheet_;
};

// The control itself, as created by ProgID.
class Spreadsheet : public automation::Object {
  public:
    Spreadsheet();

    const std::shared_ptr<Worksheet>& ActiveSheet() const { return sheet_; }
    const std::shared_ptr<SpreadsheetWindow>& ActiveWindow() const { return window_; }
    owc::Range Range(std::string_view address) { return sheet_->Range(address); }
    owc::Range Selection() { return owc::Range(sheet_, sheet_->Selection()); }
    std::string ViewableRange() const { return AbsoluteAddress(sheet_->ViewableArea()); }
    void SetViewableRange(const std::string& address);
    bool ScreenUpdating() const { return sheet_->ScreenUpdating(); }
    void SetScreenUpdating(bool on) { sheet_->SetScreenUpdating(on); }
    const owc::Constants& Constants() const { return constants_; }

    // Display switches; each change is shown at the next repaint.
    void SetAllowPropertyToolbox(bool on) { Switch(AllowPropertyToolbox, on); }
    void SetDisplayTitleBar(bool on) { Switch(DisplayTitleBar, on); }
    void SetDisplayToolbar(bool on) { Switch(DisplayToolbar, on); }
    void SetDisplayWorkbookTabs(bool on) { Switch(DisplayWorkbookTabs, on); }
    void SetDisplayColumnHeadings(bool on) { Switch(DisplayColumnHeadings, on); }
    void SetDisplayRowHeadings(bool on) { Switch(DisplayRowHeadings, on); }
    void SetDisplayGridlines(bool on) { Switch(DisplayGridlines, on); }
    void SetMoveAfterReturn(bool on) { MoveAfterReturn = on; }
    void SetMoveAfterReturnDirection(int32_t direction) { MoveAfterReturnDirection = direction; }

    bool AllowPropertyToolbox = true;
    bool DisplayTitleBar = true;
    bool DisplayToolbar = true;
    bool DisplayWorkbookTabs = true;
    bool DisplayColumnHeadings = true;
    bool DisplayRowHeadings = true;
    bool DisplayGridlines = true;
    bool MoveAfterReturn = true;
    int32_t MoveAfterReturnDirection = kDirectionDown;

  private:
    void Switch(bool& flag, bool on);

    std::shared_ptr<Worksheet> sheet_;
    std::shared_ptr<SpreadsheetWindow> window_;
    owc::Constants constants_;
};

}  // namespace owc
