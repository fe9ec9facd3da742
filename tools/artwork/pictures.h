// Every picture that is not a plain card face.
#pragma once

#include "tools/artwork/svg.h"

namespace art {

Svg card_back();           // back.cpp
Svg joker_face();          // joker.cpp
Svg pale_mask(int which);  // masks_pale.cpp, which = 0..3
Svg dark_mask(int which);  // masks_dark.cpp, which = 0..4
Svg cursor_arrow();        // icons.cpp
Svg icon_table();          // icons.cpp
Svg icon_credits();        // icons.cpp

}  // namespace art
