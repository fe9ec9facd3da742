#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "odds/games/pay_table.h"
#include "odds/known/worked_out.h"
#include "odds/play/deal_outcomes.h"

namespace quillon::odds {

// A built-in game's deals played with their best holds, as the build played them once for each
// bet its pays differ at: `return` then starts from the distributions, not from every deal.
struct PrecomputedGame {
    WorkedOutFor found_for;
    std::span<const std::int32_t> counts;  // distributions by row, as DealOutcomes holds them
    std::span<const std::uint8_t> kept;    // the cards each distribution's hold keeps
    std::span<const std::uint32_t> deals;
    // At the full bet, every deal class's best hold (deal_classes, best_hold), one letter a hold
    // (hold_letter); elsewhere none.
    std::string_view best_holds;
    // The chance of ruin of 100, 400 and 1,000 bets within 10,000 hands, one hand a round.
    std::array<double, 3> ruin_within{};
};

std::span<const PrecomputedGame> precomputed_games();

// The distributions of built-in game `name` played for `game`'s pays, where the build has them.
const PrecomputedGame* find_precomputed(std::string_view name, const Game& game);
DealOutcomes outcomes_of(const PrecomputedGame& built, const Game& game);

// Whether two tables draw every hold to the same final hands: the same deck and wild cards, the
// same rows of the same hands, and pays in the same order wherever a wild card's reading turns
// on them (the order of any two rows but a natural royal's).
bool same_hands(const Game& a, const Game& b);

// A built-in game's figures that belong to `game` though it is not one by name (a pay-table file
// of the same hands and pays): only its deals and its ruin within a session at one hand a round.
const PrecomputedGame* find_same_play(const Game& game);

// The stored best holds that `game`'s deals can be played again from (replay_outcomes): built-in
// game `name`'s where its hands are `game`'s, otherwise any built-in game's of the same hands.
const PrecomputedGame* find_replay_base(std::string_view name, const Game& game);
std::vector<HoldMask> stored_best_holds(const PrecomputedGame& built);

// The letter that stores a hold, and back: thirty-two that need no escape in a string literal.
constexpr char hold_letter(HoldMask hold) {
    return "0123456789abcdefghijklmnopqrstuv"[hold];
}
constexpr HoldMask letter_hold(char letter) {
    return static_cast<HoldMask>(letter <= '9' ? letter - '0' : letter - 'a' + 10);
}

}  // namespace quillon::odds
