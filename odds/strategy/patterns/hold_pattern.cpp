#include "odds/strategy/patterns/hold_pattern.h"

#include <algorithm>
#include <bit>
#include <span>
#include <utility>

#include "base/ranks.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/patterns/straight_fit.h"
#include "odds/strategy/words/distinction.h"

namespace quillon::odds {

using namespace pattern_key;

namespace {

bool notable(int rank, const RankProfile& profile) {
    return rank >= kTen || profile.high[static_cast<std::size_t>(rank)];
}

// The draw's patterns from the finest to the coarsest: exact ranks where they are few and all
// count (named), with the flush penalty where a suited draw can have one, then the family with
// its gaps and high cards, then the family with high cards, then the family alone.
HoldPatterns draw_keys(const std::array<int, 5>& ranks, const std::array<int, 5>& suits, int k,
                       int held, int wild, const RankProfile& profile, unsigned penalty) {
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
    // Three suited cards are named where they are three to a royal in a game without wild cards.
    const bool royal_three =
        k == 3 && suited && !profile.wild_cards && (mask & ((1u << kTen) - 1)) == 0;
    if (all_notable && (k <= 2 || (k == 3 && !suited) || royal_three)) {
        const PatternKey named = base | put(kNamed, 1) | put(kRanks, mask);
        if ((suited || k == 1) && penalty != 0) {
            out.push(named | put(kPenalty, penalty));
        }
        out.push(named);
    }
    const StraightFit fit = straight_fit(mask, profile.naturals);
    Family family = Family::plain;
    if (suited) {
        family = mask >= (1u << kTen) && (mask & ((1u << kTen) - 1)) == 0 ? Family::royal
                 : fit.fits > 0                                           ? Family::straight_flush
                                                                          : Family::flush;
    } else if (fit.fits > 0 && k + wild >= 3 && k >= 2) {
        family = Family::straight;
    }
    const PatternKey family_key = base | put(kFamily, static_cast<unsigned>(family));
    const bool high_counts = counts_high(family, k + wild, profile);
    const PatternKey with_high = family_key | put(kHigh, high_counts ? high : 0);
    const DrawView view{profile, family, k, held, wild, mask, high, fit, penalty, base};
    // The distinctions' patterns at each stage; one may end the draw's refining.
    bool complete = false;
    const auto add = [&](DrawStage stage, PatternKey stem) {
        for (const Distinction* d : distinctions_for(profile, kAddDraw)) {
            complete = d->add_draw(stage, view, stem, out) || complete;
        }
    };
    if (family == Family::straight_flush || family == Family::straight) {
        // Four to a straight is only ever outside (two ways) or inside (one).
        const PatternKey gaps = family == Family::straight && k == 4 && wild == 0
                                    ? put(kGaps, fit.ways == 2 ? 0 : 1)
                                    : put(kGaps, fit.span - k) | put(kEdge, fit.edge ? 1 : 0);
        add(DrawStage::gaps, with_high | gaps);
        out.push(with_high | gaps);
        if (high_counts) {
            out.push(family_key | gaps | put(kAnyHigh, 1));
        }
    }
    add(DrawStage::any_gaps, with_high | put(kAnyGaps, 1));
    out.push(with_high | put(kAnyGaps, 1));
    if (high_counts) {
        out.push(family_key | put(kAnyGaps, 1) | put(kAnyHigh, 1));
    }
    add(DrawStage::coarsest, family_key);
    if (complete) {
        return out;
    }
    for (const Distinction* d : distinctions_for(profile, kRefineDraw)) {
        if (d->refine_draw(view, out)) {
            break;
        }
    }
    return out;
}

// The row five natural cards of these rank counts are paid in.
std::size_t natural_row(const Game& game, const RankCounts& counts) {
    return game.row_of(natural_class(counts, false, false));
}

}  // namespace

bool pattern_key::counts_high(Family family, int held, const RankProfile& profile) {
    // Four to a royal plays alike whatever its high cards.
    return profile.pairs_pay && !(family == Family::royal && held >= 4);
}

bool pattern_key::ace_tells_royal(const RankProfile& profile, unsigned ranks, int wild) {
    const int k = std::popcount(ranks);
    if (!profile.joker || !profile.pairs_pay || wild != 0 || !profile.high[kAce] || k < 2 ||
        k > 3) {
        return false;
    }
    int high = 0;
    int other_high = 0;
    for (int r = kTen; r < kRankCount; ++r) {
        const bool is_high = profile.high[static_cast<std::size_t>(r)];
        high += is_high && (ranks >> r & 1u) != 0 ? 1 : 0;
        other_high += is_high && r != kAce ? 1 : 0;
    }
    // Draws of as many high cards both with the ace and without it: enough other high royal
    // ranks to stand in for it, and enough low ones beside it.
    const int low = kRankCount - kTen - 1 - other_high;
    return high >= 1 && other_high >= high && low >= k - high;
}

RankProfile rank_profile(const Game& game) {
    RankProfile profile;
    for (int r = 0; r < kRankCount; ++r) {
        const auto i = static_cast<std::size_t>(r);
        const std::size_t row = game.row_of(pair_of(r));
        profile.pair_row[i] = static_cast<std::uint8_t>(row);
        profile.high[i] = game.pay(row) > 0;
        profile.pairs_pay = profile.pairs_pay || game.pay(row) > 0;
        // Four of the rank beside each kicker: the least pay is the plain four, and the kickers
        // that pay more are the rank's kickers.
        std::int64_t least = -1;
        std::array<std::size_t, kRankCount> rows{};
        for (int k = 0; k < kRankCount; ++k) {
            if (k == r) {
                continue;
            }
            RankCounts counts{};
            counts[i] = 4;
            counts[static_cast<std::size_t>(k)] = 1;
            rows[static_cast<std::size_t>(k)] = natural_row(game, counts);
            const std::int64_t pay = game.pay(rows[static_cast<std::size_t>(k)]);
            if (least < 0 || pay < least) {
                least = pay;
                profile.quad_row[i] = static_cast<std::uint8_t>(rows[static_cast<std::size_t>(k)]);
            }
        }
        for (int k = 0; k < kRankCount; ++k) {
            if (k != r && game.pay(rows[static_cast<std::size_t>(k)]) > least) {
                profile.kickers[i] |= 1u << k;
            }
        }
    }
    profile.wild_cards = game.wild() != Wild::none;
    if (!profile.wild_cards) {
        profile.top_rows = 1u << game.row_of(HandClass::straight_flush) |
                           1u << game.row_of(HandClass::natural_royal);
        for (const HandClass c :
             {HandClass::three, HandClass::straight, HandClass::flush, HandClass::full_house}) {
            profile.made_rows |= 1u << game.row_of(c);
        }
    }
    // Only natural ranks make sets: in deuces wild four 2s are the wild cards' own hand.
    profile.naturals = game.deuces_wild() ? 0x1ffeu : 0x1fffu;
    profile.joker = game.has_joker() && !game.deuces_wild();
    const auto first = static_cast<std::size_t>(std::countr_zero(profile.naturals));
    for (std::size_t i = first; i < kRankCount; ++i) {
        if (profile.quad_row[i] != profile.quad_row[first] ||
            (profile.kickers[i] & profile.naturals) != 0) {
            profile.quads_vary = true;
        }
    }
    // A kicker of a rank's own can never be held beside its set, so ranks whose kickers differ
    // only by each other's rank play alike: four 2s with an ace, 3 or 4 as four 3s with an ace,
    // 2 or 4.
    for (std::size_t i = 0; i < kRankCount; ++i) {
        for (std::size_t j = 0; j < kRankCount; ++j) {
            const unsigned own = 1u << i | 1u << j;
            const bool fours = profile.quad_row[i] == profile.quad_row[j] &&
                               (profile.kickers[i] | own) == (profile.kickers[j] | own);
            const bool pairs = fours && profile.pair_row[i] == profile.pair_row[j];
            const bool natural = (profile.naturals >> j & 1u) != 0;
            profile.set_group[i] |= profile.quads_vary && natural && fours ? 1u << j : 0u;
            profile.pair_group[i] |= profile.quads_vary && natural && pairs ? 1u << j : 0u;
        }
    }
    for (const Distinction* d : distinctions_for(profile, kAdjustProfile)) {
        d->adjust_profile(game, profile);
    }
    for (std::size_t i = 0; i < kRankCount; ++i) {
        for (std::size_t j = 0; j < kRankCount; ++j) {
            if ((profile.set_group[i] >> j & 1u) != 0) {
                profile.group_kickers[i] |= profile.kickers[j] & profile.naturals;
            }
        }
    }
    if (game.wild() == Wild::deuces_joker) {
        profile.joker_beside_deuces = true;
        profile.wild_name = "wild card";
        profile.wild_plural = "wild cards";
    } else if (game.deuces_wild()) {
        profile.wild_name = "deuce";
        profile.wild_plural = "deuces";
    } else {
        profile.wild_name = "joker";
        profile.wild_plural = "jokers";
    }
    profile.wild_any =
        game.jokers() == 1 && !game.deuces_wild() ? "the joker" : profile.wild_plural;
    return profile;
}

bool is_wild(CardId card, const Game& game) {
    return card.is_joker() || (game.deuces_wild() && card.rank() == 2);
}

PatternKey discard_everything() {
    return put(kKind, static_cast<unsigned>(Kind::nothing));
}

PatternKey any_paying_hand() {
    return put(kKind, static_cast<unsigned>(Kind::made_five)) | put(kHeld, 5) | put(kRow, kNoRow);
}

bool is_pat_pattern(PatternKey key) {
    switch (kind_of(key)) {
        case Kind::made_five:
            // The lines of dealt hands kept whole take in three of a kind and pairs too.
            return get(key, kRow) != kMadeRow && get(key, kRow) != kPaidRow &&
                   get(key, kRow) != kPairRow && get(key, kRow) != kRoyalDrawRow;
        case Kind::wild_alone:
            return get(key, kWild) == 4;
        case Kind::sets:
            return get(key, kTop) + get(key, kWild) >= 4;
        default:
            return false;
    }
}

bool keeps_dealt_hand(PatternKey key) {
    return kind_of(key) == Kind::made_five && get(key, kRow) >= kRoyalDrawRow &&
           get(key, kRow) <= kTopRow;
}

namespace {
HoldPatterns hold_patterns(const Game& game, const RankProfile& profile,
                           const std::array<CardId, 5>& deal, HoldMask mask);
}  // namespace

HoldPatterns patterns_of(const Game& game, const RankProfile& profile,
                         const std::array<CardId, 5>& deal, HoldMask mask) {
    HoldPatterns out = hold_patterns(game, profile, deal, mask);
    for (const Distinction* d : distinctions_for(profile, kAddDealt)) {
        d->add_dealt(profile, deal, mask, out);
    }
    return out;
}

namespace {

// The patterns of the held cards alone (and of the suits discarded beside them).
HoldPatterns hold_patterns(const Game& game, const RankProfile& profile,
                           const std::array<CardId, 5>& deal, HoldMask mask) {
    std::array<int, 5> ranks{};
    std::array<int, 5> suits{};
    RankCounts counts{};
    int k = 0;
    int wild = 0;
    int jokers = 0;
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask >> i & 1u) == 0) {
            continue;
        }
        if (is_wild(deal[i], game)) {
            ++wild;
            jokers += deal[i].is_joker() ? 1 : 0;
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
    unsigned single_ranks = 0;
    int top_rank = 0;
    for (int r = 0; r < kRankCount; ++r) {
        const unsigned c = counts[static_cast<std::size_t>(r)];
        singles += c == 1 ? 1 : 0;
        single_ranks |= c == 1 ? 1u << r : 0u;
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
        const ReadingSets sets = readings(counts, wild, suited, game.wild(), jokers);
        const HandClass hand = game.best_reading(suited ? sets.flush : sets.plain);
        const std::size_t row = game.row_of(hand);
        if (whole && game.pay(row) > 0) {
            // Made hands play alike with or without wild cards.
            out.push((any_paying_hand() & ~field_bits(kRow)) |
                     put(kRow, static_cast<unsigned>(row)));
            for (const Distinction* d : distinctions_for(profile, kRefineMade)) {
                d->refine_made(game, row, out);
            }
            out.push(any_paying_hand());
            return out;
        }
    }
    if (top >= 2) {
        const auto t = static_cast<std::size_t>(top_rank);
        const bool single_set = second < 2;
        const unsigned row = top == 2 && single_set ? profile.pair_row[t] : kNoRow;
        const PatternKey plain = base | put(kKind, static_cast<unsigned>(Kind::sets)) |
                                 put(kTop, top) | put(kSecond, second) | put(kKickers, singles) |
                                 put(kRow, row);
        // In deuces wild, sets beside kickers that pay nothing more are not grouped.
        const bool plain_only = !single_set || (singles > 0 && profile.groups_need_paying_kickers &&
                                                profile.group_kickers[t] == 0);
        const unsigned group = plain_only ? 0
                               : top == 2 ? profile.pair_group[t]
                                          : profile.set_group[t];
        if (group != 0) {
            // By rank group, by kicker where the game pays by kicker, then any set of the size.
            const PatternKey grouped = plain | put(kRanks, group);
            if (singles > 0 && profile.group_kickers[t] != 0) {
                const bool pays = (single_ranks & profile.kickers[t]) != 0;
                out.push(grouped | put(kKickerPays, pays ? 1 : 2));
            }
            out.push(grouped);
        }
        out.push(plain);
        for (const Distinction* d : distinctions_for(profile, kAddSet)) {
            d->add_set(held, k, single_set && singles == 0, profile, out);
        }
        return out;
    }
    // A suited draw of few cards pays a penalty where a discard shares its suit; so does an ace
    // held alone in a game without wild cards.
    unsigned penalty = 0;
    const bool lone_ace = k == 1 && wild == 0 && ranks[0] == kAce && !profile.wild_cards;
    if (((k >= 2 && k <= 3) || lone_ace) && held < 5) {
        penalty = 2;
        for (std::size_t i = 0; i < 5; ++i) {
            if ((mask >> i & 1u) == 0 && !is_wild(deal[i], game) &&
                static_cast<int>(deal[i].suit()) == suits[0]) {
                penalty = 1;
            }
        }
    }
    HoldPatterns draws = draw_keys(ranks, suits, k, held, wild, profile, penalty);
    const HoldView view{game, profile, deal, mask, ranks, suits, k, wild};
    for (const Distinction* d : distinctions_for(profile, kRefineHold)) {
        if (d->refine_hold(view, draws)) {
            break;
        }
    }
    return draws;
}

}  // namespace

HoldPatterns coarser_patterns(PatternKey key, const RankProfile& profile) {
    // A word that only narrows a coarser pattern down: that pattern, then every pattern coarser
    // than it (from the last one the word gives, where it gives several).
    const auto chained = [&](HoldPatterns out, PatternKey from) {
        for (const PatternKey next : coarser_patterns(from, profile)) {
            out.push(next);
        }
        return out;
    };
    for (const Distinction* d : distinctions_for(profile, kNarrows)) {
        if (const HoldPatterns narrowed = d->narrows(key, profile); narrowed.count != 0) {
            return chained(narrowed, narrowed.keys[narrowed.count - 1]);
        }
    }
    HoldPatterns out;
    // The distinctions' coarser patterns at each stage; at the first, one may give them all.
    const auto add = [&](CoarserStage stage) {
        bool all = false;
        for (const Distinction* d : distinctions_for(profile, kAddCoarser)) {
            all = d->add_coarser(stage, key, profile, out) || all;
        }
        return all;
    };
    if (add(CoarserStage::first)) {
        return out;
    }
    if (kind_of(key) == Kind::sets) {
        add(CoarserStage::kind);
        if (get(key, kKickerPays) != 0) {
            out.push(key & ~put(kKickerPays, 3));
        }
        if (get(key, kRanks) != 0) {
            out.push(key & ~put(kKickerPays, 3) & ~put(kRanks, 0x1fff));
        }
        add(CoarserStage::last);
        return out;
    }
    if (kind_of(key) == Kind::made_five) {
        add(CoarserStage::kind);
        add(CoarserStage::last);
        // A row's hand, or a pattern that takes in several rows' hands, is a paying hand.
        const unsigned row = get(key, kRow);
        if (row < kRoyalDrawRow || (row == kNoRow && key != any_paying_hand())) {
            out.push(any_paying_hand());
        }
    }
    if (kind_of(key) != Kind::draw) {
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
        const HoldPatterns all = draw_keys(r, suits, k, held, wild, profile, get(key, kPenalty));
        for (const PatternKey next : all) {
            if (next != key) {
                out.push(next);
            }
        }
        return out;
    }
    add(CoarserStage::kind);
    if (get(key, kWays) != 0) {
        // The draw of those gaps, and every pattern coarser than that.
        const PatternKey gaps = key & ~put(kWays, 7);
        out.push(gaps);
        for (const PatternKey coarser : coarser_patterns(gaps, profile)) {
            out.push(coarser);
        }
        add(CoarserStage::family);
        return out;
    }
    constexpr PatternKey kGapBits = put(kGaps, 7) | put(kEdge, 1);
    const bool high_counts = counts_high(family_of(key), held, profile);
    if (get(key, kAnyGaps) == 0 && high_counts && get(key, kAnyHigh) == 0) {
        out.push((key & ~put(kHigh, 7)) | put(kAnyHigh, 1));
    }
    add(CoarserStage::family);
    if (get(key, kAnyGaps) == 0 && get(key, kAnyHigh) == 0) {
        out.push((key & ~kGapBits) | put(kAnyGaps, 1));
    }
    if ((high_counts && get(key, kAnyHigh) == 0) ||
        (get(key, kAnyGaps) == 0 && get(key, kAnyHigh) != 0)) {
        out.push((key & ~kGapBits & ~put(kHigh, 7)) | put(kAnyGaps, 1) | put(kAnyHigh, 1));
    }
    add(CoarserStage::last);
    return out;
}

std::uint64_t hold_preference(const Game& game, const std::array<CardId, 5>& deal, HoldMask mask) {
    std::uint64_t score = 0;
    unsigned ranks = 0;
    bool paired = false;
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask >> i & 1u) != 0 && !is_wild(deal[i], game)) {
            const int r = engine_rank(deal[i].rank());
            score += static_cast<unsigned>(r + 1);
            paired = paired || (ranks >> r & 1u) != 0;
            ranks |= 1u << r;
        }
    }
    // First the hold that can make the most straights, counting a royal's cards as five more
    // (two cards of one rank make none, and are no royal's), then the natural cards' total (a two
    // 1 ... an ace 13), then the first in card order, as every report breaks ties, so that the
    // choice never depends on the order the cards were dealt in.
    const bool royal = !paired && ranks != 0 && (ranks & ((1u << kTen) - 1)) == 0;
    const unsigned naturals = game.deuces_wild() ? 0x1ffeu : 0x1fffu;
    const int ways = paired ? 0 : straight_fit(ranks, naturals).ways;
    score += static_cast<std::uint64_t>(ways + (royal ? 5 : 0)) << 8;
    const unsigned place = hold_places(deal)[mask];
    return score << 32 | (kHoldCount - 1 - place);
}

}  // namespace quillon::odds
