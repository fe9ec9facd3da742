#pragma once

#include <string_view>
#include <vector>

#include "game/controls.h"

namespace quillon {

// A named handle on one control of the model, for the window and the script driver.
struct ControlRef {
    std::string_view name;
    int index = -1;
    Label* label = nullptr;
    Picture* picture = nullptr;
    Frame* frame = nullptr;
    Timer* timer = nullptr;
};

std::vector<ControlRef> control_refs(Controls& controls);
// Looks a control up by name and element; nothing is found for a wrong index.
ControlRef find_control(Controls& controls, std::string_view name, int index);

}  // namespace quillon
