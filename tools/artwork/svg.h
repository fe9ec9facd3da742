// Minimal SVG Tiny 1.2 writer: shapes, paths, groups and gradients.
#pragma once

#include <string>
#include <vector>

namespace art {

// Compact decimal text for coordinates ("12.5", "-3", "0.25").
std::string num(double v);

// Transform helpers producing SVG transform strings.
std::string translate(double x, double y);
std::string rotate(double deg, double cx, double cy);
std::string scale(double s);
std::string mirror_x(double axis);  // reflect about the vertical line x = axis

struct Stop {
    double offset;
    std::string color;
    double opacity = 1.0;
};

// Paint and stroke settings shared by every shape.
struct Style {
    std::string fill = "none";
    std::string stroke = "none";
    double width = 0.0;
    double fill_opacity = 1.0;
    double stroke_opacity = 1.0;
    bool round = true;  // round caps and joins
    std::string attrs() const;
};

Style fill(const std::string& color, double opacity = 1.0);
Style line(const std::string& color, double width, double opacity = 1.0);
Style both(const std::string& fill_color, const std::string& stroke_color, double width);

// Path data builder with absolute commands only.
class Path {
  public:
    Path& M(double x, double y);
    Path& L(double x, double y);
    Path& H(double x);
    Path& V(double y);
    Path& C(double x1, double y1, double x2, double y2, double x, double y);
    Path& Q(double x1, double y1, double x, double y);
    Path& A(double rx, double ry, double rot, bool large, bool sweep, double x, double y);
    Path& Z();
    // Closed circle as two arcs, drawn clockwise on screen.
    Path& circle(double cx, double cy, double r);
    // Closed polyline through the given points.
    Path& poly(const std::vector<std::pair<double, double>>& pts, bool close = true);
    const std::string& str() const { return d_; }
    bool empty() const { return d_.empty(); }

  private:
    Path& cmd(char c, std::initializer_list<double> values);
    std::string d_;
};

// One SVG document being assembled in memory.
class Svg {
  public:
    Svg(double width, double height);

    void path(const Path& p, const Style& s);
    void path(const std::string& d, const Style& s);
    void rect(double x, double y, double w, double h, double r, const Style& s);
    void circle(double cx, double cy, double r, const Style& s);
    void ellipse(double cx, double cy, double rx, double ry, const Style& s);
    void line_seg(double x1, double y1, double x2, double y2, const Style& s);

    void group(const std::string& transform);
    void end();
    void comment(const std::string& text);

    // Gradients go to <defs>; the returned string is a paint value "url(#id)".
    // Coordinates are in user space when user_space is true, else in the
    // bounding box of the painted shape (0..1).
    std::string linear(double x1, double y1, double x2, double y2, const std::vector<Stop>& stops,
                       bool user_space = false);
    std::string radial(double cx, double cy, double r, const std::vector<Stop>& stops,
                       bool user_space = false);

    std::string str() const;
    bool save(const std::string& file) const;

  private:
    std::string next_id();
    static std::string stops_xml(const std::vector<Stop>& stops);

    double width_;
    double height_;
    int ids_ = 0;
    int depth_ = 0;
    std::string defs_;
    std::string body_;
};

}  // namespace art
