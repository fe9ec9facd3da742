#pragma once

#include <string_view>

namespace quillon::odds {

// The methods whose figures the tables in odds/known/ hold, each with its version, which the
// table's writer stamps on it. Whoever changes the figures a method finds, even in the last
// digit, raises its version here and runs the `regenerate` target, which rewrites the tables;
// until then a table of another version is not used (its figures are worked out at run time)
// and the tests say which is stale.
struct KnownMethod {
    std::string_view table;  // the data file's stem
    std::string_view name;
    int version = 0;
};

// session_within() (tools/ruin_table/session_within.h): ruin within a session of rounds of 2 to 100
// hands.
inline constexpr KnownMethod kWithinMethod{"within", "session_within", 2};
// round_ruin_ever() (odds/risk/round_ruin.h): ruin without end, rounds of 2 to 100 hands.
inline constexpr KnownMethod kRuinMethod{"ruin", "round_ruin_ever", 2};
// solve_ultimate_x() (odds/ultimate_x.h): the built-in games' Ultimate X on their line counts.
inline constexpr KnownMethod kUltimateXMethod{"ultimate_x", "solve_ultimate_x", 1};

}  // namespace quillon::odds
