#include "ui/layout_scale.h"

#include <algorithm>
#include <cmath>

#include "ui/design_units.h"

namespace quillon::ui {

int LayoutScale::pixels(int twips) const {
    if (factor_ == 1.0) {
        return to_pixels(twips);  // the layout's own rounding, exactly
    }
    return static_cast<int>(std::lround(twips * factor_ / kTwipsPerPixel));
}

QPoint LayoutScale::point(int left, int top) const {
    return {pixels(left), pixels(top)};
}

QRect LayoutScale::rect(int left, int top, int width, int height) const {
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

QFont LayoutScale::font(const FontSpec& face) const {
    QFont f = font_for(face);
    if (factor_ != 1.0) {
        // Rounded down: a caption a fraction of a pixel larger than its box scaled would run
        // into its neighbour (the pay table's hand names into their values).
        f.setPixelSize(std::max(1, static_cast<int>(std::floor(f.pixelSize() * factor_))));
    }
    return f;
}

LayoutScale fitting_scale(QSize client, const ScreenRoom& room) {
    constexpr double kSmallest = 0.25;
    constexpr double kSteps = 16;  // per device pixel
    if (room.available.isEmpty() || client.isEmpty()) {
        return LayoutScale();
    }
    const double width = room.available.width() - room.frame.left() - room.frame.right();
    const double height = room.available.height() - room.frame.top() - room.frame.bottom();
    const double fit = std::min(width / client.width(), height / client.height());
    if (fit >= 1.0) {
        return LayoutScale();
    }
    const double ratio = room.device_pixel_ratio > 0 ? room.device_pixel_ratio : 1.0;
    const double snapped = std::floor(fit * ratio * kSteps) / kSteps / ratio;
    return LayoutScale(std::max(kSmallest, snapped));
}

}  // namespace quillon::ui
