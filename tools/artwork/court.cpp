// Court card layout: framed picture, one half drawn twice, and the shared body parts.
#include "tools/artwork/court.h"

#include <cmath>

#include "tools/artwork/card.h"
#include "tools/artwork/guilloche.h"
#include "tools/artwork/palette.h"

namespace art {

namespace court {

Ink make_ink(Svg& svg, Suit suit) {
    Ink ink;
    ink.suit = suit;
    const bool red = is_red(suit);
    ink.solid = suit_colour(suit);
    ink.robe = red ? svg.linear(0, 0, 0, 1, {{0, "#DE2A44"}, {1, colour::kRedDark}})
                   : svg.linear(0, 0, 0, 1, {{0, "#47455A"}, {1, "#121118"}});
    ink.gold =
        svg.linear(0, 0, 0, 1, {{0, colour::kGoldLight}, {0.5, colour::kGold}, {1, "#B8871E"}});
    ink.blue = svg.linear(0, 0, 0, 1, {{0, "#3F74C9"}, {1, colour::kBlueDark}});
    ink.skin = svg.linear(0, 0, 0, 1, {{0, "#FBE3C6"}, {1, colour::kSkin}});
    ink.steel = svg.linear(0, 0, 1, 0, {{0, "#F4F6FA"}, {0.5, colour::kSilver}, {1, "#9AA2B0"}});
    ink.velvet = red ? ink.blue : svg.linear(0, 0, 0, 1, {{0, "#E23A52"}, {1, colour::kRedDark}});
    return ink;
}

void robe(Svg& svg, const Ink& ink) {
    Path p;
    p.M(46, 150).L(46, 125).C(56, 113, 74, 106, 92, 103).L(133, 103);
    p.C(151, 106, 169, 113, 179, 125).L(179, 150).Z();
    svg.path(p, both(ink.robe, colour::kOutline, ink.outline));
}

void robe_pattern(Svg& svg, const Ink& ink) {
    const double spots[][2] = {{58, 140}, {72, 126}, {80, 144}, {153, 126}, {167, 140}, {145, 144}};
    for (const auto& s : spots) {
        draw_suit(svg, ink.suit, s[0], s[1], 8, false, colour::kGold);
    }
}

void head(Svg& svg, const Ink& ink, bool lashes, bool mouth) {
    const Style edge = both(ink.skin, colour::kOutline, ink.outline);
    svg.path(Path().M(105, 88).L(105, 106).Q(112.5, 110, 120, 106).L(120, 88).Z(), edge);
    svg.ellipse(kX, 80, 14, 17, edge);
    svg.ellipse(kX - 8.5, 87, 3.2, 2.2, fill("#F08C8C", 0.45));
    svg.ellipse(kX + 8.5, 87, 3.2, 2.2, fill("#F08C8C", 0.45));
    for (int side = 0; side < 2; ++side) {
        if (side == 1) {
            svg.group(mirror_x(kX));
        }
        svg.path(Path().M(102.8, 78).Q(106.5, 75.2, 110.2, 78).Q(106.5, 80.2, 102.8, 78).Z(),
                 both(colour::kWhite, colour::kOutline, 0.7));
        svg.circle(106.7, 77.9, 1.5, fill(colour::kBlueDark));
        svg.path(Path().M(102.3, 73.8).Q(106.5, 71.4, 110.6, 73.4), line(colour::kOutline, 1.1));
        if (lashes) {
            svg.path(Path().M(102.8, 78).L(101.2, 76.6).M(104, 76.6).L(103, 75),
                     line(colour::kOutline, 0.6));
        }
        if (side == 1) {
            svg.end();
        }
    }
    svg.path(Path().M(112.5, 79).L(111, 87.2).Q(112.5, 88.6, 114.4, 87.4),
             line(colour::kSkinShade, 1.0));
    if (mouth) {
        svg.path(Path().M(108.6, 92).Q(112.5, 90.8, 116.4, 92).Q(112.5, 95, 108.6, 92).Z(),
                 both("#C8384A", "#8E2230", 0.5));
    }
}

void arm(Svg& svg, const Ink& ink, double sx, double sy, double kx, double ky, double hx,
         double hy) {
    Path sleeve;
    sleeve.M(sx, sy).Q(kx, ky, hx, hy);
    svg.path(sleeve, line(colour::kOutline, 12.5));
    svg.path(sleeve, line(is_red(ink.suit) ? "#A8122A" : "#3A3848", 10.5));
    const double dx = hx - kx;
    const double dy = hy - ky;
    const double len = std::sqrt(dx * dx + dy * dy);
    const double ux = dx / len;
    const double uy = dy / len;
    Path cuff;
    cuff.M(hx - 6.5 * ux, hy - 6.5 * uy).L(hx - 5 * ux, hy - 5 * uy);
    svg.path(cuff, line(colour::kGoldDark, 13));
    svg.path(cuff, line(colour::kGold, 11.4));
    hand(svg, ink, hx, hy);
}

void hand(Svg& svg, const Ink& ink, double x, double y) {
    svg.ellipse(x, y, 7.5, 6.2, both(ink.skin, colour::kOutline, ink.outline));
    Path f;
    f.M(x - 4, y - 2).Q(x - 1, y - 3, x + 2, y - 2);
    f.M(x - 4.5, y + 1).Q(x - 1, y, x + 2.5, y + 1);
    svg.path(f, line(colour::kSkinShade, 0.8));
}

}  // namespace court

namespace {

void frame(Svg& svg, Suit suit) {
    using namespace court;
    const double w = kFrameR - kFrameL;
    const double h = kFrameB - kFrameT;
    svg.rect(kFrameL, kFrameT, w, h, 3, both(colour::kCream, suit_colour(suit), 1.8));
    const Style hatch = line(colour::kGold, 0.5, 0.35);
    for (double slope : {1.0, -1.0}) {
        svg.path(lattice(kFrameL + 4, kFrameT + 4, kFrameR - 4, kFrameB - 4, slope, 9), hatch);
    }
}

void frame_edge(Svg& svg, Suit suit) {
    using namespace court;
    const double w = kFrameR - kFrameL;
    const double h = kFrameB - kFrameT;
    svg.rect(kFrameL, kFrameT, w, h, 3, line(suit_colour(suit), 1.8));
    svg.rect(kFrameL + 3.2, kFrameT + 3.2, w - 6.4, h - 6.4, 1.5, line(colour::kGold, 1.3));
    // The middle line between the two halves, with a small gold lozenge.
    svg.line_seg(kFrameL + 3.2, kCardCy, kFrameR - 3.2, kCardCy, line(colour::kGoldDark, 1.6));
    svg.path(
        Path().M(kX, kCardCy - 4.5).L(kX + 7, kCardCy).L(kX, kCardCy + 4.5).L(kX - 7, kCardCy).Z(),
        both(colour::kGold, colour::kGoldDark, 0.8));
}

}  // namespace

void draw_court(Svg& svg, int rank, Suit suit) {
    court::Ink ink = court::make_ink(svg, suit);
    frame(svg, suit);
    for (int half = 0; half < 2; ++half) {
        svg.group(half == 0 ? std::string() : half_turn());
        switch (rank) {
            case 11:
                court::jack_half(svg, ink);
                break;
            case 12:
                court::queen_half(svg, ink);
                break;
            default:
                court::king_half(svg, ink);
                break;
        }
        draw_suit(svg, suit, court::kFrameL + 13, court::kFrameT + 15, 17, false, ink.solid);
        svg.end();
    }
    frame_edge(svg, suit);
}

}  // namespace art
