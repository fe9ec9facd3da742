#include "tools/artwork/masks.h"

#include "tools/artwork/card.h"
#include "tools/artwork/palette.h"

namespace art::mask {

Svg ground(bool dark, const char* halo, const char* rim) {
    Svg svg(kCardW, kCardH);
    if (dark) {
        card_ground(svg, "#060508", "#2C2A33");
    } else {
        card_ground(svg, colour::kWhite, colour::kBorder);
    }
    const std::string soft =
        svg.radial(kCardCx, kCardCy, 130, {{0, halo, dark ? 0.55 : 0.7}, {1, halo, 0.0}}, true);
    svg.ellipse(kCardCx, kCardCy, 104, 140, fill(soft));
    const double in = 8.0;
    svg.rect(in, in, kCardW - 2 * in, kCardH - 2 * in, kCardRadius - 4, line(rim, 1.6));
    return svg;
}

void mirrored(Svg& svg, const std::function<void()>& part) {
    part();
    svg.group(mirror_x(kX));
    part();
    svg.end();
}

void glow(Svg& svg, double x, double y, double r, const char* core, const char* mid) {
    const std::string g = svg.radial(
        x, y, r, {{0, colour::kWhite}, {0.18, core}, {0.5, mid, 0.7}, {1, mid, 0.0}}, true);
    svg.circle(x, y, r, fill(g));
}

void bell(Svg& svg, double x, double y, double r, const char* body_colour, const char* edge) {
    svg.circle(x, y, r, both(body_colour, edge, 1.0));
    svg.path(Path().M(x - r * 0.65, y + r * 0.2).L(x + r * 0.65, y + r * 0.2), line(edge, 1.2));
    svg.circle(x, y + r * 0.55, r * 0.18, fill(edge));
}

std::string body(Svg& svg, const Tint& t) {
    return svg.linear(0, 0, 0, 1, {{0, t.light}, {1, t.deep}});
}

}  // namespace art::mask
