#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "odds/play/suit_classes.h"
#include "odds/strategy/chart/chart_text.h"
#include "odds/strategy/patterns/deal_patterns.h"
#include "odds/strategy/search/order_faults.h"
#include "odds/strategy/search/strategy_chart.h"
#include "tests/odds/odds_test_support.h"

namespace quillon::odds {

// The whole table of a built-in game's deals, as the chart search has it.
inline DealPatterns whole_table(const std::string& game) {
    const Tallies& tallies = shared_tallies(game);
    const RankProfile profile = rank_profile(tallies.game());
    return search_table(tallies, profile, pattern_words(tallies.game(), profile), 1);
}

// Whether a deal has a hold of a made hand: a pair, a wild card, a flush or five ranks in a row.
// A fault of order is found only on deals where a line keeps one, so a table of these deals
// alone has the whole table's faults, for half the work.
inline bool has_made_hand(const DealClass& deal, const Game& game) {
    unsigned ranks = 0;
    bool suited = true;
    const std::array<CardId, 5> cards = class_cards(deal, game.has_joker());
    for (const CardId card : cards) {
        if (is_wild(card, game)) {
            return true;
        }
        const unsigned bit = 1u << (card.rank() == 1 ? 14 : card.rank());
        if ((ranks & bit) != 0) {
            return true;
        }
        ranks |= bit | (card.rank() == 1 ? 2u : 0u);
        suited = suited && card.suit() == cards[0].suit();
    }
    for (unsigned low = 1; low <= 10; ++low) {
        if ((ranks >> low & 0x1fu) == 0x1fu) {
            return true;
        }
    }
    return suited;
}

inline DealPatterns made_hand_table(const std::string& game) {
    const Tallies& tallies = shared_tallies(game);
    const RankProfile profile = rank_profile(tallies.game());
    std::vector<DealClass> deals;
    for (const DealClass& deal : deal_classes(tallies.game().jokers())) {
        if (has_made_hand(deal, tallies.game())) {
            deals.push_back(deal);
        }
    }
    const PatternWords words = pattern_words(tallies.game(), profile);
    return deal_patterns(tallies, profile, std::move(deals), 1, &words.shadowed);
}

// The lines a chart file's deals read over a table: each deal the lines above the sections and
// those of the section of its wild cards, in the file's order.
inline ChartReading reading_of(const Chart& chart, const DealPatterns& table, const Game& game) {
    std::unordered_map<PatternKey, std::uint32_t> id;
    for (std::uint32_t p = 0; p < table.keys.size(); ++p) {
        id.emplace(table.keys[p], p);
    }
    ChartReading reading;
    int most = 0;
    for (const ChartLine& line : chart.lines) {
        most = std::max(most, line.section);
    }
    for (int section = 0; section <= std::max(most, 0); ++section) {
        ChartLines& order = reading.orders.emplace_back();
        for (const ChartLine& line : chart.lines) {
            if (line.section != -1 && line.section != section) {
                continue;
            }
            const auto it = id.find(line.key);
            if (it == id.end()) {
                throw std::invalid_argument("a line the table does not know: " + line.words);
            }
            order.push_back(it->second);
        }
    }
    if (most > 0) {
        for (const DealClass& deal : table.deals) {
            int wild = 0;
            for (const CardId card : class_cards(deal, game.has_joker())) {
                wild += is_wild(card, game) ? 1 : 0;
            }
            reading.order_of.push_back(static_cast<std::uint8_t>(std::min(wild, most)));
        }
    }
    return reading;
}

// A fault in words: "order: line 2 'high pair, ...' keeps 'high pair (jacks or better)' above line
// 3 '4 to a straight flush, not a royal' on 1080 deals, as h9 h10 h11 h12 s11".
inline std::string fault_text(const OrderFault& f, const DealPatterns& table, const Game& game) {
    const auto words = [&](std::uint32_t p) {
        return "'" + chart_of_keys({table.keys[p]}, game).lines.front().words + "'";
    };
    std::string deal;
    for (const CardId c : class_cards(table.deals[f.example], game.has_joker())) {
        deal += (deal.empty() ? "" : " ") + c.text();
    }
    return std::string(f.what == FaultKind::order ? "order" : "pat hand") + ": line " +
           std::to_string(f.made_line) + " " + words(f.made) + " keeps " + words(f.kind) +
           " above " +
           (f.better_line == 0 ? std::string("the hold of")
                               : "line " + std::to_string(f.better_line)) +
           " " + words(f.better) + " on " + std::to_string(f.deals) + " deals, as " + deal;
}

}  // namespace quillon::odds
