// Small pictures: the mouse pointer and the two window icons (32 x 32).
#include <cmath>
#include <numbers>

#include "tools/artwork/glyphs.h"
#include "tools/artwork/palette.h"
#include "tools/artwork/pictures.h"
#include "tools/artwork/suits.h"

namespace art {

namespace {

// A casino chip seen from above: coloured disc, white edge spots, inner ring.
void chip_top(Svg& svg, double cx, double cy, double r, const char* paint) {
    svg.circle(cx, cy, r, both(paint, colour::kInk, 0.8));
    for (int i = 0; i < 6; ++i) {
        double a = std::numbers::pi * i / 3.0;
        double b = a + 0.28;
        double ro = r - 0.5;
        double ri = r * 0.72;
        Path p;
        p.M(cx + ro * std::cos(a), cy + ro * std::sin(a))
            .L(cx + ro * std::cos(b), cy + ro * std::sin(b));
        p.L(cx + ri * std::cos(b), cy + ri * std::sin(b))
            .L(cx + ri * std::cos(a), cy + ri * std::sin(a))
            .Z();
        svg.path(p, fill(colour::kWhite));
    }
    svg.circle(cx, cy, r * 0.55, line(colour::kWhite, 0.7));
}

// One chip of a stack seen from the side: rim band and top ellipse.
void stacked_chip(Svg& svg, double cx, double top, double rx, const char* paint, const char* dark) {
    const double ry = rx * 0.38;
    const double h = 3.0;
    Path side;
    side.M(cx - rx, top)
        .L(cx - rx, top + h)
        .A(rx, ry, 0, false, false, cx + rx, top + h)
        .L(cx + rx, top);
    side.Z();
    svg.path(side, both(dark, colour::kInk, 0.7));
    for (double dx : {-rx * 0.55, 0.0, rx * 0.55}) {
        svg.rect(cx + dx - 1.1, top + ry * 0.75, 2.2, h - 0.4, 0, fill(colour::kWhite));
    }
    svg.ellipse(cx, top, rx, ry, both(paint, colour::kInk, 0.7));
    svg.ellipse(cx, top, rx * 0.6, ry * 0.6, line(colour::kWhite, 0.6));
}

void mini_card(Svg& svg, double angle) {
    svg.group(rotate(angle, 16, 30));
    svg.rect(9.5, 5.5, 13, 19.5, 2, both(colour::kWhite, "#2A2A30", 0.8));
}

}  // namespace

Svg cursor_arrow() {
    Svg svg(32, 32);
    const std::string gold =
        svg.linear(0, 0, 1, 1, {{0, colour::kGoldLight}, {0.55, colour::kGold}, {1, "#A97A18"}});
    Path arrow;
    arrow.M(1.5, 1.5)
        .L(1.5, 23.5)
        .L(7, 18.3)
        .L(10.9, 27)
        .L(14.8, 25.3)
        .L(11, 16.9)
        .L(18.5, 16.9)
        .Z();
    svg.path(arrow, both(gold, colour::kInk, 1.5));
    svg.path(Path().M(3.6, 6).L(3.6, 18.5), line(colour::kWhite, 1.0, 0.7));
    chip_top(svg, 25, 25, 6.2, colour::kRed);
    return svg;
}

Svg icon_table() {
    Svg svg(32, 32);
    const std::string felt = svg.radial(16, 14, 17, {{0, "#3FA05A"}, {1, "#145A2A"}}, true);
    svg.circle(16, 16, 15, both(felt, colour::kGoldDark, 1.2));
    mini_card(svg, -24);
    draw_suit(svg, Suit::Hearts, 13.3, 10, 5.5, false, colour::kRed);
    svg.end();
    mini_card(svg, 0);
    draw_suit(svg, Suit::Spades, 13.3, 10, 5.5, false, colour::kInk);
    svg.end();
    mini_card(svg, 24);
    svg.path(Path().M(12.5, 15).L(11.5, 8.5).L(15, 12.5).Z(), fill(colour::kRed));
    svg.path(Path().M(15, 12.5).L(16.3, 6.5).L(17.6, 12.5).Z(), fill(colour::kPurple));
    svg.path(Path().M(17.6, 12.5).L(21, 8.5).L(20, 15).Z(), fill(colour::kGreen));
    svg.path(Path().M(12, 14.5).Q(16, 12.5, 20.5, 14.5).L(20.5, 16).Q(16, 14, 12, 16).Z(),
             fill(colour::kGold));
    svg.circle(16.2, 19, 2.8, fill(colour::kSkin));
    for (const auto& b : {std::pair{11.5, 8.5}, {16.3, 6.5}, {21.0, 8.5}}) {
        svg.circle(b.first, b.second, 1.2, fill(colour::kGold));
    }
    svg.end();
    return svg;
}

Svg icon_credits() {
    Svg svg(32, 32);
    stacked_chip(svg, 11, 25, 9.5, colour::kBlue, colour::kBlueDark);
    stacked_chip(svg, 11, 21, 9.5, colour::kRed, colour::kRedDark);
    stacked_chip(svg, 11, 17, 9.5, "#2E2D38", colour::kInk);
    stacked_chip(svg, 11, 13, 9.5, colour::kGreen, colour::kGreenDark);
    const std::string gold = svg.radial(
        20, 17, 12, {{0, colour::kGoldLight}, {0.6, colour::kGold}, {1, "#9A7016"}}, true);
    svg.circle(22, 20, 9.5, both(gold, colour::kGoldDark, 1.0));
    svg.circle(22, 20, 7.3, line(colour::kGoldDark, 0.7));
    draw_glyph(svg, 'Q', 22, 14.2, 11.5, 2.1, colour::kGoldDark);
    return svg;
}

}  // namespace art
