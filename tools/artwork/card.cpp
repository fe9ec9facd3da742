#include "tools/artwork/card.h"

#include "tools/artwork/glyphs.h"
#include "tools/artwork/palette.h"

namespace art {

namespace {

constexpr double kIndexX = 24.0;
constexpr double kIndexTop = 13.0;
constexpr double kIndexHeight = 38.0;
constexpr double kIndexWeight = 6.4;
constexpr double kIndexSuitY = 73.0;
constexpr double kIndexSuitSize = 27.0;

void one_index(Svg& svg, int rank, Suit suit) {
    const char* ink = suit_colour(suit);
    draw_glyph(svg, rank_glyph(rank), kIndexX, kIndexTop, kIndexHeight, kIndexWeight, ink);
    draw_suit(svg, suit, kIndexX, kIndexSuitY, kIndexSuitSize, false, ink);
}

}  // namespace

std::string half_turn() {
    return rotate(180, kCardCx, kCardCy);
}

void card_ground(Svg& svg, const std::string& paint, const std::string& border) {
    const double w = 2.4;
    svg.rect(w / 2, w / 2, kCardW - w, kCardH - w, kCardRadius, both(paint, border, w));
}

void corner_index(Svg& svg, int rank, Suit suit) {
    one_index(svg, rank, suit);
    svg.group(half_turn());
    one_index(svg, rank, suit);
    svg.end();
}

Svg card_face(int rank, Suit suit) {
    Svg svg(kCardW, kCardH);
    card_ground(svg, colour::kWhite, colour::kBorder);
    if (rank == 1) {
        draw_ace(svg, suit);
    } else if (rank <= 10) {
        draw_pips(svg, rank, suit);
    } else {
        draw_court(svg, rank, suit);
    }
    corner_index(svg, rank, suit);
    return svg;
}

}  // namespace art
