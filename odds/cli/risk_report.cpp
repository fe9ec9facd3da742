#include "odds/cli/risk_report.h"

#include <cmath>
#include <string>

#include "odds/cli/figures.h"

namespace quillon::odds {

namespace {

std::string pad_right(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string pad_left(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

// A chance as a percentage, or in powers of ten where it is too small to read so.
std::string chance(double p) {
    if (p >= 1e-4 || p == 0.0) {
        return fixed(100.0 * p, 4) + "%";
    }
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.2e", p);
    return buffer.data();
}

std::string hands_text(double n) {
    return std::isfinite(n) ? std::to_string(static_cast<std::uint64_t>(std::llround(n)))
                            : "never (an even game)";
}

}  // namespace

void print_session_risk(std::ostream& out, const Game& game, const SessionRisk& risk) {
    out << "\nwhere the variance comes from (each final hand's share of it):\n";
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        out << "  " << pad_right(game.rows()[r].label, 24)
            << pad_left(fixed(100.0 * risk.variance_share[r], 2) + "%", 9) << "\n";
    }
    out << "\nN0, the hands after which the expected " << (risk.edge >= 0.0 ? "win" : "loss")
        << " is three standard deviations of the result: " << hands_text(risk.n0) << "\n";
    out << "\nrisk of ruin: the chance of losing a bankroll (in bets) by the exact recursion on\n"
           "the bankroll, hand by hand, and in play without end from the root z of\n"
           "E[z^(result of a hand)] = 1 (the chance is z^bankroll, 1 on a game that does not "
           "pay back)\n";
    out << "  " << pad_left("bankroll", 8)
        << pad_left("within " + std::to_string(risk.hands) + " hands", 22) << pad_left("ever", 14)
        << "\n";
    for (std::size_t i = 0; i < risk.bankrolls.size(); ++i) {
        out << "  " << pad_left(std::to_string(risk.bankrolls[i]), 8)
            << pad_left(chance(risk.ruin_within[i]), 22) << pad_left(chance(risk.ruin_ever[i]), 14)
            << "\n";
    }
}

nlohmann::ordered_json session_risk_json(const Game& game, const SessionRisk& risk) {
    nlohmann::ordered_json shares = nlohmann::ordered_json::array();
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        shares.push_back({{"hand", game.rows()[r].label}, {"share", risk.variance_share[r]}});
    }
    nlohmann::ordered_json ruin = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < risk.bankrolls.size(); ++i) {
        ruin.push_back({{"bankroll", risk.bankrolls[i]},
                        {"within_hands", risk.ruin_within[i]},
                        {"ever", risk.ruin_ever[i]}});
    }
    nlohmann::ordered_json n0 = nullptr;
    if (std::isfinite(risk.n0)) {
        n0 = risk.n0;
    }
    return {{"variance_by_hand", shares},
            {"n0", n0},
            {"session_hands", risk.hands},
            {"risk_of_ruin", ruin}};
}

}  // namespace quillon::odds
