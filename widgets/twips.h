#pragma once

// Lengths in twips (1440 per inch) and Qt's logical pixels (96 per inch): 15 twips per pixel.

#include <QRect>
#include <cstdint>

inline constexpr int TwipsPerPixel = 15;

// `twips` in whole pixels, to the nearest (15 is odd, so there is never a tie).
constexpr int TwipsToPixels(std::int32_t twips) {
    return twips >= 0 ? (twips + TwipsPerPixel / 2) / TwipsPerPixel
                      : -((-twips + TwipsPerPixel / 2) / TwipsPerPixel);
}

constexpr std::int32_t PixelsToTwips(int pixels) {
    return pixels * TwipsPerPixel;
}

// A design rectangle (left, top, width, height in twips) in pixels.
constexpr QRect TwipsRect(std::int32_t left, std::int32_t top, std::int32_t width,
                          std::int32_t height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}
