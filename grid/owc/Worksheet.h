#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "grid/owc/Address.h"
#include "grid/owc/Range.h"
#include "grid/owc/Style.h"
#include "platform/runtime/Variant.h"

namespace owc {

constexpr double kDefaultColumnWidth = 8.43;
constexpr double kMaxColumnWidth = 255;

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

// What the view needs to hear: the sheet's look or content changed, or screen updating was
// switched. Changes made while screen updating is off are told once when it comes back on.
using ChangeListener = std::function<void()>;

// How wide text is and how wide a column may grow, in column-width units (digits of the
// standard font). The sheet alone can only estimate from character counts; a view that draws
// the sheet installs a measure that knows its fonts and its own width.
class ColumnMeasure {
  public:
    virtual ~ColumnMeasure() = default;
    // The column width a cell needs to show its text whole.
    virtual double TextWidth(const std::string& text, const Style& style) const = 0;
    // The widest that fitting may make a column, given the widths of the other columns.
    virtual double FitLimit(int32_t column) const = 0;
};

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

    // Cell access for ranges and the view; a cell outside the sheet fails with error 5.
    rt::Variant ValueAt(int32_t row, int32_t column) const;
    std::string FormulaAt(int32_t row, int32_t column) const;
    bool HasContent(int32_t row, int32_t column) const;
    const Style& StyleAt(int32_t row, int32_t column) const;
    double ColumnWidthAt(int32_t column) const;

    // What the user types into a cell: refused (false) for a locked cell while protection is
    // on; a number when the text reads as one, a formula after "=", else text.
    bool UserEdit(int32_t row, int32_t column, const std::string& text);
    bool UserMayEdit(int32_t row, int32_t column) const;
    // A column width the user drags: refused while protection forbids formatting columns.
    bool UserSetColumnWidth(int32_t column, double width);
    bool UserMayFormatColumns() const;

    // Program writes; each fails with error 70 on a locked cell while protection is on.
    void WriteValue(const Area& area, const rt::Variant& value);
    void WriteFormula(const Area& area, const std::string& formula);
    void ClearContents(const Area& area);
    void ResetStyles(const Area& area);
    void ChangeStyle(const Area& area, const std::function<void(Style&)>& change);
    void SetColumnWidth(const Area& area, double width);
    // Each column with content becomes as wide as its widest text, but no wider than its fit
    // limit; columns without content keep their width.
    void AutoFitColumns(const Area& area);
    // Sorts the rows of the block by its column at offset keyColumn (0 the first); a key
    // outside the block fails with error 5.
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
    // The measure AutoFitColumns uses; none puts back the character estimate. The caller keeps
    // it alive until it installs another.
    void SetMeasure(const ColumnMeasure* measure);
    // Text a view's user is still typing into a cell. It is handed in before the sheet is
    // calculated or sorted and before the program's own changes begin (screen updating off),
    // so that nothing the program reads or moves leaves it behind or lands it in another row.
    void SetPendingInput(std::function<void()> take);
    const ColumnMeasure& Measure() const { return *measure_; }

  private:
    struct Content {
        rt::Variant value;
        std::string formula;
    };
    using RowContent = std::array<Content, kMaxColumns>;
    struct CountFormula {
        Area counted;
        bool dirty = true;
        double count = 0;  // valid while not dirty
    };

    Content* ContentAt(int32_t row, int32_t column);
    const Content* ContentAt(int32_t row, int32_t column) const;
    Content& MakeContent(int32_t row, int32_t column);
    void CheckWritable(const Area& area) const;
    void TakePendingInput();
    static void CheckCell(int32_t row, int32_t column);
    static void CheckArea(const Area& area);
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
    const ColumnMeasure* measure_;
    std::function<void()> pendingInput_;
    bool takingInput_ = false;
};

}  // namespace owc
