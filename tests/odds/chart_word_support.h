#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "odds/games/pay_table.h"
#include "odds/play/suit_classes.h"
#include "odds/strategy/chart/chart_score.h"
#include "odds/strategy/chart/chart_text.h"
#include "odds/strategy/patterns/deal_patterns.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "tests/odds/odds_test_support.h"

// Checks shared by the tests of each game family's chart words.
namespace quillon::odds {

// One chart word on one deal, and the cards it should keep.
struct WordDecision {
    std::string game;
    std::string chart;
    std::string deal;
    // The cards kept, in the deal's order; "(draw five)" where the deal is discarded whole.
    std::string hold;
};

// The pattern a chart line of these words reads as in the game.
inline PatternKey word_key(const std::string& words, const Game& game) {
    return read_chart(words + "\n", "word.chart", game).lines.at(0).key;
}

// What a chart of the word over "discard everything" keeps of the deal.
inline std::string one_line_hold(const WordDecision& word) {
    const Game game = find_game(word.game).value();
    const Chart chart = read_chart(word.chart + "\ndiscard everything\n", "word.chart", game);
    const std::array<CardId, 5> deal = parse_deal(word.deal);
    return held_cards(deal, decide_deal(chart, game, deal).hold);
}

// Whether a chart of the word over "discard everything" is refused in the game: a word that
// belongs to other games is an error, not a line that decides nothing.
inline bool word_refused(const std::string& game_name, const std::string& word) {
    const Game game = find_game(game_name).value();
    try {
        read_chart(word + "\ndiscard everything\n", "word.chart", game);
    } catch (const ChartError&) {
        return true;
    }
    return false;
}

// Every coarser pattern of a pattern a hold shows must be shown by that hold too, so that a line
// of coarser words takes in every hold of the finer ones. Looks over every `step`th deal class
// of the game (draws only, if asked) and names the first deal and hold that breaks this, or
// gives "" where none does.
inline std::string coarser_pattern_not_shown(const std::string& name, std::size_t step,
                                             bool draws_only) {
    const Game game = find_game(name).value();
    const RankProfile profile = rank_profile(game);
    const std::vector<DealClass> deals = deal_classes(game.jokers());
    for (std::size_t d = 0; d < deals.size(); d += step) {
        const std::array<CardId, 5> cards = class_cards(deals[d], game.has_joker());
        for (unsigned m = 0; m < kHoldCount; ++m) {
            const HoldPatterns shown = patterns_of(game, profile, cards, static_cast<HoldMask>(m));
            for (const PatternKey key : shown) {
                if (draws_only && pattern_key::kind_of(key) != pattern_key::Kind::draw) {
                    continue;
                }
                for (const PatternKey coarser : coarser_patterns(key, profile)) {
                    if (std::find(shown.begin(), shown.end(), coarser) == shown.end()) {
                        return name + ": " + held_cards(cards, 0x1f) + " hold " + std::to_string(m);
                    }
                }
            }
        }
    }
    return "";
}

}  // namespace quillon::odds
