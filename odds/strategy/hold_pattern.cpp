#include "odds/strategy/hold_pattern.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace quillon::odds {

namespace {

// The fields of a packed pattern.
enum class Kind : unsigned { nothing, wild_alone, made_five, sets, draw };
enum class Family : unsigned { plain, royal, straight_flush, flush, straight };

constexpr int kFirstRoyalRank = 8;  // the ten
constexpr unsigned kNoRow = 31;

struct Field {
    unsigned shift;
    unsigned bits;
};
constexpr Field kKind{0, 3};
constexpr Field kHeld{3, 3};
constexpr Field kWild{6, 3};
// Sets and made hands.
constexpr Field kTop{9, 3};
constexpr Field kSecond{12, 3};
constexpr Field kKickers{15, 3};
constexpr Field kRow{18, 5};
// Draws.
constexpr Field kFamily{9, 3};
constexpr Field kGaps{12, 3};
constexpr Field kEdge{15, 1};
constexpr Field kHigh{16, 3};
constexpr Field kSuited{19, 1};
constexpr Field kNamed{20, 1};
constexpr Field kRanks{36, 13};
constexpr Field kAnyGaps{34, 1};
constexpr Field kAnyHigh{35, 1};

constexpr PatternKey put(Field f, unsigned value) {
    return PatternKey{value & ((1u << f.bits) - 1)} << f.shift;
}
constexpr unsigned get(PatternKey key, Field f) {
    return static_cast<unsigned>(key >> f.shift) & ((1u << f.bits) - 1);
}

// The ten straights as engine-rank masks, the wheel first.
constexpr std::array<unsigned, 10> kStraights = [] {
    std::array<unsigned, 10> s{};
    s[0] = 0b1'0000'0000'1111u;
    for (unsigned low = 0; low < 9; ++low) {
        s[low + 1] = 0b11111u << low;
    }
    return s;
}();

constexpr std::array<std::string_view, kRankCount> kShort = {"2", "3",  "4", "5", "6", "7", "8",
                                                             "9", "10", "J", "Q", "K", "A"};
constexpr std::array<std::string_view, kRankCount> kLong = {
    "two",  "three", "four", "five",  "six",  "seven", "eight",
    "nine", "ten",   "jack", "queen", "king", "ace"};

bool notable(int rank, const RankProfile& profile) {
    return rank >= kFirstRoyalRank || profile.high[static_cast<std::size_t>(rank)];
}

struct StraightFit {
    int ways = 0;
    int span = 0;
};

StraightFit straight_fit(unsigned ranks) {
    StraightFit fit;
    fit.span = 99;
    for (const unsigned s : kStraights) {
        if ((ranks & ~s) == 0) {
            ++fit.ways;
        }
    }
    if (fit.ways == 0 || ranks == 0) {
        return fit;
    }
    const int high = std::bit_width(ranks) - 1;
    const int low = std::countr_zero(ranks);
    fit.span = high - low + 1;
    if ((ranks >> 12 & 1u) != 0) {
        // The ace played low, below the two.
        const unsigned rest = ranks & 0xfffu;
        const int top = rest == 0 ? -1 : std::bit_width(rest) - 1;
        fit.span = std::min(fit.span, top + 2);
    }
    return fit;
}

// The draw's patterns from the finest to the coarsest: exact ranks where they are few and all
// count (named), then the family with its gaps and high cards, then the family with high cards,
// then the family alone.
HoldPatterns draw_keys(const std::array<int, 5>& ranks, const std::array<int, 5>& suits, int k,
                       int held, int wild, const RankProfile& profile) {
    unsigned mask = 0;
    int high = 0;
    bool all_notable = true;
    bool suited = k >= 2;
    for (int i = 0; i < k; ++i) {
        const auto r = static_cast<std::size_t>(ranks[static_cast<std::size_t>(i)]);
        mask |= 1u << r;
        high += profile.high[r] ? 1 : 0;
        all_notable = all_notable && notable(static_cast<int>(r), profile);
        suited = suited && suits[static_cast<std::size_t>(i)] == suits[0];
    }
    const PatternKey base = put(kKind, static_cast<unsigned>(Kind::draw)) | put(kHeld, held) |
                            put(kWild, wild) | put(kSuited, suited ? 1 : 0);
    HoldPatterns out;
    if (all_notable && (k <= 2 || (k == 3 && !suited))) {
        out.push(base | put(kNamed, 1) | put(kRanks, mask));
    }
    const StraightFit fit = straight_fit(mask);
    Family family = Family::plain;
    if (suited) {
        family = mask >= (1u << kFirstRoyalRank) && (mask & ((1u << kFirstRoyalRank) - 1)) == 0
                     ? Family::royal
                 : fit.ways > 0 ? Family::straight_flush
                                : Family::flush;
    } else if (fit.ways > 0 && k + wild >= 3 && k >= 2) {
        family = Family::straight;
    }
    const PatternKey family_key = base | put(kFamily, static_cast<unsigned>(family));
    // Four to a royal plays alike whatever its high cards.
    const bool high_counts = profile.pairs_pay && !(family == Family::royal && k + wild >= 4);
    const PatternKey with_high = family_key | put(kHigh, high_counts ? high : 0);
    if (family == Family::straight_flush || family == Family::straight) {
        const bool edge = fit.ways < 6 - fit.span;
        if (family == Family::straight && k == 4 && wild == 0) {
            // Four to a straight is only ever outside (two ways) or inside (one).
            out.push(with_high | put(kGaps, fit.ways == 2 ? 0 : 1));
        } else {
            out.push(with_high | put(kGaps, fit.span - k) | put(kEdge, edge ? 1 : 0));
        }
    }
    out.push(with_high | put(kAnyGaps, 1));
    if (high_counts) {
        out.push(family_key | put(kAnyGaps, 1) | put(kAnyHigh, 1));
    }
    return out;
}

std::string count_text(int n, std::string_view one, std::string_view many) {
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

std::string wild_prefix(unsigned wild, const RankProfile& profile) {
    if (wild == 0) {
        return "";
    }
    return wild == 1 ? profile.wild_name + " + "
                     : std::to_string(wild) + " " + profile.wild_plural + " + ";
}

std::string named_text(PatternKey key, const RankProfile& profile) {
    const unsigned ranks = get(key, kRanks);
    const int k = std::popcount(ranks);
    const std::string prefix = wild_prefix(get(key, kWild), profile);
    if (k == 1) {
        const auto r = static_cast<std::size_t>(std::countr_zero(ranks));
        return prefix.empty() ? std::string(kLong[r]) + " alone" : prefix + std::string(kLong[r]);
    }
    std::string text = prefix + (get(key, kSuited) != 0 ? "suited " : "unsuited ");
    bool first = true;
    for (std::size_t r = 0; r < kRankCount; ++r) {
        if ((ranks >> r & 1u) != 0) {
            text += first ? "" : "-";
            text += kShort[r];
            first = false;
        }
    }
    return text;
}

std::string draw_text(PatternKey key, const RankProfile& profile) {
    if (get(key, kNamed) != 0) {
        return named_text(key, profile);
    }
    const int wild = static_cast<int>(get(key, kWild));
    const int k = static_cast<int>(get(key, kHeld)) - wild;
    const auto family = static_cast<Family>(get(key, kFamily));
    const std::string prefix = wild_prefix(static_cast<unsigned>(wild), profile);
    const int gaps = static_cast<int>(get(key, kGaps));
    const bool edge = get(key, kEdge) != 0;
    const bool any_gaps = get(key, kAnyGaps) != 0;
    std::string text;
    bool gaps_said = false;
    switch (family) {
        case Family::royal:
            text = std::to_string(k) + " to a royal flush";
            break;
        case Family::straight_flush:
            text = std::to_string(k) + " to a straight flush";
            break;
        case Family::flush:
            text = std::to_string(k) + " to a flush";
            break;
        case Family::straight:
            if (k == 4 && wild == 0 && !any_gaps) {
                text = gaps == 0 ? "4 to an outside straight" : "4 to an inside straight";
                gaps_said = true;
            } else {
                text = std::to_string(k) + " to a straight";
            }
            break;
        case Family::plain:
            if (k == 1) {
                const bool high = get(key, kHigh) != 0;
                text = get(key, kAnyHigh) != 0 || !profile.pairs_pay ? "one card"
                       : high                                        ? "a high card"
                                                                     : "a low card";
                text += wild == 0 ? " alone" : "";
                gaps_said = true;
            } else {
                text = count_text(k, "card", "unsuited cards");
            }
            break;
    }
    text = prefix + text;
    if ((family == Family::straight_flush || family == Family::straight) && !gaps_said &&
        !any_gaps) {
        text += gaps == 0 ? ", no gaps" : ", " + count_text(gaps, "gap", "gaps");
        text += edge ? " at the ace end" : "";
    }
    const bool single = family == Family::plain && k == 1;
    if (profile.pairs_pay && get(key, kAnyHigh) == 0 && !single &&
        !(family == Family::royal && k + wild >= 4)) {
        const int high = static_cast<int>(get(key, kHigh));
        text += high == 0 ? ", no high card" : ", " + count_text(high, "high card", "high cards");
    }
    return text;
}

constexpr std::array<std::string_view, kRankCount> kPlural = {
    "2s", "3s", "4s", "5s", "6s", "7s", "8s", "9s", "10s", "jacks", "queens", "kings", "aces"};

// "aces", "2s to 4s": a run of ranks that play alike.
std::string rank_range(unsigned ranks) {
    const auto low = static_cast<std::size_t>(std::countr_zero(ranks));
    const auto high = static_cast<std::size_t>(std::bit_width(ranks) - 1);
    return low == high ? std::string(kPlural[low])
                       : std::string(kPlural[low]) + " to " + std::string(kPlural[high]);
}

std::string pair_text(unsigned row, const Game& game, const RankProfile& profile) {
    if (!profile.pairs_pay) {
        return "pair";
    }
    if (row != kNoRow && game.pay(row) > 0) {
        return "high pair (" + game.rows()[row].label + ")";
    }
    return "low pair";
}

std::string sets_text(PatternKey key, const Game& game, const RankProfile& profile) {
    const unsigned top = get(key, kTop);
    const unsigned second = get(key, kSecond);
    std::string text;
    if (top == 4) {
        text = "four of a kind";
    } else if (top == 3) {
        text = second == 2 ? "full house" : "three of a kind";
    } else {
        text = second == 2 ? "two pair" : pair_text(get(key, kRow), game, profile);
    }
    if (const unsigned group = get(key, kRanks); group != 0) {
        const bool paren = text.back() == ')';
        text = paren ? text.substr(0, text.size() - 1) + ", " + rank_range(group) + ")"
                     : text + " (" + rank_range(group) + ")";
    }
    text = wild_prefix(get(key, kWild), profile) + text;
    const unsigned kickers = get(key, kKickers);
    if (kickers > 0) {
        text += " + " + count_text(static_cast<int>(kickers), "kicker", "kickers");
    }
    return text;
}

}  // namespace

RankProfile rank_profile(const Game& game) {
    RankProfile profile;
    // Four of a rank beside a king (a queen for kings): the four's own row, kickers aside.
    const auto quads = [](int rank) {
        return four_of(rank, rank == kAce - 1 ? kAce - 2 : kAce - 1);
    };
    for (int r = 0; r < kRankCount; ++r) {
        const auto i = static_cast<std::size_t>(r);
        const std::size_t row = game.row_of(pair_of(r));
        profile.pair_row[i] = static_cast<std::uint8_t>(row);
        profile.quad_row[i] = static_cast<std::uint8_t>(game.row_of(quads(r)));
        profile.high[i] = game.pay(row) > 0;
        profile.pairs_pay = profile.pairs_pay || game.pay(row) > 0;
    }
    // Where four of a kind pays by rank, pairs and threes are told apart by the same groups.
    for (int r = 0; r < kRankCount; ++r) {
        const auto i = static_cast<std::size_t>(r);
        if (profile.quad_row[i] != profile.quad_row[0] ||
            profile.quad_row[i] != profile.quad_row[kAce]) {
            profile.quads_vary = true;
        }
    }
    for (std::size_t i = 0; i < kRankCount; ++i) {
        for (std::size_t j = 0; j < kRankCount; ++j) {
            const bool same = profile.pair_row[i] == profile.pair_row[j] &&
                              profile.quad_row[i] == profile.quad_row[j];
            profile.group[i] |= profile.quads_vary && same ? 1u << j : 0u;
        }
    }
    if (game.wild() == Wild::deuces) {
        profile.wild_name = "deuce";
        profile.wild_plural = "deuces";
    } else {
        profile.wild_name = "joker";
        profile.wild_plural = "jokers";
    }
    return profile;
}

bool is_wild(CardId card, const Game& game) {
    switch (game.wild()) {
        case Wild::joker:
            return card.is_joker();
        case Wild::deuces:
            return card.rank() == 2;
        default:
            return false;
    }
}

PatternKey discard_everything() {
    return put(kKind, static_cast<unsigned>(Kind::nothing));
}

HoldPatterns patterns_of(const Game& game, const RankProfile& profile,
                         const std::array<CardId, 5>& deal, HoldMask mask) {
    std::array<int, 5> ranks{};
    std::array<int, 5> suits{};
    std::array<std::uint8_t, kRankCount> counts{};
    int k = 0;
    int wild = 0;
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask >> i & 1u) == 0) {
            continue;
        }
        if (is_wild(deal[i], game)) {
            ++wild;
            continue;
        }
        const int r = engine_rank(deal[i].rank());
        ranks[static_cast<std::size_t>(k)] = r;
        suits[static_cast<std::size_t>(k)] = static_cast<int>(deal[i].suit());
        ++counts[static_cast<std::size_t>(r)];
        ++k;
    }
    const int held = k + wild;
    HoldPatterns out;
    if (held == 0) {
        out.push(discard_everything());
        return out;
    }
    const PatternKey base = put(kHeld, held) | put(kWild, wild);
    if (k == 0) {
        out.push(base | put(kKind, static_cast<unsigned>(Kind::wild_alone)));
        return out;
    }
    unsigned top = 0;
    unsigned second = 0;
    unsigned singles = 0;
    int top_rank = 0;
    for (int r = 0; r < kRankCount; ++r) {
        const unsigned c = counts[static_cast<std::size_t>(r)];
        singles += c == 1 ? 1 : 0;
        if (c > top) {
            second = top;
            top = c;
            top_rank = r;
        } else if (c > second) {
            second = c;
        }
    }
    if (held == 5) {
        // A paying five-card hand that uses every card is named by its row.
        const bool whole = top < 2 || singles == 0;
        bool flush = true;
        for (int i = 1; i < k; ++i) {
            flush = flush && suits[static_cast<std::size_t>(i)] == suits[0];
        }
        const bool suited = flush && top < 2;
        const ReadingSets sets = readings(counts, wild, suited, game.wild());
        const HandClass hand = game.best_reading(suited ? sets.flush : sets.plain);
        const std::size_t row = game.row_of(hand);
        if (whole && game.pay(row) > 0) {
            // Made hands play alike with or without wild cards.
            out.push(put(kKind, static_cast<unsigned>(Kind::made_five)) | put(kHeld, 5) |
                     put(kRow, static_cast<unsigned>(row)));
            return out;
        }
    }
    if (top >= 2) {
        const unsigned row =
            top == 2 && second < 2 ? profile.pair_row[static_cast<std::size_t>(top_rank)] : kNoRow;
        const unsigned group = second < 2 ? profile.group[static_cast<std::size_t>(top_rank)] : 0;
        out.push(base | put(kKind, static_cast<unsigned>(Kind::sets)) | put(kTop, top) |
                 put(kSecond, second) | put(kKickers, singles) | put(kRow, row) |
                 put(kRanks, group));
        return out;
    }
    return draw_keys(ranks, suits, k, held, wild, profile);
}

HoldPatterns coarser_patterns(PatternKey key, const RankProfile& profile) {
    HoldPatterns out;
    if (static_cast<Kind>(get(key, kKind)) != Kind::draw) {
        return out;
    }
    const int held = static_cast<int>(get(key, kHeld));
    const int wild = static_cast<int>(get(key, kWild));
    if (get(key, kNamed) != 0) {
        // Rebuilt from its ranks: suited cards share a suit, unsuited ones do not.
        const unsigned ranks = get(key, kRanks);
        std::array<int, 5> r{};
        std::array<int, 5> suits{};
        int k = 0;
        for (int rank = 0; rank < kRankCount; ++rank) {
            if ((ranks >> rank & 1u) != 0) {
                suits[static_cast<std::size_t>(k)] = get(key, kSuited) != 0 ? 0 : k;
                r[static_cast<std::size_t>(k++)] = rank;
            }
        }
        const HoldPatterns all = draw_keys(r, suits, k, held, wild, profile);
        for (std::size_t i = 1; i < all.count; ++i) {
            out.push(all.keys[i]);
        }
        return out;
    }
    constexpr PatternKey kGapBits = put(kGaps, 7) | put(kEdge, 1);
    if (get(key, kAnyGaps) == 0) {
        out.push((key & ~kGapBits) | put(kAnyGaps, 1));
    }
    const auto family = static_cast<Family>(get(key, kFamily));
    const bool high_counts = profile.pairs_pay && !(family == Family::royal && held >= 4);
    if (high_counts && get(key, kAnyHigh) == 0) {
        out.push((key & ~kGapBits & ~put(kHigh, 7)) | put(kAnyGaps, 1) | put(kAnyHigh, 1));
    }
    return out;
}

std::string pattern_text(PatternKey key, const Game& game, const RankProfile& profile) {
    switch (static_cast<Kind>(get(key, kKind))) {
        case Kind::nothing:
            return "discard everything";
        case Kind::wild_alone:
            return get(key, kWild) == 1
                       ? profile.wild_name + " alone"
                       : std::to_string(get(key, kWild)) + " " + profile.wild_plural + " alone";
        case Kind::made_five:
            return game.rows()[get(key, kRow)].label;
        case Kind::sets:
            return sets_text(key, game, profile);
        case Kind::draw:
            return draw_text(key, profile);
    }
    return "?";
}

std::uint64_t hold_preference(const Game& game, const std::array<CardId, 5>& deal, HoldMask mask) {
    std::uint64_t score = 0;
    std::array<int, 5> codes{};
    std::size_t n = 0;
    unsigned ranks = 0;
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask >> i & 1u) != 0) {
            if (!is_wild(deal[i], game)) {
                const int r = engine_rank(deal[i].rank());
                score += static_cast<unsigned>(r + 1);
                ranks |= 1u << r;
            }
            codes[n++] = deal[i].code();
        }
    }
    // First the hold that can make the most straights, counting a royal's cards as five more,
    // then the higher cards.
    const bool royal = ranks != 0 && (ranks & ((1u << kFirstRoyalRank) - 1)) == 0;
    score += static_cast<std::uint64_t>(straight_fit(ranks).ways + (royal ? 5 : 0)) << 8;
    // Equal rank totals fall back on the held cards themselves, the highest code first, so
    // that the choice never depends on the order the cards were dealt in.
    for (std::size_t i = 1; i < n; ++i) {
        for (std::size_t j = i; j > 0 && codes[j] > codes[j - 1]; --j) {
            std::swap(codes[j], codes[j - 1]);
        }
    }
    std::uint64_t tie = 0;
    for (std::size_t i = 0; i < 5; ++i) {
        tie = tie << 6 | static_cast<std::uint64_t>(i < n ? codes[i] + 1 : 0);
    }
    return score << 32 | tie;
}

}  // namespace quillon::odds
