#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace quillon::ui {

// The layout is measured in twips; the window draws at 96 dpi, where a pixel is 15 twips. Qt
// scales these logical pixels for high-dpi screens.
inline constexpr int kTwipsPerPixel = 15;

constexpr int to_pixels(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

inline QPoint to_pixels(int left, int top) {
    return {to_pixels(left), to_pixels(top)};
}

inline QRect to_pixels(int left, int top, int width, int height) {
    return {to_pixels(left), to_pixels(top), to_pixels(width), to_pixels(height)};
}

}  // namespace quillon::ui
