#pragma once

#include <span>

#include "base/embedded_text.h"

namespace quillon::odds {

// The pay-table files shipped with the program, built into it: this machine's table first, then
// the others as shipped.
std::span<const EmbeddedText> builtin_games();

}  // namespace quillon::odds
