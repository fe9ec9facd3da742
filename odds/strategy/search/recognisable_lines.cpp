#include "odds/strategy/search/recognisable_lines.h"

#include <cstdint>
#include <vector>

#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/patterns/pattern_words.h"

namespace quillon::odds {

bool worked_out(PatternKey key, const RankProfile& profile) {
    using namespace pattern_key;
    if (kind_of(key) != Kind::draw) {
        return false;
    }
    // Fields share bits across the games they apply in: each is read only where it means
    // itself.
    const unsigned games = games_of(profile);
    return ((games & kJokerPairs) != 0 && get(key, kMostOpen) != 0) ||
           ((games & kJokerNoPairs) != 0 && get(key, kClear) != 0);
}

std::unordered_set<PatternKey> worked_out_patterns(const Game& game, const RankProfile& profile) {
    std::unordered_set<PatternKey> out;
    for (const PatternKey key : vocabulary(game, profile)) {
        if (worked_out(key, profile)) {
            out.insert(key);
        }
    }
    return out;
}

DealPatterns without_patterns(const DealPatterns& table,
                              const std::unordered_set<PatternKey>& left_out) {
    constexpr std::uint32_t kGone = ~std::uint32_t{0};
    DealPatterns out;
    std::vector<std::uint32_t> id(table.keys.size(), kGone);
    for (std::uint32_t p = 0; p < table.keys.size(); ++p) {
        if (!left_out.contains(table.keys[p])) {
            id[p] = static_cast<std::uint32_t>(out.keys.size());
            out.keys.push_back(table.keys[p]);
        }
    }
    out.discard_all = id[table.discard_all];
    out.parents.resize(out.keys.size());
    for (std::uint32_t p = 0; p < table.keys.size(); ++p) {
        if (id[p] == kGone) {
            continue;
        }
        for (const std::uint32_t parent : table.parents[p]) {
            if (id[parent] != kGone) {
                out.parents[id[p]].push_back(id[parent]);
            }
        }
    }
    out.entry_begin.reserve(table.entry_begin.size());
    out.entry_pattern.reserve(table.entry_pattern.size());
    out.entry_slot.reserve(table.entry_slot.size());
    out.entry_begin.push_back(0);
    for (std::size_t d = 0; d < table.deals.size(); ++d) {
        for (std::uint32_t e = table.entry_begin[d]; e < table.entry_begin[d + 1]; ++e) {
            if (const std::uint32_t p = id[table.entry_pattern[e]]; p != kGone) {
                out.entry_pattern.push_back(static_cast<std::uint16_t>(p));
                out.entry_slot.push_back(table.entry_slot[e]);
            }
        }
        out.entry_begin.push_back(static_cast<std::uint32_t>(out.entry_pattern.size()));
    }
    out.deals = table.deals;
    out.hold_begin = table.hold_begin;
    out.hold_mask = table.hold_mask;
    out.hold_pays = table.hold_pays;
    out.wide_value = table.wide_value;
    out.per_draw = table.per_draw;
    out.perfect = table.perfect;
    return out;
}

}  // namespace quillon::odds
