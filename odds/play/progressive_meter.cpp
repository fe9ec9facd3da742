#include "odds/play/progressive_meter.h"

#include <algorithm>
#include <map>

#include "odds/games/pay_changes.h"

namespace quillon::odds {

namespace {

using Signed = SignedWide;

// The return of a reading's play as a straight line in the line's pay x per coin:
// (rest + x * per_pay) / whole.
struct PlayLine {
    Signed rest = 0;
    Signed per_pay = 0;
    Signed whole = 0;
};

PlayLine play_line(const MeterReading& reading, std::size_t row) {
    const GameReturn& r = reading.result;
    PlayLine line;
    for (std::size_t i = 0; i < r.counts.size(); ++i) {
        if (i != row) {
            line.rest += static_cast<Signed>(r.pays[i]) * static_cast<Signed>(r.counts[i]);
        }
    }
    const auto scale = static_cast<Signed>(r.pay_scale);
    line.per_pay = static_cast<Signed>(r.counts[row]) * scale;
    line.whole = static_cast<Signed>(r.total) * scale;
    return line;
}

// Whether two lines are one: a/b = c/d for rest and slope alike.
bool same_line(const PlayLine& a, const PlayLine& b) {
    return a.rest * b.whole == b.rest * a.whole && a.per_pay * b.whole == b.per_pay * a.whole;
}

// The least whole number of steps at or past the line's root, 0 where the root is below 0.
std::int64_t steps_at_root(const PlayLine& line, Decimal step) {
    const Signed short_by = line.whole - line.rest;
    if (short_by <= 0) {
        return 0;
    }
    if (line.per_pay == 0) {
        throw PayChangeError("the line is never made, so no pay of it brings the game to 100 %");
    }
    // x = short_by / per_pay coins, in steps of digits / 10^places coins.
    const Signed num = short_by * power_of_ten(step.places);
    const Signed den = line.per_pay * step.digits;
    return static_cast<std::int64_t>((num + den - 1) / den);
}

}  // namespace

Decimal meter_pay(const MeterBreakEven& meter, std::int64_t steps) {
    return {steps * meter.step.digits, meter.step.places};
}

double line_chance(const MeterBreakEven& meter, const MeterReading& reading) {
    return reading.result.probability(meter.row);
}

MeterBreakEven meter_break_even(const Game& game, std::size_t row, Decimal step,
                                const PlayWhole& play) {
    MeterBreakEven out;
    out.row = row;
    out.step = step;
    if (step.digits <= 0) {
        throw PayChangeError("a meter's step is more than nothing");
    }
    std::map<std::int64_t, MeterReading> read;
    const auto reading = [&](std::int64_t steps) -> const MeterReading& {
        auto found = read.find(steps);
        if (found == read.end()) {
            Game paid = with_pay(game, row, meter_pay(out, steps));
            GameReturn result = play(paid);
            found =
                read.emplace(steps, MeterReading{steps, std::move(paid), std::move(result)}).first;
        }
        return found->second;
    };
    const auto reaches = [](const MeterReading& r) {
        return r.result.pay_total() >=
               static_cast<Wide>(r.result.total) * static_cast<Wide>(r.result.pay_scale);
    };
    // Today's pay, on the grid or not, starts the search: the root of its play's line is at or
    // past the break-even.
    const GameReturn today = play(game);
    const MeterReading start{-1, game, today};
    const Wide today_units = static_cast<Wide>(game.pay(row)) * power_of_ten(step.places);
    const Wide grid = static_cast<Wide>(game.pay_scale()) * static_cast<Wide>(step.digits);
    std::optional<std::int64_t> today_steps;
    if (today_units % grid == 0) {
        today_steps = static_cast<std::int64_t>(today_units / grid);
        read.emplace(*today_steps, MeterReading{*today_steps, game, today});
    } else {
        out.today = start;
    }
    std::int64_t k = steps_at_root(play_line(start, row), step);
    for (;;) {
        const MeterReading& here = reading(k);
        const std::int64_t root = steps_at_root(play_line(here, row), step);
        if (root < k) {
            k = root;
            continue;
        }
        if (k == 0) {
            break;
        }
        const MeterReading& before = reading(k - 1);
        if (!reaches(before)) {
            break;
        }
        k = steps_at_root(play_line(before, row), step);
        k = std::min(k, before.steps);
    }
    for (auto& [steps, r] : read) {
        out.readings.push_back(std::move(r));
    }
    const auto index_of = [&](std::int64_t steps) -> std::optional<std::size_t> {
        for (std::size_t i = 0; i < out.readings.size(); ++i) {
            if (out.readings[i].steps == steps) {
                return i;
            }
        }
        return std::nullopt;
    };
    out.at = index_of(k);
    if (today_steps) {
        out.today_read = index_of(*today_steps);
    }
    if (k > 0) {
        out.below = index_of(k - 1);
        const PlayLine a = play_line(out.readings[*out.at], row);
        const PlayLine b = play_line(out.readings[*out.below], row);
        if (same_line(a, b)) {
            out.exact = std::pair<Wide, Wide>(static_cast<Wide>(a.whole - a.rest),
                                              static_cast<Wide>(a.per_pay));
        }
    }
    return out;
}

}  // namespace quillon::odds
