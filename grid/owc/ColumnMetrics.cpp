#include "grid/owc/ColumnMetrics.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace owc {

namespace {

// Added to every column beside its digits, as a sheet's columns have room for a margin.
constexpr double kColumnMargin = 5;

// Measured in the font actually drawn, so widths stay right where the system substitutes
// another face for the standard font.
double DigitPixels() {
    static const double digit = QFontMetricsF(FontOf(Style{})).horizontalAdvance(QLatin1Char('0'));
    return digit;
}

// What the item delegate keeps free on each side of a cell's text, and the grid line.
int TextMarginPixels() {
    int margin = QApplication::style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
    return 2 * margin + 1;
}

}  // namespace

QFont FontOf(const Style& style) {
    QFont font(QString::fromStdString(style.fontName));
    font.setPointSizeF(style.fontSize);
    font.setBold(style.bold);
    return font;
}

int PixelsOfWidth(double width) {
    return int(std::lround(width * DigitPixels() + kColumnMargin));
}

double WidthOfPixels(int pixels) {
    return std::max(0.0, (pixels - kColumnMargin) / DigitPixels());
}

int CellPixels(const std::string& text, const Style& style) {
    double drawn = QFontMetricsF(FontOf(style)).horizontalAdvance(QString::fromStdString(text));
    return int(std::ceil(drawn)) + TextMarginPixels();
}

}  // namespace owc
