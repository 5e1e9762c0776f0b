#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "grid/owc/Address.h"

namespace owc {

class Range;
class Worksheet;

// What a range shows of its cells' formats: font, fill and borders. Each refers to the
// cells of the range it came from.
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

}  // namespace owc
