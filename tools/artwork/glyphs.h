// Rank and letter glyphs drawn as stroked centre lines, so no font is needed.
#pragma once

#include <string>

#include "tools/artwork/svg.h"

namespace art {

// Glyphs live in a box 32 units tall. Supported: A 2-9 T(=10) J Q K O E R.
inline constexpr double kGlyphHeight = 32.0;

double glyph_width(char g);
Path glyph_path(char g);

// Index character for a rank 1..13 (1 = ace, 10 = 'T').
char rank_glyph(int rank);

// Draws a glyph whose box is centred on x with its top at y, `height` tall.
// `weight` is the stroke width in output units.
void draw_glyph(Svg& svg, char g, double x, double y, double height, double weight,
                const std::string& paint);

}  // namespace art
