#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace owc {

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
constexpr int32_t kNoColor = -1;

// A colour as the control takes it: red in the lowest byte, then green, then blue.
constexpr int32_t Rgb(int32_t red, int32_t green, int32_t blue) {
    return red | (green << 8) | (blue << 16);
}

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

}  // namespace owc
