#include "tools/artwork/svg.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace art {

std::string num(double v) {
    if (std::fabs(v) < 0.005) {
        return "0";
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    std::string s = buf;
    while (!s.empty() && s.back() == '0') {
        s.pop_back();
    }
    if (!s.empty() && s.back() == '.') {
        s.pop_back();
    }
    return s;
}

std::string translate(double x, double y) {
    return "translate(" + num(x) + " " + num(y) + ")";
}

std::string rotate(double deg, double cx, double cy) {
    return "rotate(" + num(deg) + " " + num(cx) + " " + num(cy) + ")";
}

std::string scale(double s) {
    return "scale(" + num(s) + ")";
}

std::string mirror_x(double axis) {
    return "matrix(-1 0 0 1 " + num(2.0 * axis) + " 0)";
}

std::string Style::attrs() const {
    std::string a = " fill=\"" + fill + "\"";
    if (fill != "none" && fill_opacity < 1.0) {
        a += " fill-opacity=\"" + num(fill_opacity) + "\"";
    }
    if (stroke != "none") {
        a += " stroke=\"" + stroke + "\" stroke-width=\"" + num(width) + "\"";
        if (stroke_opacity < 1.0) {
            a += " stroke-opacity=\"" + num(stroke_opacity) + "\"";
        }
        if (round) {
            a += " stroke-linecap=\"round\" stroke-linejoin=\"round\"";
        }
    }
    return a;
}

Style fill(const std::string& color, double opacity) {
    Style s;
    s.fill = color;
    s.fill_opacity = opacity;
    return s;
}

Style line(const std::string& color, double width, double opacity) {
    Style s;
    s.stroke = color;
    s.width = width;
    s.stroke_opacity = opacity;
    return s;
}

Style both(const std::string& fill_color, const std::string& stroke_color, double width) {
    Style s;
    s.fill = fill_color;
    s.stroke = stroke_color;
    s.width = width;
    return s;
}

Path& Path::cmd(char c, std::initializer_list<double> values) {
    if (!d_.empty()) {
        d_ += ' ';
    }
    d_ += c;
    bool first = true;
    for (double v : values) {
        if (!first) {
            d_ += ' ';
        }
        d_ += num(v);
        first = false;
    }
    return *this;
}

Path& Path::M(double x, double y) {
    return cmd('M', {x, y});
}
Path& Path::L(double x, double y) {
    return cmd('L', {x, y});
}
Path& Path::H(double x) {
    return cmd('H', {x});
}
Path& Path::V(double y) {
    return cmd('V', {y});
}

Path& Path::C(double x1, double y1, double x2, double y2, double x, double y) {
    return cmd('C', {x1, y1, x2, y2, x, y});
}

Path& Path::Q(double x1, double y1, double x, double y) {
    return cmd('Q', {x1, y1, x, y});
}

Path& Path::A(double rx, double ry, double rot, bool large, bool sweep, double x, double y) {
    return cmd('A', {rx, ry, rot, large ? 1.0 : 0.0, sweep ? 1.0 : 0.0, x, y});
}

Path& Path::Z() {
    d_ += " Z";
    return *this;
}

Path& Path::circle(double cx, double cy, double r) {
    M(cx - r, cy);
    A(r, r, 0, false, true, cx + r, cy);
    A(r, r, 0, false, true, cx - r, cy);
    return Z();
}

Path& Path::poly(const std::vector<std::pair<double, double>>& pts, bool close) {
    for (size_t i = 0; i < pts.size(); ++i) {
        if (i == 0) {
            M(pts[i].first, pts[i].second);
        } else {
            L(pts[i].first, pts[i].second);
        }
    }
    return close ? Z() : *this;
}

Svg::Svg(double width, double height) : width_(width), height_(height) {}

void Svg::path(const Path& p, const Style& s) {
    path(p.str(), s);
}

void Svg::path(const std::string& d, const Style& s) {
    body_ += "<path d=\"" + d + "\"" + s.attrs() + "/>\n";
}

void Svg::rect(double x, double y, double w, double h, double r, const Style& s) {
    body_ += "<rect x=\"" + num(x) + "\" y=\"" + num(y) + "\" width=\"" + num(w) + "\" height=\"" +
             num(h) + "\"";
    if (r > 0) {
        body_ += " rx=\"" + num(r) + "\" ry=\"" + num(r) + "\"";
    }
    body_ += s.attrs() + "/>\n";
}

void Svg::circle(double cx, double cy, double r, const Style& s) {
    body_ += "<circle cx=\"" + num(cx) + "\" cy=\"" + num(cy) + "\" r=\"" + num(r) + "\"" +
             s.attrs() + "/>\n";
}

void Svg::ellipse(double cx, double cy, double rx, double ry, const Style& s) {
    body_ += "<ellipse cx=\"" + num(cx) + "\" cy=\"" + num(cy) + "\" rx=\"" + num(rx) + "\" ry=\"" +
             num(ry) + "\"" + s.attrs() + "/>\n";
}

void Svg::line_seg(double x1, double y1, double x2, double y2, const Style& s) {
    body_ += "<line x1=\"" + num(x1) + "\" y1=\"" + num(y1) + "\" x2=\"" + num(x2) + "\" y2=\"" +
             num(y2) + "\"" + s.attrs() + "/>\n";
}

void Svg::group(const std::string& transform) {
    body_ += transform.empty() ? "<g>\n" : "<g transform=\"" + transform + "\">\n";
    ++depth_;
}

void Svg::end() {
    if (depth_ == 0) {
        throw std::logic_error("unbalanced group");
    }
    body_ += "</g>\n";
    --depth_;
}

void Svg::comment(const std::string& text) {
    body_ += "<!-- " + text + " -->\n";
}

std::string Svg::next_id() {
    return "g" + std::to_string(++ids_);
}

std::string Svg::stops_xml(const std::vector<Stop>& stops) {
    std::string x;
    for (const Stop& s : stops) {
        x += "<stop offset=\"" + num(s.offset) + "\" stop-color=\"" + s.color + "\"";
        if (s.opacity < 1.0) {
            x += " stop-opacity=\"" + num(s.opacity) + "\"";
        }
        x += "/>";
    }
    return x;
}

std::string Svg::linear(double x1, double y1, double x2, double y2, const std::vector<Stop>& stops,
                        bool user_space) {
    std::string id = next_id();
    defs_ += "<linearGradient id=\"" + id + "\" x1=\"" + num(x1) + "\" y1=\"" + num(y1) +
             "\" x2=\"" + num(x2) + "\" y2=\"" + num(y2) + "\"" +
             (user_space ? " gradientUnits=\"userSpaceOnUse\"" : "") + ">" + stops_xml(stops) +
             "</linearGradient>\n";
    return "url(#" + id + ")";
}

std::string Svg::radial(double cx, double cy, double r, const std::vector<Stop>& stops,
                        bool user_space) {
    std::string id = next_id();
    defs_ += "<radialGradient id=\"" + id + "\" cx=\"" + num(cx) + "\" cy=\"" + num(cy) +
             "\" r=\"" + num(r) + "\"" + (user_space ? " gradientUnits=\"userSpaceOnUse\"" : "") +
             ">" + stops_xml(stops) + "</radialGradient>\n";
    return "url(#" + id + ")";
}

std::string Svg::str() const {
    if (depth_ != 0) {
        throw std::logic_error("unclosed group");
    }
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out +=
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" baseProfile=\"tiny\" width=\"" +
        num(width_) + "\" height=\"" + num(height_) + "\" viewBox=\"0 0 " + num(width_) + " " +
        num(height_) + "\">\n";
    if (!defs_.empty()) {
        out += "<defs>\n" + defs_ + "</defs>\n";
    }
    out += body_;
    out += "</svg>\n";
    return out;
}

bool Svg::save(const std::string& file) const {
    std::ofstream f(file, std::ios::binary);
    f << str();
    return static_cast<bool>(f);
}

}  // namespace art
