// Every picture that is not a plain card face.
#pragma once

#include "svg.h"

namespace art {

Svg cardBack();           // back.cpp
Svg jokerFace();          // joker.cpp
Svg paleMask(int which);  // masks_pale.cpp, which = 0..3
Svg darkMask(int which);  // masks_dark.cpp, which = 0..4
Svg cursorArrow();        // icons.cpp
Svg iconTable();          // icons.cpp
Svg iconCredits();        // icons.cpp

}  // namespace art
