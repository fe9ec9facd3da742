// The card back: deep blue lattice in a white margin, gold frame and a "Q" crest.
#include <numbers>

#include "tools/artwork/card.h"
#include "tools/artwork/glyphs.h"
#include "tools/artwork/guilloche.h"
#include "tools/artwork/palette.h"
#include "tools/artwork/pictures.h"

namespace art {

namespace {

constexpr double kMargin = 11.0;
constexpr double kPanelL = kMargin;
constexpr double kPanelT = kMargin;
constexpr double kPanelR = kCardW - kMargin;
constexpr double kPanelB = kCardH - kMargin;

void panel(Svg& svg) {
    const std::string deep =
        svg.radial(kCardCx, kCardCy, 170, {{0, "#2C62BE"}, {0.6, "#17397E"}, {1, "#0B214F"}}, true);
    svg.rect(kPanelL, kPanelT, kPanelR - kPanelL, kPanelB - kPanelT, 6, fill(deep));
    const double in = 3.0;
    const Style hatch = line("#A9C2F0", 0.6, 0.34);
    svg.path(lattice(kPanelL + in, kPanelT + in, kPanelR - in, kPanelB - in, 1, 7.5), hatch);
    svg.path(lattice(kPanelL + in, kPanelT + in, kPanelR - in, kPanelB - in, -1, 7.5), hatch);
}

void border(Svg& svg) {
    const double a = kPanelL + 6;
    const double b = kPanelT + 6;
    const double w = kPanelR - kPanelL - 12;
    const double h = kPanelB - kPanelT - 12;
    svg.rect(a, b, w, h, 4, line(colour::kGold, 1.4));
    svg.rect(a + 7, b + 7, w - 14, h - 14, 3, line(colour::kGold, 0.9));
    // Twisted rope between the two gold lines.
    const Style rope = line(colour::kGoldLight, 0.6, 0.8);
    for (double phase : {0.0, std::numbers::pi}) {
        svg.path(wave_line(a + 9, a + w - 9, b + 3.5, 2.2, 9, phase), rope);
        svg.path(wave_line(a + 9, a + w - 9, b + h - 3.5, 2.2, 9, phase), rope);
        svg.group(rotate(90, 0, 0));
        svg.path(wave_line(b + 9, b + h - 9, -(a + 3.5), 2.2, 9, phase), rope);
        svg.path(wave_line(b + 9, b + h - 9, -(a + w - 3.5), 2.2, 9, phase), rope);
        svg.end();
    }
    const double corner[][2] = {{a + 3.5, b + 3.5},
                                {a + w - 3.5, b + 3.5},
                                {a + 3.5, b + h - 3.5},
                                {a + w - 3.5, b + h - 3.5}};
    for (const auto& c : corner) {
        svg.path(Path().M(c[0], c[1] - 4).L(c[0] + 4, c[1]).L(c[0], c[1] + 4).L(c[0] - 4, c[1]).Z(),
                 both(colour::kGold, colour::kGoldDark, 0.6));
    }
}

void corner_suits(Svg& svg) {
    const double x0 = kPanelL + 30;
    const double y0 = kPanelT + 30;
    const double x1 = kPanelR - 30;
    const double y1 = kPanelB - 30;
    draw_suit(svg, Suit::Spades, x0, y0, 17, false, colour::kGold);
    draw_suit(svg, Suit::Hearts, x1, y0, 17, false, colour::kGold);
    draw_suit(svg, Suit::Clubs, x0, y1, 17, true, colour::kGold);
    draw_suit(svg, Suit::Diamonds, x1, y1, 17, true, colour::kGold);
}

void crest(Svg& svg) {
    const double cx = kCardCx;
    const double cy = kCardCy;
    svg.path(wave_ring(cx, cy, 66, 3.2, 30, 0, 540), line(colour::kGoldLight, 0.7, 0.75));
    svg.path(wave_ring(cx, cy, 66, 3.2, 30, std::numbers::pi, 540),
             line(colour::kGoldLight, 0.7, 0.75));
    const std::string disc = svg.radial(cx, cy - 10, 60, {{0, "#234F9E"}, {1, "#0A1B40"}}, true);
    svg.circle(cx, cy, 58, both(disc, colour::kGold, 1.6));
    svg.path(rosette(cx, cy, 55, 55.0 * 9 / 25, 16, 9, 1500), line("#8FB0EA", 0.4, 0.5));
    for (int i = 0; i < 12; ++i) {
        svg.group(rotate(30.0 * i, cx, cy));
        svg.path(Path().M(cx, cy - 62).L(cx + 3.2, cy - 58).L(cx, cy - 54).L(cx - 3.2, cy - 58).Z(),
                 both(colour::kGold, colour::kGoldDark, 0.5));
        svg.end();
    }
    const std::string gold =
        svg.linear(0, 0, 0, 1, {{0, colour::kGoldLight}, {0.5, colour::kGold}, {1, "#A97A18"}});
    const std::string wine = svg.radial(cx, cy - 8, 36, {{0, "#B3203A"}, {1, "#5E0A1A"}}, true);
    svg.circle(cx, cy, 34, both(gold, colour::kGoldDark, 1.0));
    svg.circle(cx, cy, 27.5, both(wine, colour::kGoldDark, 1.0));
    draw_glyph(svg, 'Q', cx + 1, cy - 18.5, 36, 7.4, colour::kGoldDark);
    draw_glyph(svg, 'Q', cx, cy - 19.5, 36, 5.6, colour::kGoldLight);
}

}  // namespace

Svg card_back() {
    Svg svg(kCardW, kCardH);
    card_ground(svg, colour::kWhite, colour::kBorder);
    panel(svg);
    border(svg);
    corner_suits(svg);
    crest(svg);
    return svg;
}

}  // namespace art
