// The joker: a grinning jester in a three-pointed cap with bells.
#include <algorithm>
#include <cmath>
#include <numbers>
#include "tools/artwork/card.h"
#include "tools/artwork/glyphs.h"
#include "tools/artwork/palette.h"
#include "tools/artwork/pictures.h"

namespace art {

namespace {

constexpr double kX = kCardCx;
const char* const kJokerInk = "#54267E";
const char* const kFaceLine = "#3A2A35";

void joker_index(Svg& svg) {
    const char* word = "JOKER";
    for (int i = 0; i < 5; ++i) {
        draw_glyph(svg, word[i], 22, 13 + 25.0 * i, 19, 4.4, kJokerInk);
    }
    Path star;
    for (int i = 0; i < 10; ++i) {
        double a = std::numbers::pi * (i / 5.0 - 0.5);
        double r = i % 2 == 0 ? 8.0 : 3.4;
        double x = 22 + r * std::cos(a);
        double y = 148 + r * std::sin(a);
        i == 0 ? star.M(x, y) : star.L(x, y);
    }
    svg.path(star.Z(), both(colour::kGold, colour::kGoldDark, 0.8));
}

void bell(Svg& svg, double x, double y) {
    const std::string g = svg.radial(
        x - 2, y - 2.5, 8, {{0, colour::kGoldLight}, {0.6, colour::kGold}, {1, "#9A7016"}}, true);
    svg.circle(x, y, 7, both(g, colour::kGoldDark, 1.0));
    svg.path(Path().M(x - 4.5, y + 1.5).L(x + 4.5, y + 1.5), line(colour::kGoldDark, 1.3));
    svg.circle(x, y + 4, 1.3, fill(colour::kGoldDark));
}

void sparkle(Svg& svg, double x, double y, double r) {
    Path p;
    p.M(x, y - r).Q(x, y, x + r, y).Q(x, y, x, y + r).Q(x, y, x - r, y).Q(x, y, x, y - r).Z();
    svg.path(p, fill(colour::kGold, 0.85));
}

void backdrop(Svg& svg) {
    const std::string glow =
        svg.radial(kX, 150, 120, {{0, "#FFF6D6"}, {0.6, "#FCE7B0"}, {1, "#F3CF7E"}}, true);
    svg.rect(42, 18, 141, 264, 3, both(glow, kJokerInk, 1.8));
    svg.rect(45.2, 21.2, 134.6, 257.6, 1.5, line(colour::kGold, 1.3));
    // Rays from behind the head, each stopping at the frame.
    const double cy = 160;
    for (int i = 0; i < 16; ++i) {
        const double a = 2.0 * std::numbers::pi * (i + 0.5) / 16.0;
        const double dx = std::cos(a);
        const double dy = std::sin(a);
        const double reach = std::min(std::fabs(64.0 / dx), dy < 0 ? -134.0 / dy : 116.0 / dy);
        const double half = 0.05;
        Path ray;
        ray.M(kX, cy);
        ray.L(kX + reach * std::cos(a - half), cy + reach * std::sin(a - half));
        ray.L(kX + reach * std::cos(a + half), cy + reach * std::sin(a + half));
        svg.path(ray.Z(), fill(colour::kWhite, 0.4));
    }
    sparkle(svg, 66, 40, 6);
    sparkle(svg, 160, 118, 5);
    sparkle(svg, 60, 140, 4.5);
    sparkle(svg, 164, 34, 4);
}

void body(Svg& svg) {
    const std::string red = svg.linear(0, 0, 0, 1, {{0, "#E8455A"}, {1, "#A3122A"}});
    const std::string green = svg.linear(0, 0, 0, 1, {{0, "#4CC06C"}, {1, "#1D6E36"}});
    svg.path(Path().M(45, 279).C(47, 242, 70, 214, kX, 206).L(kX, 279).Z(),
             both(red, colour::kOutline, 1.2));
    svg.path(Path().M(180, 279).C(178, 242, 155, 214, kX, 206).L(kX, 279).Z(),
             both(green, colour::kOutline, 1.2));
    const Style gold = both(colour::kGold, colour::kGoldDark, 0.7);
    const Style purple = both("#8E5BD0", "#4A2475", 0.7);
    // The motley's lozenges: gold on the left, purple on the right.
    const auto lozenge = [&svg](double x, double y, const Style& style) {
        svg.path(Path().M(x, y - 9).L(x + 6, y).L(x, y + 9).L(x - 6, y).Z(), style);
    };
    for (const auto& [x, y] : {std::pair{70.0, 252.0}, {92.0, 236.0}, {84.0, 268.0}}) {
        lozenge(x, y, gold);
    }
    for (const auto& [x, y] : {std::pair{155.0, 252.0}, {133.0, 236.0}, {141.0, 268.0}}) {
        lozenge(x, y, purple);
    }
    for (double y : {230.0, 250.0, 270.0}) {
        svg.circle(kX, y, 4.5, both(colour::kGold, colour::kGoldDark, 0.8));
    }
    // Pointed ruff: an outer white star and an inner purple one.
    for (int layer = 0; layer < 2; ++layer) {
        const double rx = layer == 0 ? 56.0 : 44.0;
        const double ry = layer == 0 ? 20.0 : 14.0;
        Path ruff;
        for (int i = 0; i < 28; ++i) {
            double a = 2.0 * std::numbers::pi * i / 28.0;
            double k = i % 2 == 0 ? 1.0 : 0.62;
            double x = kX + rx * k * std::cos(a);
            double y = 206 + ry * k * std::sin(a);
            i == 0 ? ruff.M(x, y) : ruff.L(x, y);
        }
        svg.path(ruff.Z(), layer == 0 ? both(colour::kWhite, "#4A2475", 1.0)
                                      : both("#A77FE0", "#4A2475", 0.9));
    }
}

void face(Svg& svg) {
    const std::string skin = svg.radial(kX, 160, 36, {{0, "#FFF4E8"}, {1, "#F4D6BC"}}, true);
    svg.ellipse(kX, 168, 27, 31, both(skin, kFaceLine, 1.2));
    svg.circle(kX - 16, 181, 6, fill("#F27A8A", 0.45));
    svg.circle(kX + 16, 181, 6, fill("#F27A8A", 0.45));
    // Painted diamonds through the eyes.
    svg.path(Path().M(kX - 12, 150).L(kX - 5.5, 164).L(kX - 12, 178).L(kX - 18.5, 164).Z(),
             fill(colour::kBlue, 0.55));
    svg.path(Path().M(kX + 12, 150).L(kX + 18.5, 164).L(kX + 12, 178).L(kX + 5.5, 164).Z(),
             fill("#D42A3E", 0.55));
    for (double s : {-1.0, 1.0}) {
        double ex = kX + 12 * s;
        svg.path(Path().M(ex - 6, 164).Q(ex, 158, ex + 6, 164).Q(ex, 168, ex - 6, 164).Z(),
                 both(colour::kWhite, kFaceLine, 0.9));
        svg.circle(ex + 1.5, 163.6, 2.3, fill("#1C1B22"));
        svg.path(Path().M(ex - 7, 155).Q(ex, 148 - 2 * s, ex + 7, 153 + s), line(kFaceLine, 1.5));
    }
    svg.circle(kX, 174, 4.4, both("#E2364C", "#8E1A2A", 0.8));
    svg.circle(kX - 1.3, 172.7, 1.2, fill(colour::kWhite, 0.8));
    svg.path(Path().M(kX - 17, 182).Q(kX, 204, kX + 17, 182).Q(kX, 190, kX - 17, 182).Z(),
             both("#8E1A2A", kFaceLine, 1.0));
    svg.path(Path()
                 .M(kX - 14, 184.2)
                 .Q(kX, 190.5, kX + 14, 184.2)
                 .L(kX + 12, 188)
                 .Q(kX, 192, kX - 12, 188)
                 .Z(),
             fill(colour::kWhite));
    svg.path(Path()
                 .M(kX - 19, 180)
                 .Q(kX - 17.5, 182, kX - 17, 184)
                 .M(kX + 19, 180)
                 .Q(kX + 17.5, 182, kX + 17, 184),
             line(kFaceLine, 1.1));
}

void cap(Svg& svg) {
    const std::string red = svg.linear(0, 0, 1, 1, {{0, "#F05A6E"}, {1, "#A3122A"}});
    const std::string purple = svg.linear(0, 0, 1, 1, {{0, "#9C6FE0"}, {1, "#4A2475"}});
    const std::string green = svg.linear(1, 0, 0, 1, {{0, "#5CD27C"}, {1, "#1D6E36"}});
    const Style trim = line(colour::kGold, 1.6);
    svg.path(Path()
                 .M(kX, 128)
                 .C(kX - 4, 98, kX + 2, 66, kX + 14, 44)
                 .C(kX + 14, 74, kX + 12, 100, kX + 16, 128)
                 .Z(),
             both(purple, colour::kOutline, 1.2));
    svg.path(Path().M(kX + 7, 126).C(kX + 5, 100, kX + 7, 70, kX + 14, 48), trim);
    svg.path(Path()
                 .M(kX - 24, 140)
                 .C(kX - 48, 132, kX - 60, 112, kX - 59, 82)
                 .C(kX - 46, 100, kX - 28, 112, kX - 4, 124)
                 .Z(),
             both(red, colour::kOutline, 1.2));
    svg.path(Path().M(kX - 16, 131).C(kX - 40, 122, kX - 54, 106, kX - 58, 86), trim);
    svg.path(Path()
                 .M(kX + 24, 140)
                 .C(kX + 48, 132, kX + 60, 112, kX + 59, 82)
                 .C(kX + 46, 100, kX + 28, 112, kX + 4, 124)
                 .Z(),
             both(green, colour::kOutline, 1.2));
    svg.path(Path().M(kX + 16, 131).C(kX + 40, 122, kX + 54, 106, kX + 58, 86), trim);
    svg.path(Path().M(kX - 28, 150).C(kX - 28, 122, kX + 28, 122, kX + 28, 150).Z(),
             both(purple, colour::kOutline, 1.2));
    const std::string gold = svg.linear(0, 0, 0, 1, {{0, colour::kGoldLight}, {1, "#B8871E"}});
    svg.path(Path()
                 .M(kX - 30, 148)
                 .C(kX - 20, 134, kX + 20, 134, kX + 30, 148)
                 .L(kX + 30, 155)
                 .C(kX + 20, 141, kX - 20, 141, kX - 30, 155)
                 .Z(),
             both(gold, colour::kGoldDark, 1.0));
    for (double x : {-20.0, -7.0, 7.0, 20.0}) {
        double y = 143.5 + 0.012 * x * x;
        svg.path(Path().M(kX + x, y - 3).L(kX + x + 2.5, y).L(kX + x, y + 3).L(kX + x - 2.5, y).Z(),
                 fill(x < 0 ? "#D42A3E" : colour::kBlue));
    }
    bell(svg, kX - 59, 84);
    bell(svg, kX + 14, 44);
    bell(svg, kX + 59, 84);
}

}  // namespace

Svg joker_face() {
    Svg svg(kCardW, kCardH);
    card_ground(svg, colour::kWhite, colour::kBorder);
    backdrop(svg);
    body(svg);
    face(svg);
    cap(svg);
    joker_index(svg);
    svg.group(half_turn());
    joker_index(svg);
    svg.end();
    return svg;
}

}  // namespace art
