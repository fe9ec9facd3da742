#include "odds/strategy/patterns/edge_words.h"

#include <bit>

#include "base/ranks.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/patterns/straight_fit.h"

namespace quillon::odds {

using namespace pattern_key;

namespace {

// Edge lists longer than this are said as "at the ace end" alone.
constexpr std::size_t kMostListed = 6;

// Whether a set of natural ranks belongs to the draws of a key's ways (any, where it has none):
// wherever a key says its ways, they are one more than the straights that reach it.
bool ways_match(PatternKey key, const StraightFit& fit) {
    const unsigned ways = get(key, kWays);
    return ways == 0 || static_cast<int>(ways) == fit.ways + 1;
}

std::vector<unsigned> edge_sets(PatternKey key, const RankProfile& profile) {
    const int wild = static_cast<int>(get(key, kWild));
    const int k = static_cast<int>(get(key, kHeld)) - wild;
    const Family family = family_of(key);
    const bool high_counts = counts_high(family, k + wild, profile) && get(key, kAnyHigh) == 0;
    const unsigned type = get(key, kSfType);
    std::vector<unsigned> out;
    for (unsigned mask = 1; mask < (1u << kRankCount); ++mask) {
        if (std::popcount(mask) != k || (mask & ~profile.naturals) != 0) {
            continue;
        }
        const StraightFit fit = straight_fit(mask, profile.naturals);
        const bool royal = (mask & ((1u << kTen) - 1)) == 0;
        if (fit.fits == 0 || !fit.edge || (family == Family::straight_flush && royal) ||
            (type == 0 && fit.span - k != static_cast<int>(get(key, kGaps))) ||
            !ways_match(key, fit)) {
            continue;
        }
        int high = 0;
        for (int r = 0; r < kRankCount; ++r) {
            high += (mask >> r & 1u) != 0 && profile.high[static_cast<std::size_t>(r)] ? 1 : 0;
        }
        if ((type != 0 && sf_type(high, fit.span - k) != type) ||
            (type == 0 && high_counts && high != static_cast<int>(get(key, kHigh)))) {
            continue;
        }
        out.push_back(mask);
    }
    return out;
}

}  // namespace

std::string count_text(int n, std::string_view one, std::string_view many) {
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

std::string ranks_text(unsigned ranks) {
    const bool ace_low = (ranks >> kAce & 1u) != 0 && (ranks & 0xfffu) != 0 &&
                         straight_fit(ranks).fits > 0 && std::bit_width(ranks & 0xfffu) <= 4;
    std::string text;
    const auto add = [&](int r) {
        text += text.empty() ? "" : "-";
        text += kRankSymbols[static_cast<std::size_t>(r)];
    };
    if (ace_low) {
        add(kAce);
    }
    for (int r = 0; r < kRankCount; ++r) {
        if ((ranks >> r & 1u) != 0 && !(ace_low && r == kAce)) {
            add(r);
        }
    }
    return text;
}

std::string edge_text(PatternKey key, const RankProfile& profile, std::vector<unsigned> more,
                      bool list_all) {
    std::vector<unsigned> sets = edge_sets(key, profile);
    sets.insert(sets.end(), more.begin(), more.end());
    const bool edge = get(key, kEdge) != 0;
    if (sets.empty()) {
        return "";
    }
    if (sets.size() > kMostListed && get(key, kWays) == 0 && !list_all) {
        return edge ? ", at the ace end" : ", not at the ace end";
    }
    std::string list;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        list += i == 0 ? "" : i + 1 == sets.size() ? " or " : ", ";
        list += ranks_text(sets[i]);
    }
    return edge ? ", " + list : ", not " + list;
}

}  // namespace quillon::odds
