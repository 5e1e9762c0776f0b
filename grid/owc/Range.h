#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "grid/owc/Address.h"
#include "grid/owc/Formats.h"
#include "platform/runtime/Variant.h"

namespace owc {

class Worksheet;

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

}  // namespace owc
