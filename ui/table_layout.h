#pragma once

#include <span>
#include <string_view>

#include "game/control_table.h"
#include "game/controls.h"

namespace quillon::ui {

enum class Container { window, Frame1, Frame2, Frame3 };
enum class Align { left, center, right };

struct FontSpec {
    std::string_view family;  // the design's font name; the window substitutes what the system has
    double points = 0;
    bool bold = false;
};

// How one control of a window looks: where it sits, its font, alignment, border and picture.
// Positions are twips, relative to the container. The table window's controls take their
// captions, colours and state from the model; a window without a model (the credits) gives them
// here.
struct ControlLayout {
    std::string_view name;
    int index = -1;  // the element of a control array, -1 for a single control
    ControlKind kind = ControlKind::label;
    Container container = Container::window;
    int left = 0, top = 0, width = 0, height = 0;  // a card picture's Left comes from the model
    FontSpec font;
    Align align = Align::left;
    bool border = false;       // single-line border
    bool transparent = false;  // the container's background shows through
    bool auto_size = false;    // the label takes the size of its caption
    bool clickable = false;    // a button: reacts to clicks while enabled, shows the custom cursor
    std::string_view picture;  // the artwork a picture shows
    // The look of a label in a window without a model.
    std::string_view caption;
    Color fore = colors::white;
    Color back = colors::table;
    bool visible = true;
    bool enabled = true;
};

// Every control of the table window that has a widget, in stacking order, bottom first. The
// timers have none.
std::span<const ControlLayout> table_layout();
const ControlLayout* find_layout(std::string_view name, int index);

// The table window's client area, in twips.
inline constexpr int kClientWidth = 10185;
inline constexpr int kClientHeight = 6945;

}  // namespace quillon::ui
