#pragma once

#include <QFont>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "ui/table_layout.h"

namespace quillon::ui {

// How many logical pixels one pixel of the layout (15 twips) takes. It is 1 on any screen with
// room for the table at the screen's own scale; on a smaller one the whole table is drawn
// smaller, twips and all, and Qt still paints it at the device's resolution.
class LayoutScale {
  public:
    constexpr LayoutScale() = default;
    explicit constexpr LayoutScale(double factor) : factor_(factor) {}

    constexpr double factor() const { return factor_; }
    friend constexpr bool operator==(LayoutScale, LayoutScale) = default;

    int pixels(int twips) const;
    QPoint point(int left, int top) const;
    QRect rect(int left, int top, int width, int height) const;
    // The control's font, its size scaled with the rest and rounded down.
    QFont font(const FontSpec& face) const;

  private:
    double factor_ = 1.0;
};

// What a screen offers a window: its available area and the window frame's margins in logical
// pixels, and its device pixel ratio.
struct ScreenRoom {
    QRect available;
    QMargins frame;
    double device_pixel_ratio = 1.0;
};

// The scale for a window whose client area is `client` pixels of the layout: 1 where the window
// and its frame fit the available area, otherwise the largest scale at which they do, rounded
// down to a sixteenth of a device pixel per layout pixel so that equal screens give equal
// pixels. An unknown (empty) area leaves the scale at 1; no scale goes below a quarter.
LayoutScale fitting_scale(QSize client, const ScreenRoom& room);

}  // namespace quillon::ui
