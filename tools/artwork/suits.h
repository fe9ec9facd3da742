// The four suit symbols, drawn as filled paths.
#pragma once

#include <string>

#include "tools/artwork/svg.h"

namespace art {

enum class Suit { Spades, Diamonds, Clubs, Hearts };

inline constexpr Suit kSuits[] = {Suit::Spades, Suit::Diamonds, Suit::Clubs, Suit::Hearts};

// File-name letter: s, d, c, h.
char suit_letter(Suit s);
bool is_red(Suit s);
// Ink of the suit: red for hearts and diamonds, near-black for the others.
const char* suit_colour(Suit s);

// Outline of the suit in a 100 x 100 box centred on the origin, pointing up.
// Every sub-path winds clockwise, so overlapping lobes merge.
Path suit_shape(Suit s);

// A suit symbol of the given height centred at (cx, cy); upside down when flipped.
void draw_suit(Svg& svg, Suit s, double cx, double cy, double size, bool flipped,
               const std::string& paint);

}  // namespace art
