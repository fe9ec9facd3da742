#include "tools/artwork/suits.h"

#include "tools/artwork/palette.h"

namespace art {

char suit_letter(Suit s) {
    switch (s) {
        case Suit::Spades:
            return 's';
        case Suit::Diamonds:
            return 'd';
        case Suit::Clubs:
            return 'c';
        case Suit::Hearts:
            return 'h';
    }
    return '?';
}

bool is_red(Suit s) {
    return s == Suit::Hearts || s == Suit::Diamonds;
}

const char* suit_colour(Suit s) {
    return is_red(s) ? colour::kRed : colour::kInk;
}

namespace {

Path heart() {
    Path p;
    p.M(0, 47)
        .C(-9, 33, -49, 10, -49, -17)
        .C(-49, -37, -34, -47, -21, -47)
        .C(-9, -47, -2, -39, 0, -29)
        .C(2, -39, 9, -47, 21, -47)
        .C(34, -47, 49, -37, 49, -17)
        .C(49, 10, 9, 33, 0, 47)
        .Z();
    return p;
}

Path diamond() {
    Path p;
    p.M(0, -50).Q(15, -22, 39, 0).Q(15, 22, 0, 50).Q(-15, 22, -39, 0).Q(-15, -22, 0, -50).Z();
    return p;
}

Path spade() {
    Path p;
    p.M(0, -50)
        .C(10, -33, 47, -13, 47, 12)
        .C(47, 29, 34, 37, 22, 37)
        .C(12, 37, 6, 32, 3, 25)
        .C(4, 36, 9, 44, 17, 50)
        .L(-17, 50)
        .C(-9, 44, -4, 36, -3, 25)
        .C(-6, 32, -12, 37, -22, 37)
        .C(-34, 37, -47, 29, -47, 12)
        .C(-47, -13, -10, -33, 0, -50)
        .Z();
    return p;
}

Path club() {
    Path p;
    p.circle(0, -25, 22).circle(-25, 12, 22).circle(25, 12, 22);
    p.M(0, -20).L(18, 10).L(0, 22).L(-18, 10).Z();
    p.M(-4, 8).L(4, 8).C(4, 30, 9, 42, 18, 50).L(-18, 50).C(-9, 42, -4, 30, -4, 8).Z();
    return p;
}

}  // namespace

Path suit_shape(Suit s) {
    switch (s) {
        case Suit::Spades:
            return spade();
        case Suit::Diamonds:
            return diamond();
        case Suit::Clubs:
            return club();
        case Suit::Hearts:
            return heart();
    }
    return {};
}

void draw_suit(Svg& svg, Suit s, double cx, double cy, double size, bool flipped,
               const std::string& paint) {
    std::string t = translate(cx, cy);
    if (flipped) {
        t += " rotate(180)";
    }
    t += " " + scale(size / 100.0);
    svg.group(t);
    svg.path(suit_shape(s), fill(paint));
    svg.end();
}

}  // namespace art
