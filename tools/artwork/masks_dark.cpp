// Five ominous masks in dark tints on a black ground, with glowing eyes.
#include <cmath>
#include <numbers>

#include "tools/artwork/masks.h"
#include "tools/artwork/palette.h"
#include "tools/artwork/pictures.h"

namespace art {

namespace {

using mask::kX;
using mask::mirrored;

void devil(Svg& svg) {
    const mask::Tint t{"#7A1420", "#2E0409", "#B82E3E", "#000000"};
    const std::string horn = svg.linear(0, 1, 0, 0, {{0, "#4A0810"}, {1, "#B8A48A"}});
    mirrored(svg, [&] {
        svg.path(Path().M(74, 98).C(56, 82, 50, 56, 62, 28).C(64, 54, 78, 70, 96, 82).Z(),
                 both(horn, t.edge, 1.4));
        svg.path(Path().M(60, 126).L(30, 104).L(58, 152).Z(),
                 both(mask::body(svg, t), t.edge, 1.4));
    });
    svg.path(Path()
                 .M(kX, 70)
                 .C(152, 70, 172, 100, 170, 140)
                 .C(168, 178, 146, 214, kX, 252)
                 .C(79, 214, 57, 178, 55, 140)
                 .C(53, 100, 73, 70, kX, 70)
                 .Z(),
             both(mask::body(svg, t), t.edge, 1.8));
    mirrored(svg, [&] {
        svg.path(Path().M(68, 116).L(108, 134).L(106, 141).L(70, 126).Z(), fill("#1A0205"));
        svg.path(Path().M(72, 134).L(106, 148).Q(94, 162, 76, 150).Z(), fill(t.hole));
    });
    mask::glow(svg, 92, 148, 13, "#FFD23A", "#FF3A1A");
    mask::glow(svg, 133, 148, 13, "#FFD23A", "#FF3A1A");
    svg.path(Path().M(kX, 150).L(106, 178).L(kX, 182).L(119, 178).Z(), line(t.edge, 1.4, 0.8));
    svg.path(Path().M(74, 186).Q(kX, 212, 151, 186).Q(132, 222, kX, 224).Q(93, 222, 74, 186).Z(),
             fill(t.hole));
    const Style fang = fill("#CDBFA6", 0.9);
    svg.path(Path().M(90, 199).L(95, 214).L(100, 202).Z(), fang);
    svg.path(Path().M(125, 202).L(130, 214).L(135, 199).Z(), fang);
    svg.path(Path().M(101, 236).L(kX, 272).L(124, 236).Q(kX, 246, 101, 236).Z(),
             both("#4A0810", t.edge, 1.4));
}

void weeping(Svg& svg) {
    const mask::Tint t{"#5A2A86", "#1C0A2E", "#9A6AD0", "#000000"};
    svg.path(Path()
                 .M(kX, 42)
                 .C(156, 42, 172, 90, 170, 140)
                 .C(168, 200, 146, 256, kX, 264)
                 .C(79, 256, 57, 200, 55, 140)
                 .C(53, 90, 69, 42, kX, 42)
                 .Z(),
             both(mask::body(svg, t), t.edge, 1.8));
    mirrored(svg, [&] {
        svg.path(
            Path().M(74, 110).Q(100, 104, 105, 124).Q(108, 162, 89, 172).Q(68, 152, 74, 110).Z(),
            fill(t.hole));
        svg.path(Path().M(88, 172).C(85, 196, 91, 214, 84, 244), line(t.hole, 3.2));
        svg.path(Path().M(97, 166).C(97, 182, 100, 196, 97, 210), line(t.hole, 2.0));
    });
    mask::glow(svg, 91, 142, 9, "#F0E0FF", "#B070FF");
    mask::glow(svg, 134, 142, 9, "#F0E0FF", "#B070FF");
    svg.ellipse(kX, 216, 10, 19, fill(t.hole));
    svg.path(Path().M(124, 44).L(118, 62).L(127, 72).L(119, 92).L(123, 100), line(t.hole, 1.6));
    svg.path(Path().M(90, 84).Q(kX, 78, 135, 84), line(t.edge, 1.2, 0.6));
}

void jester(Svg& svg) {
    const mask::Tint t{"#215C34", "#08200F", "#3F9A5C", "#000000"};
    const char* bell_body = "#6A4E12";
    const char* bell_edge = "#C0962E";
    const std::string shade = svg.linear(0, 0, 0, 1, {{0, "#3A1A4A"}, {1, "#12061A"}});
    const std::string green_body = mask::body(svg, t);
    svg.path(Path().M(86, 104).C(76, 78, 60, 62, 38, 50).C(60, 76, 70, 96, 72, 116).Z(),
             both(shade, "#7A4A9A", 1.4));
    svg.path(Path().M(139, 104).C(149, 78, 165, 62, 187, 50).C(165, 76, 155, 96, 153, 116).Z(),
             both(shade, "#7A4A9A", 1.4));
    svg.path(Path().M(96, 100).C(100, 70, 106, 46, kX, 22).C(119, 46, 125, 70, 129, 100).Z(),
             both(green_body, t.edge, 1.4));
    mask::bell(svg, 38, 50, 7, bell_body, bell_edge);
    mask::bell(svg, kX, 22, 7, bell_body, bell_edge);
    mask::bell(svg, 187, 50, 7, bell_body, bell_edge);
    svg.path(Path()
                 .M(kX, 96)
                 .C(152, 96, 170, 120, 168, 156)
                 .C(166, 196, 144, 230, kX, 246)
                 .C(81, 230, 59, 196, 57, 156)
                 .C(55, 120, 73, 96, kX, 96)
                 .Z(),
             both(green_body, t.edge, 1.8));
    Path band;
    band.M(62, 112).C(80, 96, 145, 96, 163, 112);
    for (int i = 8; i >= 0; --i) {
        double x = 62 + 101 * i / 8.0;
        double y = 118 - 0.0016 * (x - kX) * (x - kX) * 4;
        band.L(x, i % 2 == 0 ? y + 8 : y);
    }
    svg.path(band.Z(), both(bell_body, bell_edge, 1.0));
    mirrored(svg, [&] {
        svg.path(Path().M(72, 146).Q(90, 132, 106, 154).Q(90, 158, 72, 146).Z(), fill(t.hole));
        svg.path(Path().M(86, 160).L(91, 172).L(86, 184).L(81, 172).Z(), fill(t.hole));
    });
    mask::glow(svg, 92, 150, 11, "#E8FF7A", "#6AFF3A");
    mask::glow(svg, 133, 150, 11, "#E8FF7A", "#6AFF3A");
    svg.path(Path().M(64, 184).Q(kX, 240, 161, 184).Q(kX, 206, 64, 184).Z(), fill(t.hole));
    Path teeth;
    teeth.M(74, 192);
    for (int i = 1; i <= 12; ++i) {
        double x = 74 + 77 * i / 12.0;
        double top = 191 + 0.0035 * (x - kX) * (x - kX) * -1 + 12;
        teeth.L(x - 77 / 24.0, i % 2 == 1 ? top + 9 : top).L(x, top);
    }
    svg.path(teeth, line("#9FB8A0", 1.3, 0.85));
}

void plague(Svg& svg) {
    const mask::Tint t{"#22366A", "#070E24", "#5477C0", "#000000"};
    const std::string body_paint = mask::body(svg, t);
    const std::string beak = svg.linear(0, 0, 1, 1, {{0, "#2A427E"}, {1, "#060B1C"}});
    svg.path(Path().M(72, 34).L(153, 34).L(158, 82).L(67, 82).Z(), both("#0C1430", t.edge, 1.4));
    svg.rect(68, 70, 89, 8, 0, both("#4A3A14", "#9C7E2E", 1.0));
    svg.ellipse(kX, 84, 78, 12, both("#0C1430", t.edge, 1.4));
    svg.path(Path()
                 .M(kX, 92)
                 .C(156, 92, 168, 120, 166, 156)
                 .C(164, 190, 144, 212, kX, 214)
                 .C(81, 212, 61, 190, 59, 156)
                 .C(57, 120, 69, 92, kX, 92)
                 .Z(),
             both(body_paint, t.edge, 1.8));
    svg.path(Path()
                 .M(92, 164)
                 .C(122, 168, 168, 206, 196, 268)
                 .C(160, 240, 124, 220, 98, 204)
                 .C(86, 194, 84, 174, 92, 164)
                 .Z(),
             both(beak, t.edge, 1.6));
    svg.path(Path().M(104, 176).C(130, 186, 160, 214, 184, 252), line(t.edge, 1.0, 0.7));
    for (double k : {0.25, 0.45, 0.65}) {
        double x = 100 + 86 * k;
        double y = 178 + 76 * k * k + 20 * k;
        svg.path(Path().M(x - 7, y + 6).L(x + 5, y - 8), line("#9C7E2E", 1.2, 0.9));
    }
    svg.path(Path().M(60, 136).L(165, 136), line("#3A2A10", 4));
    mirrored(svg, [&] {
        svg.circle(88, 138, 17, both(t.hole, "#9AA8C8", 3.2));
        svg.circle(88, 138, 12.5, line("#5C6A8A", 1.0));
    });
    mask::glow(svg, 88, 138, 15, "#DDF4FF", "#4AA0FF");
    mask::glow(svg, 137, 138, 15, "#DDF4FF", "#4AA0FF");
}

void sun(Svg& svg) {
    const mask::Tint t{"#7A5E18", "#2C2005", "#C9A23A", "#000000"};
    const double cy = 150;
    const std::string ray_paint = svg.radial(kX, cy, 104, {{0.5, "#6A5214"}, {1, "#1E1603"}}, true);
    Path rays;
    for (int i = 0; i < 16; ++i) {
        double a0 = 2.0 * std::numbers::pi * i / 16.0;
        double a1 = a0 + std::numbers::pi / 16.0;
        double a2 = a0 + 2.0 * std::numbers::pi / 16.0;
        double reach = i % 2 == 0 ? 100.0 : 84.0;
        double inner = 56.0;
        if (i == 0) {
            rays.M(kX + inner * std::cos(a0), cy + inner * std::sin(a0));
        }
        rays.L(kX + reach * std::cos(a1), cy + reach * std::sin(a1));
        rays.L(kX + inner * std::cos(a2), cy + inner * std::sin(a2));
    }
    svg.path(rays.Z(), both(ray_paint, t.edge, 1.3));
    svg.circle(kX, cy, 62, both(mask::body(svg, t), t.edge, 1.8));
    svg.circle(kX, cy, 56, line(t.edge, 0.8, 0.6));
    mirrored(svg, [&] {
        svg.path(Path().M(76, 126).Q(92, 116, 106, 128), line("#1A1203", 3.0));
        svg.path(Path().M(76, 142).Q(92, 132, 106, 144).Q(92, 150, 76, 142).Z(), fill(t.hole));
        svg.path(Path().M(78, 170).C(70, 166, 70, 178, 78, 178).C(84, 178, 84, 170, 80, 170),
                 line(t.edge, 1.0, 0.7));
    });
    mask::glow(svg, 92, 142, 10, "#FFE27A", "#FF9A1A");
    mask::glow(svg, 133, 142, 10, "#FFE27A", "#FF9A1A");
    svg.path(Path().M(kX, 130).L(kX, 170).M(107, 172).Q(kX, 176, 118, 172), line("#1A1203", 1.6));
    svg.path(Path().M(90, 186).Q(kX, 196, 137, 180).L(140, 176), line(t.hole, 3.0));
}

}  // namespace

Svg dark_mask(int which) {
    static const char* const kHalo[] = {"#5A0A14", "#3A1458", "#0E4A22", "#142C66", "#5A4510"};
    static const char* const kRim[] = {"#7A1420", "#5A2A86", "#1E6A36", "#2A4A8E", "#8A6A1A"};
    Svg svg = mask::ground(true, kHalo[which % 5], kRim[which % 5]);
    switch (which % 5) {
        case 0:
            devil(svg);
            break;
        case 1:
            weeping(svg);
            break;
        case 2:
            jester(svg);
            break;
        case 3:
            plague(svg);
            break;
        default:
            sun(svg);
            break;
    }
    return svg;
}

}  // namespace art
