// The king, queen and jack: the top half of each picture.
#include "tools/artwork/court.h"
#include "tools/artwork/palette.h"

namespace art::court {

namespace {

const char* const kBeard = "#EEEAE2";
const char* const kBeardLine = "#A9A196";
const char* const kBrown = "#6E4322";
const char* const kWood = "#7A4A24";

void pearl(Svg& svg, double x, double y, double r) {
    svg.circle(x, y, r, both(colour::kWhite, colour::kSilverDark, 0.5));
}

void ermine_spot(Svg& svg, double x, double y) {
    svg.path(Path().M(x, y - 2.2).L(x + 1.3, y + 2).L(x, y + 1.2).L(x - 1.3, y + 2).Z(),
             fill(colour::kInk));
}

void medallion(Svg& svg, const Ink& ink, double x, double y) {
    svg.circle(x, y, 7.5, both(ink.gold, colour::kGoldDark, 0.9));
    draw_suit(svg, ink.suit, x, y, 8.5, false, ink.solid);
}

void sword(Svg& svg, const Ink& ink) {
    svg.path(Path().M(151, 122).L(151, 41).L(154, 31).L(157, 41).L(157, 122).Z(),
             both(ink.steel, colour::kOutline, 0.9));
    svg.line_seg(154, 43, 154, 119, line(colour::kSilverDark, 0.7));
    svg.rect(151.5, 125, 5, 19, 1, both(kWood, colour::kOutline, 0.8));
    svg.rect(140, 120.5, 28, 5, 2.5, both(ink.gold, colour::kGoldDark, 0.9));
    svg.circle(140, 123, 2.6, both(ink.gold, colour::kGoldDark, 0.8));
    svg.circle(168, 123, 2.6, both(ink.gold, colour::kGoldDark, 0.8));
    svg.circle(154, 146, 3, both(ink.gold, colour::kGoldDark, 0.8));
    arm(svg, ink, 126, 143, 146, 145, 154, 134);
}

void crown(Svg& svg, const Ink& ink) {
    svg.path(Path().M(97, 63).C(95, 46, 130, 46, 128, 63).Z(),
             both(ink.velvet, colour::kOutline, ink.outline));
    Path pts;
    pts.M(95, 63).L(92.5, 44).L(98.5, 55).L(102.5, 46).L(107, 55).L(112.5, 36.5).L(118, 55);
    pts.L(122.5, 46).L(126.5, 55).L(132.5, 44).L(130, 63).Z();
    svg.path(pts, both(ink.gold, colour::kGoldDark, 1.0));
    for (const auto& b :
         {std::pair{92.5, 44.0}, {102.5, 46.0}, {112.5, 36.5}, {122.5, 46.0}, {132.5, 44.0}}) {
        svg.circle(b.first, b.second, 2.3, both(ink.gold, colour::kGoldDark, 0.8));
    }
    svg.rect(94, 59.5, 37, 7.5, 1.5, both(ink.gold, colour::kGoldDark, 1.0));
    svg.ellipse(112.5, 63.2, 3.2, 2.5, both(ink.velvet, colour::kGoldDark, 0.6));
    pearl(svg, 102.5, 63.2, 1.7);
    pearl(svg, 122.5, 63.2, 1.7);
}

}  // namespace

void king_half(Svg& svg, const Ink& ink) {
    robe(svg, ink);
    robe_pattern(svg, ink);
    svg.rect(104, 116, 17, 34, 0, both(ink.blue, colour::kOutline, 0.8));
    svg.line_seg(106.5, 118, 106.5, 150, line(colour::kGold, 1.2));
    svg.line_seg(118.5, 118, 118.5, 150, line(colour::kGold, 1.2));
    svg.path(Path()
                 .M(96, 66)
                 .C(91, 78, 91, 94, 96, 102)
                 .C(102, 106, 123, 106, 129, 102)
                 .C(134, 94, 134, 78, 129, 66)
                 .Z(),
             both(kBeard, colour::kOutline, ink.outline));
    svg.path(Path()
                 .M(87, 103.5)
                 .L(138, 103.5)
                 .C(134, 112, 125, 118.5, 112.5, 119.5)
                 .C(100, 118.5, 91, 112, 87, 103.5)
                 .Z(),
             both(colour::kWhite, colour::kOutline, ink.outline));
    for (const auto& s :
         {std::pair{95.0, 108.0}, {103.0, 113.5}, {122.0, 113.5}, {130.0, 108.0}, {112.5, 116.0}}) {
        ermine_spot(svg, s.first, s.second);
    }
    head(svg, ink, false, false);
    svg.path(Path()
                 .M(98.5, 84)
                 .C(99, 99, 105, 109, 112.5, 113)
                 .C(120, 109, 126, 99, 126.5, 84)
                 .C(122, 91, 118, 94.5, 112.5, 94.5)
                 .C(107, 94.5, 103, 91, 98.5, 84)
                 .Z(),
             both(kBeard, colour::kOutline, ink.outline));
    svg.path(Path()
                 .M(106, 97)
                 .Q(107, 104, 110, 108)
                 .M(119, 97)
                 .Q(118, 104, 115, 108)
                 .M(112.5, 98)
                 .L(112.5, 110),
             line(kBeardLine, 0.8));
    svg.path(Path()
                 .M(104.5, 90.5)
                 .C(107.5, 87.5, 110.5, 88, 112.5, 90)
                 .C(114.5, 88, 117.5, 87.5, 120.5, 90.5)
                 .C(117.5, 92.5, 114.5, 92.5, 112.5, 91.2)
                 .C(110.5, 92.5, 107.5, 92.5, 104.5, 90.5)
                 .Z(),
             both(kBeard, kBeardLine, 0.7));
    crown(svg, ink);
    svg.path(Path().M(96, 113).Q(112.5, 136, 129, 113), line(colour::kGold, 1.8));
    medallion(svg, ink, 112.5, 130);
    sword(svg, ink);
}

void queen_half(Svg& svg, const Ink& ink) {
    const std::string hair = svg.linear(0, 0, 0, 1, {{0, "#F0C25A"}, {1, "#A8731C"}});
    robe(svg, ink);
    robe_pattern(svg, ink);
    svg.path(Path()
                 .M(95, 64)
                 .C(90, 74, 89, 92, 86, 104)
                 .C(84, 112, 80, 118, 75, 122)
                 .C(88, 125, 97, 116, 101, 106)
                 .L(124, 106)
                 .C(128, 116, 137, 125, 150, 122)
                 .C(145, 118, 141, 112, 139, 104)
                 .C(136, 92, 135, 74, 130, 64)
                 .C(126, 50, 99, 50, 95, 64)
                 .Z(),
             both(hair, colour::kOutline, ink.outline));
    svg.path(Path().M(92, 80).C(90, 94, 88, 106, 82, 118).M(133, 80).C(135, 94, 137, 106, 143, 118),
             line("#8C5E16", 0.8));
    svg.path(Path().M(101, 117).Q(112.5, 122, 124, 117).L(120, 150).L(105, 150).Z(),
             both(ink.blue, colour::kOutline, 0.8));
    svg.path(Path()
                 .M(106, 124)
                 .L(119, 130)
                 .M(119, 124)
                 .L(106, 130)
                 .M(106, 134)
                 .L(119, 140)
                 .M(119, 134)
                 .L(106, 140),
             line(colour::kGold, 1.0));
    head(svg, ink, true, true);
    svg.path(Path().M(97, 103.5).L(128, 103.5).L(124, 116).Q(112.5, 121, 101, 116).Z(),
             both(ink.skin, colour::kOutline, 0.8));
    svg.path(Path().M(96.5, 103.5).L(101, 116.5).Q(112.5, 121.5, 124, 116.5).L(128.5, 103.5),
             line(colour::kGold, 2.2));
    for (int i = 0; i <= 8; ++i) {
        double t = i / 8.0;
        double x = 101 + 23 * t;
        double y = 106 + 9 * 4 * t * (1 - t);
        pearl(svg, x, y, 1.2);
    }
    svg.path(Path()
                 .M(112.5, 115)
                 .C(115, 118, 115, 121, 112.5, 122)
                 .C(110, 121, 110, 118, 112.5, 115)
                 .Z(),
             both(ink.velvet, colour::kGoldDark, 0.5));
    svg.path(Path()
                 .M(98.5, 73)
                 .C(99.5, 62, 108, 60, 112.5, 63)
                 .C(117, 60, 125.5, 62, 126.5, 73)
                 .C(122, 66.5, 116, 65.5, 112.5, 67.5)
                 .C(109, 65.5, 103, 66.5, 98.5, 73)
                 .Z(),
             both(hair, colour::kOutline, 0.8));
    Path tiara;
    tiara.M(99.5, 64).L(101, 57).L(105.5, 60.5).L(109, 53).L(112.5, 45.5).L(116, 53).L(119.5, 60.5);
    tiara.L(124, 57).L(125.5, 64).C(117, 61.5, 108, 61.5, 99.5, 64).Z();
    svg.path(tiara, both(ink.gold, colour::kGoldDark, 0.9));
    pearl(svg, 101, 57, 1.8);
    pearl(svg, 112.5, 45.5, 2);
    pearl(svg, 124, 57, 1.8);
    svg.ellipse(112.5, 57.5, 2.2, 3, both(ink.velvet, colour::kGoldDark, 0.5));
    // A tulip held in the left hand.
    const Style leaf = both(colour::kGreen, colour::kGreenDark, 0.7);
    svg.path(Path().M(81, 138).C(79, 124, 77, 110, 75, 96), line(colour::kGreenDark, 1.8));
    svg.path(Path().M(78, 118).C(70, 114, 66, 108, 65, 102).C(72, 105, 77, 111, 78, 118).Z(), leaf);
    svg.path(Path().M(79, 125).C(86, 121, 90, 115, 91, 109).C(85, 112, 81, 117, 79, 125).Z(), leaf);
    const Style petal = both(ink.velvet, colour::kGoldDark, 0.8);
    svg.path(Path().M(75, 98).C(68, 97, 65, 90, 66, 81).C(70, 84, 73, 90, 75, 98).Z(), petal);
    svg.path(Path().M(75, 98).C(82, 97, 85, 90, 84, 81).C(80, 84, 77, 90, 75, 98).Z(), petal);
    svg.path(Path().M(75, 79).C(80, 83, 81, 92, 75, 98).C(69, 92, 70, 83, 75, 79).Z(), petal);
    arm(svg, ink, 100, 143, 84, 146, 81, 136);
}

void jack_half(Svg& svg, const Ink& ink) {
    robe(svg, ink);
    robe_pattern(svg, ink);
    for (double y = 116; y < 146; y += 9) {
        svg.path(Path().M(90, y).L(112.5, y + 8).L(135, y), line(colour::kGold, 2.0));
    }
    svg.path(
        Path().M(96, 68).C(92, 80, 91, 96, 94, 104).L(131, 104).C(134, 96, 133, 80, 129, 68).Z(),
        both(kBrown, colour::kOutline, ink.outline));
    svg.circle(94.5, 103, 4.5, both(kBrown, colour::kOutline, 0.8));
    svg.circle(130.5, 103, 4.5, both(kBrown, colour::kOutline, 0.8));
    svg.path(Path().M(91, 103.5).L(134, 103.5).L(129, 111.5).Q(112.5, 116, 96, 111.5).Z(),
             both(ink.blue, colour::kOutline, 0.9));
    svg.path(Path().M(96, 111.5).Q(112.5, 116, 129, 111.5), line(colour::kGold, 1.6));
    head(svg, ink, false, true);
    svg.path(Path()
                 .M(106.5, 90.2)
                 .C(109, 88.6, 111, 88.8, 112.5, 89.8)
                 .C(114, 88.8, 116, 88.6, 118.5, 90.2)
                 .C(116, 90.4, 114, 90.8, 112.5, 90.6)
                 .C(111, 90.8, 109, 90.4, 106.5, 90.2)
                 .Z(),
             fill(kBrown));
    svg.path(Path()
                 .M(99, 72)
                 .C(102, 65, 110, 64, 114, 67)
                 .C(118, 64, 124, 66, 126.5, 72)
                 .C(120, 68.5, 108, 68.5, 99, 72)
                 .Z(),
             both(kBrown, colour::kOutline, 0.8));
    // Beret with a gold band and two plumes.
    svg.path(Path().M(127, 56).C(136, 44, 146, 34, 161, 25).C(161, 38, 150, 50, 131, 61).Z(),
             both(ink.blue, colour::kOutline, 0.9));
    svg.path(Path().M(130, 59).C(140, 48, 150, 37, 160, 27), line(colour::kGoldLight, 0.9));
    svg.path(Path().M(125, 55).C(129, 43, 135, 34, 145, 28).C(146, 39, 140, 49, 129, 59).Z(),
             both(ink.gold, colour::kGoldDark, 0.8));
    svg.path(Path()
                 .M(93, 67)
                 .C(87, 56, 98, 45.5, 112, 44.5)
                 .C(128, 43.5, 140, 52, 134.5, 64.5)
                 .C(122, 61, 104, 61.5, 93, 67)
                 .Z(),
             both(ink.robe, colour::kOutline, ink.outline));
    svg.path(Path()
                 .M(93.5, 66.5)
                 .C(105, 61.5, 122, 60.5, 134.5, 64)
                 .L(135, 68.5)
                 .C(122, 65, 105, 66, 94.5, 71)
                 .Z(),
             both(ink.gold, colour::kGoldDark, 0.8));
    pearl(svg, 131, 65.5, 2.2);
    // Halberd in the left hand.
    svg.rect(68, 43, 4, 104, 1, both(kWood, colour::kOutline, 0.8));
    svg.path(Path().M(67.3, 44).L(70, 29).L(72.7, 44).Z(), both(ink.steel, colour::kOutline, 0.8));
    svg.path(Path().M(68, 51).C(59, 49, 54, 56, 53.5, 67).C(58.5, 62, 64, 62, 68, 64).Z(),
             both(ink.steel, colour::kOutline, 0.8));
    svg.path(Path().M(72, 54).L(80, 57.5).L(72, 61).Z(), both(ink.steel, colour::kOutline, 0.8));
    svg.rect(66.5, 64, 7, 3, 1, both(ink.gold, colour::kGoldDark, 0.6));
    arm(svg, ink, 98, 143, 76, 146, 70, 133);
}

}  // namespace art::court
