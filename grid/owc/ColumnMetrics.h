#pragma once

// Column widths count digits of the sheet's standard font; the view draws in pixels. This is
// the one place that converts between the two and says how wide a cell's text is as drawn.

#include <QFont>

#include <string>

#include "grid/owc/Style.h"

namespace owc {

// The font a cell with this style is drawn in.
QFont FontOf(const Style& style);
// A column of this width as drawn, and back.
int PixelsOfWidth(double width);
double WidthOfPixels(int pixels);
// The pixels a cell needs to show this text whole: the text as drawn, its margins and the
// grid line.
int CellPixels(const std::string& text, const Style& style);

}  // namespace owc
