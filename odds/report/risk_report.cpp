#include "odds/report/risk_report.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "odds/report/columns.h"
#include "odds/report/figures.h"

namespace quillon::odds {

namespace {

// A chance as a percentage, or in powers of ten where it is too small to read so.
std::string chance(double p) {
    if (p < kLeastPrintedChance) {
        return "below 1e-30";
    }
    if (p >= 1e-4) {
        return fixed(100.0 * p, 4) + "%";
    }
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.2e", p);
    return buffer.data();
}

// N - 1/units, the most a lost bankroll can still hold: "2", "2.5".
std::string fall_text(const SessionRisk& risk) {
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%g",
                  risk.play - 1.0 / static_cast<double>(std::max<std::int64_t>(risk.units, 1)));
    return buffer.data();
}

std::string hands_text(double n) {
    return std::isfinite(n) ? std::to_string(static_cast<std::uint64_t>(std::llround(n)))
                            : "never (an even game)";
}

}  // namespace

void print_session_risk(std::ostream& out, const Game& game, const SessionRisk& risk) {
    const bool rounds = risk.play > 1;
    if (rounds) {
        out << "\n"
            << risk.play << " hands a round, dealt once and drawn apart from the held cards, "
            << "in bets of one hand's bet:\n"
            << "  standard deviation  " << fixed(risk.standard_deviation, 6) << " bets per round\n"
            << "  the strategy is the same as for one hand: the hands of a round share the deal "
               "and its hold,\n  and a hold's value per hand does not depend on how many hands "
               "play it; where holds\n  return exactly the same, every figure plays the one the "
               "return does, whatever its\n  variance (the first in the engine's order of holds)\n";
    }
    out << "\nwhere the variance " << (rounds ? "of one hand " : "")
        << "comes from (each final hand's share of it):\n";
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        out << "  " << pad_right(game.rows()[r].label, 24)
            << pad_left(fixed(100.0 * risk.variance_share[r], 2) + "%", 9) << "\n";
    }
    const std::string unit = rounds ? "rounds" : "hands";
    const std::string within = rounds ? "within " + std::to_string(risk.rounds) + " rounds (" +
                                            std::to_string(risk.hands) + " hands)"
                                      : "within " + std::to_string(risk.hands) + " hands";
    out << "\nN0, the " << unit << " after which the expected "
        << (risk.edge >= 0.0 ? "win" : "loss")
        << " is three standard deviations of the result: " << hands_text(risk.n0) << "\n";
    if (rounds) {
        const bool exact = risk.ever_not_exact.empty();
        out << "\nrisk of ruin without end: the chance of ever losing a bankroll (in bets); a "
               "bankroll "
               "is lost when it\ncannot pay a round, and a round can lose up to "
            << risk.play
            << " bets at once, past the bottom. The chance is\nexact from the round's descending "
               "ladder heights, the coefficients of the product of (w - w_i)\nover the roots w_i "
               "of E[w^(result of a round)] = 1 inside the unit circle, had from the roots'\npower "
               "sums on a circle around them (worked out ahead for the built-in games' own "
               "tables);\n1 on a game that does not pay back. It lies between z^bankroll and "
               "z^(bankroll - "
            << fall_text(risk) << "),\nz the root in (0, 1)\n";
        out << "  " << pad_left("bankroll", 8) << pad_left("ever", 14) << pad_left("at least", 14)
            << pad_left("at most", 14) << "\n";
        for (std::size_t i = 0; i < risk.bankrolls.size(); ++i) {
            out << "  " << pad_left(std::to_string(risk.bankrolls[i]), 8)
                << pad_left(exact ? chance(risk.ruin_ever[i]) : "-", 14)
                << pad_left(chance(risk.ruin_ever_at_least[i]), 14)
                << pad_left(chance(risk.ruin_ever_at_most[i]), 14) << "\n";
        }
        if (!exact) {
            out << "the exact chance without end is not given: " << risk.ever_not_exact << "\n";
        }
        if (!risk.ruin_within.empty()) {
            out << "\nrisk of ruin within a session of " << risk.hands << " hands (" << risk.rounds
                << " rounds of " << risk.play
                << "): by the exact recursion on the\nbankroll, round by round, over the round's "
                   "whole distribution of results (worked out\nahead for the built-in games' own "
                   "tables; counted here for others' where that\ntakes a second or so)\n";
            out << "  " << pad_left("bankroll", 8) << pad_left(within, 36) << "\n";
            for (std::size_t i = 0; i < risk.bankrolls.size(); ++i) {
                out << "  " << pad_left(std::to_string(risk.bankrolls[i]), 8)
                    << pad_left(chance(risk.ruin_within[i]), 36) << "\n";
            }
        }
    } else {
        out << "\nrisk of ruin: the chance of losing a bankroll (in bets) by the exact recursion "
               "on\n"
               "the bankroll, hand by hand, and in play without end from the root z of\n"
               "E[z^(result of a hand)] = 1 (the chance is z^bankroll, 1 on a game that does not "
               "pay back)\n";
        out << "  " << pad_left("bankroll", 8) << pad_left(within, 22) << pad_left("ever", 14)
            << "\n";
        for (std::size_t i = 0; i < risk.bankrolls.size(); ++i) {
            out << "  " << pad_left(std::to_string(risk.bankrolls[i]), 8)
                << pad_left(risk.ruin_within.empty() ? "-" : chance(risk.ruin_within[i]), 22)
                << pad_left(chance(risk.ruin_ever[i]), 14) << "\n";
        }
    }
    if (risk.ruin_within.empty() && !risk.within_not_given.empty()) {
        out << "the chance " << within << " is not given: " << risk.within_not_given << "\n";
    }
}

nlohmann::ordered_json session_risk_json(const Game& game, const SessionRisk& risk) {
    nlohmann::ordered_json shares = nlohmann::ordered_json::array();
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        shares.push_back({{"hand", game.rows()[r].label}, {"share", risk.variance_share[r]}});
    }
    nlohmann::ordered_json ruin = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < risk.bankrolls.size(); ++i) {
        nlohmann::ordered_json row = {{"bankroll", risk.bankrolls[i]}};
        row["within_hands"] = risk.ruin_within.empty()
                                  ? nlohmann::ordered_json(nullptr)
                                  : nlohmann::ordered_json(risk.ruin_within[i]);
        row["ever"] = risk.ruin_ever[i];
        if (risk.play > 1) {
            row["ever_at_least"] = risk.ruin_ever_at_least[i];
            row["ever_at_most"] = risk.ruin_ever_at_most[i];
            row["ever_exact"] = risk.ever_not_exact.empty();
        }
        ruin.push_back(std::move(row));
    }
    nlohmann::ordered_json n0 = nullptr;
    if (std::isfinite(risk.n0)) {
        n0 = risk.n0;
    }
    nlohmann::ordered_json out = {{"play", risk.play},
                                  {"standard_deviation", risk.standard_deviation},
                                  {"variance_by_hand", shares},
                                  {"n0", n0},
                                  {"session_hands", risk.hands}};
    // A session of N hands a round: its hands in rounds.
    if (risk.play > 1) {
        out["session_rounds"] = risk.rounds;
    }
    out["risk_of_ruin"] = std::move(ruin);
    if (!risk.within_not_given.empty()) {
        out["within_not_given"] = risk.within_not_given;
    }
    if (!risk.ever_not_exact.empty()) {
        out["ever_not_exact"] = risk.ever_not_exact;
    }
    return out;
}

}  // namespace quillon::odds
