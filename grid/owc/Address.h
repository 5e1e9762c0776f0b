#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace owc {

constexpr int32_t kMaxRows = 10000;
constexpr int32_t kMaxColumns = 26;  // A to Z

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

}  // namespace owc
