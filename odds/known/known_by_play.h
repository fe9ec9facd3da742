#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "odds/games/pay_table.h"
#include "odds/known/worked_out.h"

namespace quillon::odds {

// Figures for bankrolls of 100, 400 and 1,000 bets worked out ahead for one built-in game at the
// full bet, one triple for each number of hands a round from 2 to 100. They are used only where
// the game's pays are exactly those they were found for.
struct KnownByPlay {
    WorkedOutFor found_for;
    std::span<const std::array<double, 3>> figures;  // from 2 hands a round up
};

// The columns of a table of such figures (odds/known/within.tsv, ruin.tsv): a row a game and
// number of hands a round.
inline constexpr std::string_view kByPlayColumns[] = {
    "game", "pay_scale", "pays", "play", "bankroll_100", "bankroll_400", "bankroll_1000"};

inline constexpr int kKnownFirstPlay = 2;
inline constexpr int kKnownLastPlay = 100;

// The figures among `games` of built-in game `name` played with `game`'s pays, `play` hands a
// round, where they were worked out ahead.
const std::array<double, 3>* known_by_play(std::span<const KnownByPlay> games,
                                           std::string_view name, const Game& game, int play);

// The chances of losing 100, 400 and 1,000 bets within a session of kSessionHands hands played
// in rounds of 2 to 100 hands (ceil(kSessionHands / N) rounds), for every built-in game at the
// full bet: by the exact recursion on the bankroll over the rounds' whole distributions
// (tools/ruin_table/session_ruin.h), which takes seconds to minutes a game, so tools/ruin_table
// writes them into odds/known/within.tsv.
std::span<const KnownByPlay> known_within_games();

inline const std::array<double, 3>* known_ruin_within(std::string_view name, const Game& game,
                                                      int play) {
    return known_by_play(known_within_games(), name, game, play);
}

// The chances of ever losing 100, 400 and 1,000 bets to rounds of 2 to 100 hands, for the
// built-in games that pay back, at the full bet: found on the circle (ladder_from_circle) by
// tools/ruin_table, which writes odds/known/ruin.tsv, because the finer circles of the larger
// rounds take up to a second or so, past `return`'s time.
std::span<const KnownByPlay> known_ruin_games();

inline const std::array<double, 3>* known_ruin_ever(std::string_view name, const Game& game,
                                                    int play) {
    return known_by_play(known_ruin_games(), name, game, play);
}

}  // namespace quillon::odds
