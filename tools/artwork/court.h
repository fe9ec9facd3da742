// Shared pieces of the jack, queen and king pictures.
#pragma once

#include <string>

#include "tools/artwork/suits.h"
#include "tools/artwork/svg.h"

namespace art::court {

// Horizontal centre of the figure and the frame around the picture.
inline constexpr double kX = 112.5;
inline constexpr double kFrameL = 44.0;
inline constexpr double kFrameR = 181.0;
inline constexpr double kFrameT = 18.0;
inline constexpr double kFrameB = 282.0;

// Paints of one court card, made once so both halves share them.
struct Ink {
    Suit suit;
    std::string robe;      // gradient in the suit colour
    std::string gold;      // gradient for crowns and trims
    std::string blue;      // accent gradient
    std::string skin;      // face gradient
    std::string steel;     // blades
    std::string solid;     // plain suit colour
    std::string velvet;    // crown cap: red or blue, contrasting the robe
    double outline = 1.1;  // outline width
};

Ink make_ink(Svg& svg, Suit suit);

// Shoulders of the figure down to the middle line.
void robe(Svg& svg, const Ink& ink);
// Small gold suit symbols scattered on the robe.
void robe_pattern(Svg& svg, const Ink& ink);
// Neck, head and features; the king's face gets no visible mouth (beard).
void head(Svg& svg, const Ink& ink, bool lashes, bool mouth);
// A hand gripping at (x, y).
void hand(Svg& svg, const Ink& ink, double x, double y);
// A sleeve from the shoulder (sx, sy) bending through (kx, ky) to a gold cuff and hand.
void arm(Svg& svg, const Ink& ink, double sx, double sy, double kx, double ky, double hx,
         double hy);

// The three figures, top half only.
void king_half(Svg& svg, const Ink& ink);
void queen_half(Svg& svg, const Ink& ink);
void jack_half(Svg& svg, const Ink& ink);

}  // namespace art::court
