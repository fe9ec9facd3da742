// Pip layouts of the number cards and the large ornate ace.
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "tools/artwork/card.h"
#include "tools/artwork/guilloche.h"
#include "tools/artwork/palette.h"

namespace art {

namespace {

constexpr double kLeft = 68.0;
constexpr double kMid = kCardCx;
constexpr double kRight = 157.0;
constexpr double kTop = 53.0;
constexpr double kBottom = kCardH - kTop;
constexpr double kPipSize = 40.0;

struct Pip {
    double x;
    double y;
};

// Vertical position of row i out of n rows spread from kTop to kBottom.
double row(int i, int n) {
    return kTop + (kBottom - kTop) * i / (n - 1);
}

// Arc of radius 16 inside a club lobe, open towards `gap_deg`.
void lobe_arc(Svg& svg, double cx, double cy, double gap_deg, const Style& s) {
    const double r = 16.0;
    const double a0 = (gap_deg + 55.0) * std::numbers::pi / 180.0;
    const double a1 = (gap_deg - 55.0) * std::numbers::pi / 180.0;
    Path p;
    p.M(cx + r * std::cos(a0), cy + r * std::sin(a0));
    p.A(r, r, 0, true, true, cx + r * std::cos(a1), cy + r * std::sin(a1));
    svg.path(p, s);
}

std::vector<Pip> layout(int rank) {
    const double r4a = row(1, 4);
    const double r4b = row(2, 4);
    std::vector<Pip> pips;
    auto sides = [&](std::initializer_list<double> ys) {
        for (double y : ys) {
            pips.push_back({kLeft, y});
            pips.push_back({kRight, y});
        }
    };
    switch (rank) {
        case 2:
            pips = {{kMid, kTop}, {kMid, kBottom}};
            break;
        case 3:
            pips = {{kMid, kTop}, {kMid, kCardCy}, {kMid, kBottom}};
            break;
        case 4:
            sides({kTop, kBottom});
            break;
        case 5:
            sides({kTop, kBottom});
            pips.push_back({kMid, kCardCy});
            break;
        case 6:
            sides({kTop, kCardCy, kBottom});
            break;
        case 7:
            sides({kTop, kCardCy, kBottom});
            pips.push_back({kMid, (kTop + kCardCy) / 2});
            break;
        case 8:
            sides({kTop, kCardCy, kBottom});
            pips.push_back({kMid, (kTop + kCardCy) / 2});
            pips.push_back({kMid, (kBottom + kCardCy) / 2});
            break;
        case 9:
            sides({kTop, r4a, r4b, kBottom});
            pips.push_back({kMid, kCardCy});
            break;
        case 10:
            sides({kTop, r4a, r4b, kBottom});
            pips.push_back({kMid, (kTop + r4a) / 2});
            pips.push_back({kMid, (kBottom + r4b) / 2});
            break;
        default:
            break;
    }
    return pips;
}

// Inner engraved line following the suit outline. The club gets one open arc
// inside each lobe instead, since its lobes do not share a single contour.
void engraving(Svg& svg, Suit suit, double cx, double cy, double size) {
    const Style ink = line(colour::kWhite, 1.6 * 100.0 / size, 0.55);
    if (suit == Suit::Clubs) {
        svg.group(translate(cx, cy) + " " + scale(size / 100.0));
        lobe_arc(svg, 0, -25, 90, ink);
        lobe_arc(svg, -25, 12, -25, ink);
        lobe_arc(svg, 25, 12, 205, ink);
        svg.end();
        return;
    }
    const double k = 0.8;
    svg.group(translate(cx, cy + (suit == Suit::Spades ? -4 : 0)) + " " + scale(size * k / 100.0));
    svg.path(suit_shape(suit), line(colour::kWhite, 1.6 * 100.0 / (size * k), 0.55));
    svg.end();
}

}  // namespace

void draw_pips(Svg& svg, int rank, Suit suit) {
    const std::vector<Pip> pips = layout(rank);
    if (static_cast<int>(pips.size()) != rank) {
        throw std::logic_error("pip layout does not match the rank");
    }
    for (const Pip& p : pips) {
        draw_suit(svg, suit, p.x, p.y, kPipSize, p.y > kCardCy + 1, suit_colour(suit));
    }
}

void draw_ace(Svg& svg, Suit suit) {
    const bool red = is_red(suit);
    const char* ink = suit_colour(suit);
    const double cx = kCardCx;
    const double cy = kCardCy;

    // Engine-turned medallion behind the pip.
    svg.path(rosette(cx, cy, 62, 62.0 * 11 / 29, 22, 11, 1800), line(ink, 0.45, 0.3));
    svg.path(wave_ring(cx, cy, 74, 2.5, 36, 0, 720), line(colour::kGoldDark, 0.9, 0.8));
    svg.circle(cx, cy, 79, line(colour::kGold, 2.2));
    svg.circle(cx, cy, 82.5, line(colour::kGoldDark, 0.8));
    for (int i = 0; i < 4; ++i) {
        svg.group(rotate(45 + 90.0 * i, cx, cy));
        svg.path(Path().M(cx, cy - 88).L(cx + 4, cy - 82.5).L(cx, cy - 77).L(cx - 4, cy - 82.5).Z(),
                 both(colour::kGold, colour::kGoldDark, 0.8));
        svg.end();
    }

    const double size = suit == Suit::Diamonds ? 112.0 : 104.0;
    std::string body =
        red ? svg.linear(0, 0, 0.3, 1,
                         {{0, colour::kRedLight}, {0.45, colour::kRed}, {1, colour::kRedDark}})
            : svg.linear(0, 0, 0.3, 1,
                         {{0, colour::kInkLight}, {0.5, colour::kInk}, {1, "#050408"}});
    draw_suit(svg, suit, cx, cy, size, false, body);
    engraving(svg, suit, cx, cy, size);
}

}  // namespace art
