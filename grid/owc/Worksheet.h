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
        double count = 0;  // valid while not dirty
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

}  // namespace owc
