// Four light-hearted masks in pastel tints on a white ground.
#include <cmath>
#include <numbers>

#include "tools/artwork/masks.h"
#include "tools/artwork/palette.h"
#include "tools/artwork/pictures.h"

namespace art {

namespace {

using mask::kX;
using mask::mirrored;

void comedy(Svg& svg) {
    const mask::Tint t{"#FBDDE6", "#EFA6BD", "#B45A7A", "#7A2E4A"};
    const Style ribbon = both("#DCCDF4", "#8A6BB8", 1.2);
    mirrored(svg, [&] {
        svg.path(Path()
                     .M(62, 112)
                     .C(40, 136, 56, 172, 34, 206)
                     .C(46, 204, 54, 198, 62, 190)
                     .C(60, 168, 58, 146, 72, 120)
                     .Z(),
                 ribbon);
    });
    svg.path(Path()
                 .M(kX, 58)
                 .C(158, 58, 176, 96, 172, 146)
                 .C(168, 198, 146, 238, kX, 242)
                 .C(79, 238, 57, 198, 53, 146)
                 .C(49, 96, 67, 58, kX, 58)
                 .Z(),
             both(mask::body(svg, t), t.edge, 2.0));
    svg.ellipse(kX, 86, 34, 16, fill(colour::kWhite, 0.45));
    mirrored(svg, [&] {
        svg.path(Path().M(72, 110).Q(89, 92, 106, 108), line(t.edge, 3.2));
        svg.path(Path().M(75, 136).Q(90, 112, 106, 133).Q(90, 126, 75, 136).Z(),
                 both(t.hole, t.edge, 1.2));
        svg.circle(80, 170, 12, fill("#F27EA0", 0.45));
        svg.path(Path().M(73, 186).Q(70, 180, 74, 174), line(t.edge, 1.6));
    });
    svg.path(Path().M(kX, 128).L(107, 160).Q(kX, 166, 118, 160), line(t.edge, 2.0));
    svg.path(Path().M(76, 180).Q(kX, 236, 149, 180).Q(kX, 202, 76, 180).Z(),
             both(t.hole, t.edge, 1.6));
}

void tragedy(Svg& svg) {
    const mask::Tint t{"#DDEBFB", "#A6C4EC", "#4F78AD", "#223D66"};
    svg.path(Path()
                 .M(kX, 54)
                 .C(156, 54, 172, 92, 170, 142)
                 .C(168, 196, 144, 246, kX, 250)
                 .C(81, 246, 57, 196, 55, 142)
                 .C(53, 92, 69, 54, kX, 54)
                 .Z(),
             both(mask::body(svg, t), t.edge, 2.0));
    svg.ellipse(kX, 82, 32, 14, fill(colour::kWhite, 0.45));
    svg.path(Path().M(92, 74).Q(kX, 68, 133, 74).M(96, 84).Q(kX, 79, 129, 84), line(t.edge, 1.4));
    mirrored(svg, [&] {
        svg.path(Path().M(72, 116).Q(90, 112, 105, 97), line(t.edge, 3.2));
        svg.path(Path().M(72, 140).Q(84, 118, 106, 122).Q(100, 146, 72, 140).Z(),
                 both(t.hole, t.edge, 1.2));
        svg.path(Path().M(72, 174).Q(80, 184, 78, 196), line(t.edge, 1.6));
    });
    const Style tear = both("#8FB6E8", t.edge, 1.0);
    svg.path(Path().M(86, 150).C(81, 160, 81, 166, 86, 166).C(91, 166, 91, 160, 86, 150).Z(), tear);
    svg.path(Path().M(80, 174).C(76, 182, 76, 187, 80, 187).C(84, 187, 84, 182, 80, 174).Z(), tear);
    svg.path(Path().M(kX, 126).L(107, 164).Q(kX, 169, 118, 164), line(t.edge, 2.0));
    svg.path(Path().M(80, 218).Q(kX, 170, 145, 218).Q(kX, 196, 80, 218).Z(),
             both(t.hole, t.edge, 1.6));
}

void feather(Svg& svg, double x, double y, double angle, double len, const char* paint,
             const char* edge) {
    svg.group(rotate(angle, x, y));
    svg.path(Path()
                 .M(x, y)
                 .C(x - 9, y - len * 0.3, x - 8, y - len * 0.8, x, y - len)
                 .C(x + 8, y - len * 0.8, x + 9, y - len * 0.3, x, y)
                 .Z(),
             both(paint, edge, 1.0));
    svg.path(Path().M(x, y).L(x, y - len * 0.92), line(edge, 0.9));
    for (double k = 0.3; k < 0.9; k += 0.15) {
        svg.path(Path()
                     .M(x, y - len * k)
                     .L(x - 5, y - len * (k + 0.08))
                     .M(x, y - len * k)
                     .L(x + 5, y - len * (k + 0.08)),
                 line(edge, 0.6));
    }
    svg.end();
}

void colombina(Svg& svg) {
    const mask::Tint t{"#DDF5E1", "#A8DDB3", "#4E8E5E", "#2C5A3A"};
    const char* gold = "#E4C878";
    svg.path(Path().M(92, 170).L(58, 272), line("#B89AD6", 6));
    svg.path(Path().M(80, 208).L(70, 214).M(74, 226).L(64, 232).M(68, 244).L(58, 250),
             line("#F6CBD8", 2.4));
    feather(svg, 150, 124, 12, 86, "#BDE7E0", "#4E8E8A");
    feather(svg, 156, 128, 34, 80, "#F6CBD8", "#B45A7A");
    feather(svg, 160, 134, 56, 70, "#F5E7A8", "#A88A2E");
    feather(svg, 146, 124, -10, 76, "#D7C8F2", "#7A5CAA");
    svg.path(Path()
                 .M(38, 152)
                 .C(46, 118, 84, 110, kX, 128)
                 .C(141, 110, 179, 118, 187, 152)
                 .C(179, 184, 141, 188, kX, 170)
                 .C(84, 188, 46, 184, 38, 152)
                 .Z(),
             both(mask::body(svg, t), t.edge, 2.0));
    mirrored(svg, [&] {
        svg.path(Path().M(64, 150).Q(82, 132, 101, 150).Q(82, 160, 64, 150).Z(),
                 both(t.hole, t.edge, 1.2));
        svg.path(
            Path().M(48, 148).C(50, 132, 66, 124, 80, 128).M(60, 168).C(72, 176, 88, 176, 98, 170),
            line(gold, 2.2));
        for (double x = 56; x < 100; x += 8) {
            svg.circle(x, 180 - 0.012 * (x - 78) * (x - 78), 1.8,
                       both(colour::kWhite, t.edge, 0.6));
        }
    });
    svg.path(Path().M(kX, 114).C(118, 120, 118, 128, kX, 134).C(107, 128, 107, 120, kX, 114).Z(),
             both("#F6CBD8", "#B45A7A", 1.0));
}

void harlequin(Svg& svg) {
    const mask::Tint t{"#EEE4FA", "#C6B0EA", "#7A5CAA", "#3E2A60"};
    const char* bell_paint = "#F2E2A4";
    const char* bell_edge = "#A88A2E";
    svg.path(Path().M(72, 104).C(58, 84, 48, 64, 40, 42).C(62, 50, 84, 70, 104, 92).Z(),
             both("#F8CFDC", "#B45A7A", 1.4));
    svg.path(Path().M(153, 104).C(167, 84, 177, 64, 185, 42).C(163, 50, 141, 70, 121, 92).Z(),
             both("#C9DEF8", "#4F78AD", 1.4));
    mask::bell(svg, 40, 42, 7, bell_paint, bell_edge);
    mask::bell(svg, 185, 42, 7, bell_paint, bell_edge);
    svg.path(Path()
                 .M(kX, 86)
                 .C(154, 86, 170, 118, 168, 158)
                 .C(166, 200, 142, 232, kX, 236)
                 .C(83, 232, 59, 200, 57, 158)
                 .C(55, 118, 71, 86, kX, 86)
                 .Z(),
             both(mask::body(svg, t), t.edge, 2.0));
    svg.path(Path().M(62, 108).C(80, 86, 145, 86, 163, 108).C(145, 98, 80, 98, 62, 108).Z(),
             both(bell_paint, bell_edge, 1.2));
    const Style pink = both("#F8CFDC", t.edge, 0.8);
    const Style yellow = both("#F5E7A8", t.edge, 0.8);
    const double cells[][2] = {{72, 178}, {84, 196}, {96, 178}, {141, 122}, {153, 140}, {129, 140}};
    for (int i = 0; i < 6; ++i) {
        double x = cells[i][0];
        double y = cells[i][1];
        svg.path(Path().M(x, y - 9).L(x + 6, y).L(x, y + 9).L(x - 6, y).Z(),
                 i % 2 == 0 ? pink : yellow);
    }
    mirrored(svg, [&] {
        svg.path(Path().M(89, 134).L(102, 146).L(89, 158).L(76, 146).Z(),
                 both(t.hole, t.edge, 1.2));
        svg.path(Path().M(74, 124).Q(89, 116, 104, 126), line(t.edge, 2.4));
    });
    Path star;
    for (int i = 0; i < 10; ++i) {
        double a = std::numbers::pi * (i / 5.0 - 0.5);
        double r = i % 2 == 0 ? 7.0 : 3.0;
        double x = 140 + r * std::cos(a);
        double y = 172 + r * std::sin(a);
        i == 0 ? star.M(x, y) : star.L(x, y);
    }
    svg.path(star.Z(), both("#F5E7A8", bell_edge, 0.8));
    svg.path(Path().M(kX, 150).L(109, 176).Q(kX, 180, 116, 176), line(t.edge, 1.8));
    svg.path(Path().M(92, 196).Q(114, 214, 138, 190).Q(116, 204, 92, 196).Z(),
             both(t.hole, t.edge, 1.4));
}

}  // namespace

Svg pale_mask(int which) {
    static const char* const kHalo[] = {"#FDE3EC", "#E2EEFC", "#E2F6E6", "#EEE6FB"};
    static const char* const kRim[] = {"#E9A8BE", "#9DBCE6", "#9FD3AA", "#BFA8E6"};
    Svg svg = mask::ground(false, kHalo[which % 4], kRim[which % 4]);
    switch (which % 4) {
        case 0:
            comedy(svg);
            break;
        case 1:
            tragedy(svg);
            break;
        case 2:
            colombina(svg);
            break;
        default:
            harlequin(svg);
            break;
    }
    return svg;
}

}  // namespace art
