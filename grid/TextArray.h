#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/runtime/Failure.h"

// A two-dimensional array of texts indexed (row, column) from 0, or the empty
// one-dimensional array (no elements, UBound(1) = -1) that stands for "no rows".
class TextArray {
  public:
    TextArray() = default;  // the empty one-dimensional array
    TextArray(int32_t rows, int32_t columns)
        : rows_(rows), columns_(columns), dimensions_(2), cells_(size_t(rows) * columns) {}

    int Dimensions() const { return dimensions_; }
    // Upper bound of dimension 1 (rows) or 2 (columns); error 9 for a dimension it lacks.
    int32_t UBound(int dimension = 1) const {
        if (dimension == 1)
            return rows_ - 1;
        if (dimension == 2 && dimensions_ == 2)
            return columns_ - 1;
        throw rt::Failure(rt::kSubscriptOutOfRange);
    }
    // Error 9 outside the bounds.
    std::string& operator()(int32_t row, int32_t column) { return cells_[Index(row, column)]; }
    const std::string& operator()(int32_t row, int32_t column) const {
        return cells_[Index(row, column)];
    }

  private:
    size_t Index(int32_t row, int32_t column) const {
        if (dimensions_ != 2 || row < 0 || row >= rows_ || column < 0 || column >= columns_)
            throw rt::Failure(rt::kSubscriptOutOfRange);
        return size_t(row) * columns_ + column;
    }

    int32_t rows_ = 0;
    int32_t columns_ = 0;
    int dimensions_ = 1;
    std::vector<std::string> cells_;
};
