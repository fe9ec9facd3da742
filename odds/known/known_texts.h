#pragma once

#include <span>

#include "base/embedded_text.h"

namespace quillon::odds {

// The data files of odds/known/, built into the program.
std::span<const EmbeddedText> known_texts();

}  // namespace quillon::odds
