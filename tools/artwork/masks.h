// Helpers shared by the pale and the dark mask cards.
#pragma once

#include <functional>
#include <string>

#include "tools/artwork/svg.h"

namespace art::mask {

inline constexpr double kX = 112.5;  // vertical axis of every mask

// The tints of one mask: body gradient ends, outline and eye/mouth openings.
struct Tint {
    const char* light;
    const char* deep;
    const char* edge;
    const char* hole;
};

// Card-sized ground with rounded corners: white for pale masks, black for dark ones,
// with a soft halo of the mask's tint behind the picture and a thin tinted rim.
Svg ground(bool dark, const char* halo, const char* rim);

// Draws `part` once, then again mirrored about the mask axis.
void mirrored(Svg& svg, const std::function<void()>& part);

// Eye glow: a bright core fading to nothing.
void glow(Svg& svg, double x, double y, double r, const char* core, const char* mid);

// A small round bell.
void bell(Svg& svg, double x, double y, double r, const char* body, const char* edge);

// Body paint of a mask: a vertical gradient between the tint's two ends.
std::string body(Svg& svg, const Tint& t);

}  // namespace art::mask
