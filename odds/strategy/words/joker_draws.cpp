#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/ranks.h"
#include "odds/games/pay_table.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/patterns/straight_fit.h"
#include "odds/strategy/words/distinction.h"

// The distinctions of the joker games, where one wild card among 53 makes every single card a
// straight draw and the joker beside a king or an ace is a paying hand of all five cards:
// - a card kept alone, with the joker or without, is named by its rank ("joker + seven", "eight
//   alone"), since which rank to keep turns on the straights each one reaches;
// - "straight or better, all five cards" keeps every made hand from the straight up in one line,
//   without the joker and a king among junk, which also pays, and "flush or better", "full house
//   or better" and "straight flush or better" do the same from higher up;
// - two to a royal beside the joker say whether they hold the ace, and their flush penalty;
// - "joker + a card from 2 to 9" keeps the joker and one spot card;
// - straight-flush draws at the ace end, with the joker or without, are told apart by how many
//   straights reach them: suited 3-4 three, 2-3 two, A-2 one.
namespace quillon::odds::joker_draws {

using namespace pattern_key;

namespace {

// Whether a game's charts make these distinctions: the games with the joker.
bool applies(const Game& game) {
    return game.has_joker() && !game.deuces_wild();
}

constexpr std::array<HandClass, 4> kFloorHands = {HandClass::straight, HandClass::flush,
                                                  HandClass::full_house, HandClass::straight_flush};

// The floors a made hand of all five cards in pay row `row` reaches (kFloors), where the game
// makes these distinctions: "straight or better" where a pair pays (elsewhere it is every paying
// hand), then "flush or better", "full house or better" and "straight flush or better" where the
// table pays those hands in that order.
PatternKey made_hand_floors(const Game& game, std::size_t row) {
    if (!applies(game) || game.pay(row) <= 0) {
        return 0;
    }
    // Where no pair pays, every paying hand of five cards is a straight or better already.
    const bool pairs_pay = game.pay_of(pair_of(kAce)) > 0;
    unsigned floors = 0;
    std::int64_t below = 1;
    for (std::size_t f = 0; f < kFloorHands.size(); ++f) {
        const std::int64_t pay = game.pay_of(kFloorHands[f]);
        if (pay < below) {
            break;
        }
        below = pay;
        if (game.pay(row) >= pay && (f > 0 || pairs_pay)) {
            floors |= 1u << f;
        }
    }
    return put(kFloors, floors);
}

// The patterns of the floors a made hand's key reaches, highest first.
HoldPatterns floor_patterns(PatternKey made) {
    unsigned floors = get(made, kFloors);
    if (get(made, kRow) == kNoRow && floors != 0) {
        // A floor's own key (one bit): every hand it takes in reaches the floors below it too,
        // wherever the game has them.
        floors -= 1;
    }
    HoldPatterns out;
    for (int f = static_cast<int>(kFloorHands.size()) - 1; f >= 0; --f) {
        if ((floors >> f & 1u) != 0) {
            out.push((made & ~put(kFloors, 15)) | put(kRow, kNoRow) | put(kFloors, 1u << f));
        }
    }
    return out;
}

// "flush or better, all five cards": a floor's words, in the game's names of the hands.
std::string floor_text(PatternKey key, const Game& game) {
    const auto f = static_cast<std::size_t>(std::countr_zero(get(key, kFloors)));
    return game.rows()[game.row_of(kFloorHands[f])].label + " or better, all five cards";
}

// Whether a draw of `wild` wild cards holds the joker: a wild card where every rank is natural.
bool holds_joker(int wild, const RankProfile& profile) {
    return wild > 0 && profile.naturals == 0x1fffu;
}

// Adds to two to a royal beside the joker (`draws`, their patterns finest first) the draw by
// whether it holds the ace, and by that and its flush penalty (0 where not known): an ace closes
// all straights but one, and a discard of the draw's suit takes a flush.
HoldPatterns royal_draw(const HoldPatterns& draws, unsigned ranks, unsigned penalty) {
    // The coarsest pattern, the family alone, comes last.
    const PatternKey family = draws.keys[draws.count - 1];
    const PatternKey ace = family | put(kRoyalAce, (ranks >> kAce & 1u) != 0 ? 2 : 1);
    HoldPatterns out;
    for (std::size_t i = 0; i + 1 < draws.count; ++i) {
        out.push(draws.keys[i]);
    }
    if (penalty != 0) {
        out.push(ace | put(kPenalty, penalty));
    }
    out.push(ace);
    out.push(family);
    return out;
}

// Adds to the patterns of one card below the ten beside the joker (`draws`, finest first) "joker +
// a card from 2 to 9": where a line fits several cards the tie rule keeps a royal's card first,
// but beside the joker the spot card that reaches the most straights is mostly worth more.
HoldPatterns spot_card(const HoldPatterns& draws) {
    // The first pattern that names no rank.
    bool said = false;
    return marked_before(draws, put(kSpot, 1), [&](PatternKey key) {
        const bool first = !said && get(key, kNamed) == 0;
        said = said || first;
        return first;
    });
}

int high_count(unsigned ranks, const RankProfile& profile) {
    int high = 0;
    for (std::size_t r = 0; r < kRankCount; ++r) {
        high += (ranks >> r & 1u) != 0 && profile.high[r] ? 1 : 0;
    }
    return high;
}

// Whether the straight-flush draws at the ace end of `k` cards, these gaps and this many high
// cards (counted where pairs pay) reach different numbers of straights: only then do the ways
// tell them apart, and only then do the words differ.
class EdgeWays {
  public:
    explicit EdgeWays(const RankProfile& profile) : high_(profile.high) {
        std::array<std::array<std::array<unsigned, 6>, 8>, 5> seen{};
        for (unsigned mask = 1; mask < (1u << kRankCount); ++mask) {
            const int k = std::popcount(mask);
            const StraightFit fit = straight_fit(mask);
            const bool royal = (mask & ((1u << kTen) - 1)) == 0;
            if (k > 4 || fit.fits == 0 || !fit.edge || royal) {
                continue;
            }
            const int high = profile.pairs_pay ? high_count(mask, profile) : 0;
            seen[static_cast<std::size_t>(k)][static_cast<std::size_t>(fit.span - k)]
                [static_cast<std::size_t>(high)] |= 1u << fit.ways;
        }
        for (std::size_t k = 0; k < 5; ++k) {
            for (std::size_t g = 0; g < 8; ++g) {
                for (std::size_t h = 0; h < 6; ++h) {
                    vary_[k][g][h] = std::popcount(seen[k][g][h]) > 1;
                }
            }
        }
    }

    bool made_for(const RankProfile& profile) const { return high_ == profile.high; }
    bool vary(int k, int gaps, int high) const {
        return vary_[static_cast<std::size_t>(k)][static_cast<std::size_t>(gaps)]
                    [static_cast<std::size_t>(high)];
    }

  private:
    std::array<bool, kRankCount> high_;
    std::array<std::array<std::array<bool, 6>, 8>, 5> vary_{};
};

// The straight-flush draw whose gaps key is `gaps_key` (`naturals` natural cards, these ranks
// and fit) by the straights that reach it (kWays), where it sits at the ace end and draws of its
// size, gaps and high cards there reach different numbers of straights; 0 elsewhere.
PatternKey ways_key(PatternKey gaps_key, Family family, int naturals, unsigned ranks,
                    const StraightFit& fit, const RankProfile& profile) {
    if (!profile.joker || family != Family::straight_flush || !fit.edge || naturals > 4) {
        return 0;
    }
    // Each thread keeps the table of the last game it classified.
    thread_local std::optional<EdgeWays> edges;
    if (!edges || !edges->made_for(profile)) {
        edges.emplace(profile);
    }
    const int high = profile.pairs_pay ? high_count(ranks, profile) : 0;
    return edges->vary(naturals, fit.span - naturals, high)
               ? gaps_key | put(kWays, static_cast<unsigned>(fit.ways) + 1)
               : 0;
}

// Whether one natural card kept beside `wild` jokers is named by its rank: beside the joker, and
// alone where no pair pays (where pairs pay, a lone low card is never worth keeping, and naming
// every one only slows the search).
bool names_single(const Game& game, const RankProfile& profile, int wild) {
    return applies(game) && (wild > 0 || !profile.pairs_pay);
}

// The patterns of one natural card of `rank` kept beside `wild` jokers, finest first: the card
// by its rank, then the draw's own patterns (`coarser`, finest first).
HoldPatterns single_card(int rank, int wild, const HoldPatterns& coarser) {
    const PatternKey named = put(kKind, static_cast<unsigned>(Kind::draw)) |
                             put(kHeld, static_cast<unsigned>(1 + wild)) |
                             put(kWild, static_cast<unsigned>(wild)) | put(kNamed, 1) |
                             put(kRanks, 1u << rank);
    return put_first(named, coarser);
}

class JokerDraws final : public Registered<JokerDraws> {
  public:
    JokerDraws() : Registered("joker draws", kJokerGames) {}
    bool add_draw(DrawStage stage, const DrawView& v, PatternKey stem,
                  HoldPatterns& out) const override {
        if (stage == DrawStage::gaps) {
            if (const PatternKey ways =
                    ways_key(stem, v.family, v.naturals, v.ranks, v.fit, v.profile);
                ways != 0) {
                out.push(ways);
            }
        }
        // Two to a royal beside the joker are told apart by their ace and nothing later.
        if (stage == DrawStage::coarsest && v.family == Family::royal && v.naturals == 2 &&
            v.held <= 4 && holds_joker(v.wild, v.profile)) {
            out = royal_draw(out, v.ranks, v.penalty);
            return true;
        }
        return false;
    }
    std::string whole_words(PatternKey key, const Game& game, const RankProfile&) const override {
        const bool floor =
            kind_of(key) == Kind::made_five && get(key, kRow) == kNoRow && get(key, kFloors) != 0;
        return floor ? floor_text(key, game) : std::string{};
    }
    std::string draw_name(PatternKey key, const RankProfile&) const override {
        const bool spot = family_of(key) == Family::plain &&
                          get(key, kHeld) - get(key, kWild) == 1 && get(key, kSpot) != 0;
        return spot ? "a card from 2 to 9" : std::string{};
    }
    void refine_made(const Game& game, std::size_t row, HoldPatterns& out) const override {
        out.keys[0] |= made_hand_floors(game, row);
        for (const PatternKey floor : floor_patterns(out.keys[0])) {
            out.push(floor);
        }
    }
    bool add_coarser(CoarserStage stage, PatternKey key, const RankProfile&,
                     HoldPatterns& out) const override {
        if (stage == CoarserStage::kind && kind_of(key) == Kind::made_five) {
            for (const PatternKey floor : floor_patterns(key)) {
                out.push(floor);
            }
        }
        return false;
    }
    bool refine_draw(const DrawView& v, HoldPatterns& out) const override {
        if (v.naturals != 1 || v.ranks >= (1u << kTen) || !holds_joker(v.wild, v.profile)) {
            return false;
        }
        out = spot_card(out);
        return true;
    }
    bool refine_hold(const HoldView& v, HoldPatterns& out) const override {
        if (v.naturals == 1 && names_single(v.game, v.profile, v.wild)) {
            out = single_card(v.ranks[0], v.wild, out);
        }
        return false;
    }
    // The next coarser pattern of a key only this file makes; nothing for any other key.
    HoldPatterns narrows(PatternKey key, const RankProfile&) const override {
        HoldPatterns out;
        if (get(key, kSpot) != 0) {
            out.push(key & ~put(kSpot, 1));
        }
        if (get(key, kRoyalAce) != 0 && get(key, kNamed) == 0) {
            if (get(key, kPenalty) != 0) {
                out.push(key & ~put(kPenalty, 3));
            }
            out.push(key & ~put(kPenalty, 3) & ~put(kRoyalAce, 3));
        }
        return out;
    }
    // What this file's fields add to a draw's words: ", no ace, no flush penalty".
    std::string draw_words(PatternKey key, const RankProfile&) const override {
        const std::string_view ace =
            value_words(key, kRoyalAce, {"", ", no ace", ", with the ace"});
        return ace.empty() ? std::string() : std::string(ace) + std::string(penalty_text(key));
    }
    // Every pattern of these distinctions that a hold of the game can show.
    void add_vocabulary(const Game& game, const RankProfile& profile,
                        std::vector<PatternKey>& out) const override {
        if (!applies(game)) {
            return;
        }
        for (int wild = 0; wild <= 1; ++wild) {
            for (int rank = 0; rank < kRankCount; ++rank) {
                std::array<CardId, 5> deal{};
                std::size_t n = 0;
                if (wild != 0) {
                    deal[n++] = CardId::joker();
                }
                for (int r = rank; n < 5; r = (r + 3) % kRankCount) {
                    deal[n] =
                        CardId::of(n == 0 || (wild != 0 && n == 1) ? Suit::spade : Suit::heart,
                                   (r + 1) % kRankCount + 1);
                    ++n;
                }
                const auto held = static_cast<HoldMask>((1u << (1 + wild)) - 1);
                for (const PatternKey key : patterns_of(game, profile, deal, held)) {
                    add_word(out, key);
                }
            }
        }
    }
    // A made hand's floors take in hands of different rows the search keeps apart.
    bool merges(PatternKey key) const override { return get(key, kFloors) == 0; }
};

}  // namespace

const Distinction& distinction() {
    return JokerDraws::instance();
}

}  // namespace quillon::odds::joker_draws
