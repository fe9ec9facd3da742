#include "card.h"

#include "glyphs.h"
#include "palette.h"

namespace art {

namespace {

constexpr double kIndexX = 24.0;
constexpr double kIndexTop = 13.0;
constexpr double kIndexHeight = 38.0;
constexpr double kIndexWeight = 6.4;
constexpr double kIndexSuitY = 73.0;
constexpr double kIndexSuitSize = 27.0;

void oneIndex(Svg& svg, int rank, Suit suit) {
    const char* ink = suitColour(suit);
    drawGlyph(svg, rankGlyph(rank), kIndexX, kIndexTop, kIndexHeight, kIndexWeight, ink);
    drawSuit(svg, suit, kIndexX, kIndexSuitY, kIndexSuitSize, false, ink);
}

}  // namespace

std::string halfTurn() {
    return rotate(180, kCardCx, kCardCy);
}

void cardGround(Svg& svg, const std::string& paint, const std::string& border) {
    const double w = 2.4;
    svg.rect(w / 2, w / 2, kCardW - w, kCardH - w, kCardRadius, both(paint, border, w));
}

void cornerIndex(Svg& svg, int rank, Suit suit) {
    oneIndex(svg, rank, suit);
    svg.group(halfTurn());
    oneIndex(svg, rank, suit);
    svg.end();
}

Svg cardFace(int rank, Suit suit) {
    Svg svg(kCardW, kCardH);
    cardGround(svg, colour::kWhite, colour::kBorder);
    if (rank == 1) {
        drawAce(svg, suit);
    } else if (rank <= 10) {
        drawPips(svg, rank, suit);
    } else {
        drawCourt(svg, rank, suit);
    }
    cornerIndex(svg, rank, suit);
    return svg;
}

}  // namespace art
