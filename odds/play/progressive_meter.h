#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "base/wide.h"
#include "odds/games/pay_decimal.h"
#include "odds/games/pay_table.h"
#include "odds/play/game_return.h"

namespace quillon::odds {

// One reading of a progressive meter: the line's pay per coin, meter_steps steps of the meter,
// and the whole game played with the best hold of every deal at that pay.
struct MeterReading {
    std::int64_t steps = 0;
    Game game;
    GameReturn result;
};

// Where a game paying one line as a meter returns 100 % under perfect play. The return is a
// convex, rising function of the line's pay: each way of playing gives a straight line in it,
// and perfect play the highest. The root of the line of a reading's play lies at or past the
// break-even, so from there the search steps back, a reading at a time, to the least meter on
// the step's grid at which the return is at least 100 %.
struct MeterBreakEven {
    std::size_t row = 0;
    Decimal step;                        // one step of the meter, per coin
    std::vector<MeterReading> readings;  // every meter read, by meter
    // Today's pay, where it lies on the step's grid the reading of it; otherwise none, and the
    // figures of today's pay are `today`.
    std::optional<std::size_t> today_read;
    std::optional<MeterReading> today;
    // The reading of the least meter returning 100 % or more, and the one a step below it
    // (none where the least is nothing at all).
    std::optional<std::size_t> at;
    std::optional<std::size_t> below;
    // Where the play is the same at both, the return is straight between them and the
    // break-even is exactly numerator / denominator coins per coin.
    std::optional<std::pair<Wide, Wide>> exact;
};

// The game's exact return for pays the meter gives; a caller may use figures worked out ahead.
using PlayWhole = std::function<GameReturn(const Game&)>;

// Throws PayChangeError where the break-even lies past the pays the engine counts exactly.
MeterBreakEven meter_break_even(const Game& game, std::size_t row, Decimal step,
                                const PlayWhole& play);

// The pay per coin at `steps` steps of the meter.
Decimal meter_pay(const MeterBreakEven& meter, std::int64_t steps);

// The chance of the meter's line under the reading's play: how much the return per coin grows
// for each coin per coin the line pays more, the play kept.
double line_chance(const MeterBreakEven& meter, const MeterReading& reading);

}  // namespace quillon::odds
