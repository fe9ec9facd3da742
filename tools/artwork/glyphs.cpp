#include "tools/artwork/glyphs.h"

#include <stdexcept>

namespace art {

double glyph_width(char g) {
    return g == 'T' ? 27.0 : 20.0;
}

char rank_glyph(int rank) {
    static const char kRanks[] = "A23456789TJQK";
    if (rank < 1 || rank > 13) {
        throw std::out_of_range("rank");
    }
    return kRanks[rank - 1];
}

namespace {

// Two half arcs forming an ellipse centred at (cx, cy).
void oval(Path& p, double cx, double cy, double rx, double ry) {
    p.M(cx, cy - ry).A(rx, ry, 0, false, true, cx, cy + ry).A(rx, ry, 0, false, true, cx, cy - ry);
    p.Z();
}

}  // namespace

Path glyph_path(char g) {
    Path p;
    switch (g) {
        case 'A':
            p.M(1.5, 31.5).L(10, 0.5).L(18.5, 31.5).M(5.2, 20).L(14.8, 20);
            break;
        case '2':
            p.M(2.5, 8).C(3, 3, 6, 0.5, 10, 0.5).C(14.5, 0.5, 17.5, 3.5, 17.5, 8);
            p.C(17.5, 14, 10, 20, 2, 31.5).L(18, 31.5);
            break;
        case '3':
            p.M(3, 3).C(5, 1.2, 7.5, 0.5, 10, 0.5).C(14.5, 0.5, 17, 3.5, 17, 7.5);
            p.C(17, 12, 13.5, 15, 9, 15).C(14, 15, 18, 18, 18, 23).C(18, 28.5, 14, 31.5, 9.5, 31.5);
            p.C(6, 31.5, 3.5, 30, 2, 28);
            break;
        case '4':
            p.M(14, 31.5).L(14, 0.5).L(1.5, 22).L(19, 22);
            break;
        case '5':
            p.M(17, 0.5).L(4.5, 0.5).L(3.5, 14).C(5.5, 12.5, 7.5, 12, 10, 12);
            p.C(15, 12, 18, 15.5, 18, 21.5).C(18, 27.5, 14.5, 31.5, 9.5, 31.5);
            p.C(6, 31.5, 3.5, 30, 2, 28);
            break;
        case '6':
            p.M(16, 2).C(14.5, 1, 12.5, 0.5, 11, 0.5).C(5, 0.5, 2, 7, 2, 17);
            p.C(2, 26, 5, 31.5, 10, 31.5).C(15, 31.5, 18, 27.5, 18, 22);
            p.C(18, 16.5, 15, 13.5, 10.5, 13.5).C(6.5, 13.5, 3.5, 15.5, 2, 19);
            break;
        case '7':
            p.M(2, 0.5).L(18, 0.5).C(12, 9, 8.5, 19, 8, 31.5);
            break;
        case '8':
            oval(p, 10, 8, 6.5, 7.5);
            oval(p, 10, 23.5, 8, 8);
            break;
        case '9':
            p.M(4, 30).C(5.5, 31, 7.5, 31.5, 9, 31.5).C(15, 31.5, 18, 25, 18, 15);
            p.C(18, 6, 15, 0.5, 10, 0.5).C(5, 0.5, 2, 4.5, 2, 10);
            p.C(2, 15.5, 5, 18.5, 9.5, 18.5).C(13.5, 18.5, 16.5, 16.5, 18, 13);
            break;
        case 'T':  // the two digits of 10, condensed
            p.M(1, 5).L(5.5, 0.5).L(5.5, 31.5);
            oval(p, 18.5, 16, 7, 15.5);
            break;
        case 'J':
            p.M(8, 0.5).L(16, 0.5).M(14, 0.5).L(14, 23).C(14, 28.5, 11.5, 31.5, 8, 31.5);
            p.C(4.5, 31.5, 2, 29, 2, 25);
            break;
        case 'Q':
            oval(p, 10, 15.5, 8.5, 15);
            p.M(11.5, 24).L(19, 31.5);
            break;
        case 'K':
            p.M(3, 0.5).L(3, 31.5).M(18, 0.5).L(3, 19.5).M(8.5, 14).L(18.5, 31.5);
            break;
        case 'O':
            oval(p, 10, 16, 8.5, 15.5);
            break;
        case 'E':
            p.M(17, 0.5).L(3, 0.5).L(3, 31.5).L(17, 31.5).M(3, 16).L(14, 16);
            break;
        case 'R':
            p.M(3, 31.5).L(3, 0.5).L(10.5, 0.5).C(15.5, 0.5, 18, 3.5, 18, 8);
            p.C(18, 12.5, 15.5, 16, 10.5, 16).L(3, 16).M(10, 16).L(18, 31.5);
            break;
        default:
            throw std::invalid_argument(std::string("no glyph for ") + g);
    }
    return p;
}

void draw_glyph(Svg& svg, char g, double x, double y, double height, double weight,
                const std::string& paint) {
    double k = height / kGlyphHeight;
    svg.group(translate(x - glyph_width(g) * k / 2.0, y) + " " + scale(k));
    svg.path(glyph_path(g), line(paint, weight / k));
    svg.end();
}

}  // namespace art
