#include "odds/cli/commands.h"
#include "odds/games/pay_changes.h"
#include "odds/known/precomputed.h"
#include "odds/play/progressive_meter.h"
#include "odds/report/columns.h"
#include "odds/report/figures.h"
#include "odds/report/odds_json.h"
#include "odds/report/odds_report.h"

#include <nlohmann/json.hpp>

namespace quillon::odds {

namespace {

void declare(CommandOptions& options) {
    options.paid_game();
    options.text("--line", options.values().line, "HAND", "a line of the table",
                 "the line the meter pays (default: the royal), named as --pay names it");
    options.text("--step", options.values().step, "AMOUNT", "a pay per coin",
                 "one step of the meter, per coin (default 1; 0.01 for a meter in cents of a "
                 "one-coin bet)");
    options.json();
}

std::string percent(const GameReturn& r) {
    return fixed(100.0 * r.return_rate(), 6) + "%";
}

std::string pay_of(const MeterBreakEven& meter, std::int64_t steps) {
    const Decimal pay = meter_pay(meter, steps);
    return pay_text(pay.digits, power_of_ten(pay.places));
}

// The line's chance under a reading's play, exactly: its count of the final hands.
std::string chance_exact(const MeterBreakEven& meter, const MeterReading& r) {
    return fraction(r.result.counts[meter.row], r.result.total);
}

// What one step more adds to the return per coin, the play kept: the chance times the step.
double growth(const MeterBreakEven& meter, const MeterReading& r) {
    const Decimal s = meter.step;
    return line_chance(meter, r) * static_cast<double>(s.digits) /
           static_cast<double>(power_of_ten(s.places));
}
std::string growth_exact(const MeterBreakEven& meter, const MeterReading& r) {
    return fraction(
        static_cast<Wide>(r.result.counts[meter.row]) * static_cast<Wide>(meter.step.digits),
        static_cast<Wide>(r.result.total) * static_cast<Wide>(power_of_ten(meter.step.places)));
}

bool is_today(const MeterBreakEven& meter, const MeterReading& r) {
    return (meter.today && &r == &*meter.today) ||
           (meter.today_read && &r == &meter.readings[*meter.today_read]);
}

std::string break_even_words(const MeterBreakEven& meter, const std::string& label) {
    const MeterReading& at = meter.readings[*meter.at];
    if (!meter.below) {
        return "the game returns " + percent(at.result) + " with the " + label +
               " paying nothing: every meter pays back";
    }
    const MeterReading& below = meter.readings[*meter.below];
    std::string text = "the " + label + " at " + pay_of(meter, at.steps) + " per coin returns " +
                       percent(at.result) + "; at " + pay_of(meter, below.steps) + ", " +
                       percent(below.result);
    if (meter.exact) {
        text += "\n            exactly 100% at " +
                fraction(meter.exact->first, meter.exact->second) + " (" +
                fixed(static_cast<double>(meter.exact->first) /
                          static_cast<double>(meter.exact->second),
                      6) +
                ") per coin, the play the same at both";
    }
    return text;
}

void print_meter(std::ostream& out, const Game& game, const MeterBreakEven& meter,
                 const std::string& today) {
    const std::string label = game.rows()[meter.row].label;
    out << "game " << game.name() << " (" << game.deck_size() << " cards, wild "
        << wild_text(game.wild()) << "), the " << label
        << " paid as a progressive meter, every deal played with its best hold at each meter\n"
        << "today's pay " << today << " per coin; the meter in steps of "
        << pay_text(meter.step.digits, power_of_ten(meter.step.places)) << " per coin\n\n"
        << "break-even  " << break_even_words(meter, label) << "\n\n";
    out << pad_left("meter", 12) << pad_left("return", 14) << pad_left(label, 20)
        << pad_left("a step adds", 14) << "\n";
    const auto row = [&](const MeterReading& r, const std::string& pay) {
        std::string mark;
        if (meter.at && &r == &meter.readings[*meter.at]) {
            mark = "  break-even";
        }
        if (is_today(meter, r)) {
            mark += "  today";
        }
        out << pad_left(pay, 12) << pad_left(percent(r.result), 14)
            << pad_left(fixed(line_chance(meter, r), 12), 20)
            << pad_left("+" + fixed(100.0 * growth(meter, r), 6) + "%", 14) << mark << "\n";
    };
    if (meter.today) {
        row(*meter.today, today);
    }
    for (const MeterReading& r : meter.readings) {
        row(r, pay_of(meter, r.steps));
    }
    out << "\neach meter's " << label
        << " is its chance under that meter's perfect play; a step adds that chance times the "
           "step to the return, for as long as the play stays (quillon-odds return --pay "
        << pay_line_names(game)[meter.row] << "=METER gives each figure)\n";
}

nlohmann::ordered_json meter_json(const Game& game, const MeterBreakEven& meter,
                                  const std::string& today) {
    nlohmann::ordered_json report;
    report["game"] = game.name();
    report["line"] = game.rows()[meter.row].label;
    report["today"] = today;
    report["step"] = pay_text(meter.step.digits, power_of_ten(meter.step.places));
    const MeterReading& at = meter.readings[*meter.at];
    report["break_even"] = pay_of(meter, at.steps);
    report["below"] =
        meter.below ? nlohmann::ordered_json(pay_of(meter, meter.readings[*meter.below].steps))
                    : nlohmann::ordered_json(nullptr);
    report["break_even_exact"] =
        meter.exact ? nlohmann::ordered_json(fraction(meter.exact->first, meter.exact->second))
                    : nlohmann::ordered_json(nullptr);
    nlohmann::ordered_json readings = nlohmann::ordered_json::array();
    const auto add = [&](const MeterReading& r, const std::string& pay) {
        readings.push_back({{"meter", pay},
                            {"today", is_today(meter, r)},
                            {"break_even", &r == &at},
                            {"return", r.result.return_rate()},
                            {"return_exact", return_exact(r.result)},
                            {"chance", line_chance(meter, r)},
                            {"chance_exact", chance_exact(meter, r)},
                            {"step_adds", growth(meter, r)},
                            {"step_adds_exact", growth_exact(meter, r)}});
    };
    if (meter.today) {
        add(*meter.today, today);
    }
    for (const MeterReading& r : meter.readings) {
        add(r, pay_of(meter, r.steps));
    }
    report["readings"] = readings;
    return report;
}

int run(const Command& command, std::ostream& out) {
    const Game game = load_game(command);
    const std::string name = command.game.value_or("quillon");
    try {
        const std::size_t row = pay_row_named(game, command.line.value_or("royal"));
        const DecimalParse step = parse_decimal(command.step.value_or("1"));
        if (step.fault != DecimalFault::none || step.value.digits == 0) {
            throw CliError("--step takes a pay per coin above nothing (1, 0.25), not '" +
                           command.step.value_or("") + "'");
        }
        // Today's pays of a built-in game were played when the program was built.
        const PlayWhole play = [&](const Game& paid) {
            const PrecomputedGame* built = find_precomputed(name, paid);
            return built != nullptr ? game_return_of(outcomes_of(*built, paid), paid)
                                    : game_return(Tallies(paid));
        };
        const MeterBreakEven meter = meter_break_even(game, row, step.value, play);
        const std::string today = pay_text(game.pay(row), game.pay_scale());
        if (command.json) {
            out << meter_json(game, meter, today).dump(2) << "\n";
        } else {
            print_meter(out, game, meter, today);
        }
    } catch (const PayChangeError& e) {
        throw CliError(std::string("meter: ") + e.what());
    }
    return 0;
}

}  // namespace

const CommandSpec kMeterCommand{
    "meter",
    "a line of the table (the royal by default) paid as a progressive meter: the least meter at "
    "which the game returns 100% under perfect play, and how the return grows a step of the "
    "meter at each meter read",
    declare, run};

}  // namespace quillon::odds
