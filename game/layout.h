#pragma once

#include <array>
#include <span>
#include <string_view>

#include "game/controls.h"

namespace quillon {

enum class ControlKind { label, picture, frame, timer };
enum class Container { window, Frame1, Frame2, Frame3 };
enum class Align { left, center, right };

struct FontSpec {
    std::string_view family;  // the design's font name; the window substitutes what the system has
    double points = 0;
    bool bold = false;
};

// One control of the table window as the design lays it out: where it sits, how it looks and
// its state when the window starts. Positions are twips, relative to the container.
struct ControlLayout {
    std::string_view name;
    int index = -1;  // the element of a control array, -1 for a single control
    ControlKind kind = ControlKind::label;
    Container container = Container::window;
    int left = 0, top = 0, width = 0, height = 0;
    FontSpec font;
    Align align = Align::left;
    bool border = false;       // single-line border
    bool transparent = false;  // the container's background shows through
    bool auto_size = false;    // the label takes the size of its caption
    bool clickable = false;    // a button: reacts to clicks while enabled, shows the custom cursor
    std::string_view picture;  // the artwork a picture shows
    // State at start-up.
    std::string_view caption;
    Color fore = colors::white;
    Color back = colors::table;
    bool visible = true;
    bool enabled = true;
    int interval_ms = 0;
};

// Every control of the table window in stacking order, bottom first.
std::span<const ControlLayout> table_layout();
const ControlLayout* find_layout(std::string_view name, int index);

// The table window's client area, in twips.
inline constexpr int kClientWidth = 10185;
inline constexpr int kClientHeight = 6945;
inline constexpr int kWindowWidth = 10305;
inline constexpr int kWindowHeight = 7350;

// The Left of a card at slot 0 to 4, inside Frame1.
inline constexpr std::array<int, 5> kSlotLeft = {240, 1680, 3120, 4560, 6000};

}  // namespace quillon
