// The card blank shared by every face: size, rounded ground and corner indices.
#pragma once

#include <string>

#include "tools/artwork/suits.h"
#include "tools/artwork/svg.h"

namespace art {

// Cards are drawn at three times their 75 x 100 on-screen size.
inline constexpr double kCardW = 225.0;
inline constexpr double kCardH = 300.0;
inline constexpr double kCardRadius = 12.0;
inline constexpr double kCardCx = kCardW / 2.0;
inline constexpr double kCardCy = kCardH / 2.0;

// Transform turning the top half of a card into its bottom half.
std::string half_turn();

// Rounded card ground with a thin border.
void card_ground(Svg& svg, const std::string& paint, const std::string& border);

// Rank glyph with a small suit under it, top-left and upside down bottom-right.
void corner_index(Svg& svg, int rank, Suit suit);

// Writes a number card, an ace or a court card for rank 1..13.
Svg card_face(int rank, Suit suit);

// Pip cards 2..10 and the ace (pips.cpp).
void draw_pips(Svg& svg, int rank, Suit suit);
void draw_ace(Svg& svg, Suit suit);

// Jack, queen and king (court.cpp).
void draw_court(Svg& svg, int rank, Suit suit);

}  // namespace art
