// Written by quillon-ultimate-x-table-writer (tools/ultimate_x_table); not edited by hand.
#include "odds/cli/known_ultimate_x.h"

namespace quillon::odds {

std::span<const KnownUltimateX> known_ultimate_x_games() {
    return {};
}

}  // namespace quillon::odds
