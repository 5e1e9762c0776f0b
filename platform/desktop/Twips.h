#pragma once

// Window positions are designed in twips; 15 twips are one pixel at 96 dpi.
namespace desktop {

inline constexpr int kTwipsPerPixel = 15;

// To the nearest pixel, so that a designed size never loses most of a pixel.
constexpr int TwipsToPixels(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

}  // namespace desktop
