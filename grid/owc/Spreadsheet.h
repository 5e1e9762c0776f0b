#pragma once

// The spreadsheet control: one worksheet with values, formulas, formats, protection,
// selection and viewable range, in the newer object model's terms. No toolkit in here; the
// Qt view (SpreadsheetView.h) draws it and feeds the user's edits back.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/Registry.h"
#include "platform/runtime/Variant.h"

namespace owc {

constexpr int32_t kMaxRows = 10000;
constexpr int32_t kMaxColumns = 26;  // A to Z

// Constants of the newer object model.
constexpr int32_t kAlignGeneral = 1;
constexpr int32_t kAlignLeft = -4131;
constexpr int32_t kAlignCenter = -4108;
constexpr int32_t kAlignRight = -4152;
constexpr int32_t kEdgeLeft = 7;
constexpr int32_t kEdgeTop = 8;
constexpr int32_t kEdgeBottom = 9;
constexpr int32_t kEdgeRight = 10;
constexpr int32_t kLineStyleNone = -4142;
constexpr int32_t kLineStyleContinuous = 1;
constexpr int32_t kLineStyleDot = -4118;
constexpr int32_t kLineWeightThin = 2;
constexpr int32_t kLineWeightMedium = -4138;
constexpr int32_t kDirectionDown = -4121;
constexpr int32_t kDirectionRight = -4161;
constexpr int32_t kNoColor = -1;
constexpr double kDefaultColumnWidth = 8.43;

// A block of cells, 1-based and inclusive.
struct Area {
    int32_t top = 1;
    int32_t left = 1;
    int32_t bottom = 1;
    int32_t right = 1;
    int32_t Rows() const { return bottom - top + 1; }
    int32_t Columns() const { return right - left + 1; }
    bool Contains(int32_t row, int32_t column) const {
        return row >= top && row <= bottom && column >= left && column <= right;
    }
    friend bool operator==(const Area&, const Area&) = default;
};

// "A1", "$B$3", "a1:F1000", "1:1", "A:D"; fails with error 5 on anything else or outside
// the sheet.
Area ParseAddress(std::string_view address);
// "$A$1" for one cell, "$A$2:$D$37" for a block.
std::string AbsoluteAddress(const Area& area);
std::string ColumnLetters(int32_t column);

struct Border {
    int32_t lineStyle = kLineStyleNone;
    int32_t color = 0;
    int32_t weight = kLineWeightThin;
    friend bool operator==(const Border&, const Border&) = default;
};

// Everything about a cell but its content.
struct Style {
    std::string fontName = "Arial";
    double fontSize = 10;
    bool bold = false;
    int32_t interiorColor = kNoColor;
    std::array<Border, 4> borders;  // left, top, bottom, right
    bool locked = true;
    std::string numberFormat = "General";
    int32_t horizontalAlignment = kAlignGeneral;
    friend bool operator==(const Style&, const Style&) = default;
};

struct SheetProtection {
    bool AllowDeletingColumns = true;
    bool AllowInsertingColumns = true;
    bool AllowInsertingRows = true;
    bool AllowFiltering = false;
    bool AllowFormattingColumns = false;
    bool AllowFormattingRows = false;
    bool AllowSorting = false;
    bool Enabled = false;
};

struct Constants {
    int32_t owcLineWeightThin = kLineWeightThin;
};

class Worksheet;
class Range;

class FontRef {
  public:
    explicit FontRef(const Range& range);
    std::string Name() const;
    double Size() const;
    bool Bold() const;
    void SetName(const std::string& name);
    void SetSize(double size);
    void SetBold(bool bold);

  private:
    std::shared_ptr<Worksheet> sheet_;
    Area area_;
};

class InteriorRef {
  public:
    explicit InteriorRef(const Range& range);
    // The fill colour; white when the cell has no fill.
    int32_t Color() const;
    void SetColor(int32_t color);

  private:
    std::shared_ptr<Worksheet> sheet_;
    Area area_;
};

// One edge (Item) or, with no edge, all four edges of every cell of a range.
class BordersRef {
  public:
    BordersRef(const Range& range, int32_t edge = 0);
    BordersRef Item(int32_t edge) const;
    void SetLineStyle(int32_t lineStyle);
    void SetColor(int32_t color);
    void SetWeight(int32_t weight);

  private:
    std::shared_ptr<Worksheet> sheet_;
    Area area_;
    int32_t edge_;
};

// A block of cells of a sheet; copies are cheap and refer to the same cells. Rows() and
// Columns() give the same cells counted by rows or by columns.
class Range {
  public:
    enum class Counting { Cells, Rows, Columns };

    Range(std::shared_ptr<Worksheet> sheet, Area area, Counting counting = Counting::Cells);

    // The top-left cell's value; writing sets every cell (empty text or Null clears).
    rt::Variant Value() const;
    void SetValue(const rt::Variant& value);
    // The top-left cell's formula, or its value as text when it has none.
    std::string Formula() const;
    // A text starting with "=" becomes a formula, anything else a value.
    void SetFormula(const std::string& formula);
    void ClearContents();
    void Clear();
    void ClearFormats();

    FontRef Font() const { return FontRef(*this); }
    InteriorRef Interior() const { return InteriorRef(*this); }
    BordersRef Borders() const { return BordersRef(*this); }
    bool Locked() const;
    void SetLocked(bool locked);
    std::string NumberFormat() const;
    void SetNumberFormat(const std::string& format);
    int32_t HorizontalAlignment() const;
    void SetHorizontalAlignment(int32_t alignment);

    Range EntireColumn() const;
    Range EntireRow() const;
    void AutoFit();
    double ColumnWidth() const;
    void SetColumnWidth(double width);

    Range Rows() const { return Range(sheet_, area_, Counting::Rows); }
    Range Columns() const { return Range(sheet_, area_, Counting::Columns); }
    Range Cells() const { return Range(sheet_, area_, Counting::Cells); }
    // Cells, rows or columns, as this range counts.
    int32_t Count() const;
    // One cell, counted from 1 within the range.
    Range Cells(int32_t row, int32_t column) const;

    void Select();
    // Rows ascending by the first column: numbers, then texts (case-insensitive), then
    // Booleans; rows whose first cell is empty last. Equal keys keep their order.
    void Sort();
    // The same, by the range's column at offset keyColumn (0 the first).
    void SortBy(int32_t keyColumn);

    std::string Address() const { return AbsoluteAddress(area_); }
    int32_t Row() const { return area_.top; }
    int32_t Column() const { return area_.left; }
    const Area& Block() const { return area_; }
    const std::shared_ptr<Worksheet>& Sheet() const { return sheet_; }

    // The cells with content as a small HTML document; empty text when none has content.
    std::string HTMLData() const;
    // Switches filter buttons on this range on or off.
    void AutoFilter();

  private:
    std::shared_ptr<Worksheet> sheet_;
    Area area_;
    Counting counting_;
};

// What the view needs to hear: the sheet's look or content changed, or screen updating was
// switched. Changes made while screen updating is off are told once when it comes back on.
using ChangeListener = std::function<void()>;

class Worksheet : public std::enable_shared_from_this<Worksheet> {
  public:
    Worksheet();

    SheetProtection& Protection() { return protection_; }
    owc::Range Range(std::string_view address);
    owc::Range Cells(int32_t row, int32_t column);
    owc::Range Columns();
    owc::Range Rows();
    // The block from A1's corner to the last cell with content; A1 on an empty sheet.
    owc::Range UsedRange();
    bool EnableAutoFilter() const { return enableAutoFilter_; }
    void EnableAutoFilter(bool enable) { enableAutoFilter_ = enable; }
    // The block with filter buttons, or none (rows 0).
    const Area& AutoFilterArea() const { return autoFilter_; }
    void Calculate();

    // Cell access for ranges and the view.
    rt::Variant ValueAt(int32_t row, int32_t column) const;
    std::string FormulaAt(int32_t row, int32_t column) const;
    bool HasContent(int32_t row, int32_t column) const;
    const Style& StyleAt(int32_t row, int32_t column) const;
    double ColumnWidthAt(int32_t column) const { return widths_[column - 1]; }

    // What the user types into a cell: refused (false) for a locked cell while protection is
    // on; a number when the text reads as one, a formula after "=", else text.
    bool UserEdit(int32_t row, int32_t column, const std::string& text);
    bool UserMayEdit(int32_t row, int32_t column) const;

    // Program writes; each fails with error 70 on a locked cell while protection is on.
    void WriteValue(const Area& area, const rt::Variant& value);
    void WriteFormula(const Area& area, const std::string& formula);
    void ClearContents(const Area& area);
    void ResetStyles(const Area& area);
    void ChangeStyle(const Area& area, const std::function<void(Style&)>& change);
    void SetColumnWidth(const Area& area, double width);
    void AutoFitColumns(const Area& area);
    void SortRows(const Area& area, int32_t keyColumn);
    void SetAutoFilter(const Area& area);
    Area UsedArea() const;  // rows 0 when no cell has content

    // Selection, viewable range and frozen panes; the spreadsheet and its window act here.
    const Area& Selection() const { return selection_; }
    void SetSelection(const Area& area);
    const Area& ViewableArea() const { return viewable_; }
    void SetViewableArea(const Area& area);
    int32_t FrozenRows() const { return frozenRows_; }
    int32_t FrozenColumns() const { return frozenColumns_; }
    void Freeze(bool freeze);

    bool ScreenUpdating() const { return screenUpdating_; }
    void SetScreenUpdating(bool on);
    // Tells the listeners, now or once screen updating is back on.
    void Changed();
    int AddListener(ChangeListener listener);
    void RemoveListener(int id);

  private:
    struct Content {
        rt::Variant value;
        std::string formula;
    };
    using RowContent = std::array<Content, kMaxColumns>;
    struct CountFormula {
        Area counted;
        bool dirty = true;
    };

    Content* ContentAt(int32_t row, int32_t column);
    const Content* ContentAt(int32_t row, int32_t column) const;
    Content& MakeContent(int32_t row, int32_t column);
    void CheckWritable(const Area& area) const;
    void Notify();
    void Touch(int32_t row, int32_t column);
    void PutContent(int32_t row, int32_t column, Content content);
    void RegisterFormula(int32_t row, int32_t column, const std::string& formula);
    double CountNonEmpty(const Area& area) const;
    uint16_t Intern(const Style& style);
    static int64_t Key(int32_t row, int32_t column) { return int64_t(row) * 64 + column; }

    std::vector<std::unique_ptr<RowContent>> rows_;
    std::vector<uint16_t> styleIndex_;  // one per cell, row by row
    std::vector<Style> styles_;
    std::map<int64_t, CountFormula> mutable countFormulas_;
    std::array<double, kMaxColumns> widths_;
    SheetProtection protection_;
    bool enableAutoFilter_ = false;
    Area autoFilter_{0, 0, 0, 0};
    Area selection_;
    Area viewable_{1, 1, kMaxRows, kMaxColumns};
    int32_t frozenRows_ = 0;
    int32_t frozenColumns_ = 0;
    bool screenUpdating_ = true;
    bool pendingChange_ = false;
    std::map<int, ChangeListener> listeners_;
    int nextListener_ = 1;
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
