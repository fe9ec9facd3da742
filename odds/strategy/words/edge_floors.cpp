#include <array>
#include <bit>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/ranks.h"
#include "odds/strategy/patterns/edge_words.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/patterns/pattern_words.h"
#include "odds/strategy/patterns/straight_fit.h"
#include "odds/strategy/words/distinction.h"

// Straight-flush draws in deuces wild, by the straights natural cards can fill: at the low end a
// draw reaches fewer of them (3-4 fills only 3-7, 4-5 two, 5-6 three), and perfect play often
// keeps every draw of its gaps but the few poorest. "deuce + 2 to a straight flush, not a royal,
// no gaps, not 3-4" takes in the draws away from the end with those at the end that fill at
// least as many straights as 4-5, in one line where the draws by their ways would need three.
// The same words in the joker games (2-3 beside the joker reaches two straights, 3-4 three) made
// their charts' search find worse charts, so they stay with the four deuces (Deuces and Joker
// Wild's 40-rule chart lost 0.006 points with them); the ranks, high cards and naturals are the
// game's own all the same.
namespace quillon::odds::edge_floors {

using namespace pattern_key;

namespace {

// What tells the draws of a game apart: its natural ranks, and where a pair pays, its high
// cards (draws of different high cards are different lines).
struct Ranks {
    unsigned naturals;
    unsigned high;
};

Ranks ranks_of(const RankProfile& profile) {
    unsigned high = 0;
    for (int r = 0; r < kRankCount; ++r) {
        high |= profile.pairs_pay && profile.high[static_cast<std::size_t>(r)] ? 1u << r : 0u;
    }
    return Ranks{profile.naturals, high};
}

// Whether natural ranks are a straight flush draw's (not a royal's) of k cards, these gaps and
// high cards (any, where `high` is -1).
bool draw_ranks(unsigned mask, int k, int gaps, int high, const Ranks& game) {
    if (std::popcount(mask) != k || (mask & ~game.naturals) != 0 ||
        (mask & ((1u << kTen) - 1)) == 0) {
        return false;
    }
    const StraightFit fit = straight_fit(mask, game.naturals);
    return fit.fits > 0 && fit.span - k == gaps &&
           (high < 0 || std::popcount(mask & game.high) == high);
}

// The straights natural cards fill (one bit a count) among the draws at the low end of k
// natural cards, these gaps and high cards.
unsigned end_ways(int k, int gaps, int high, const Ranks& game) {
    unsigned seen = 0;
    for (unsigned mask = 1; mask < (1u << kRankCount); ++mask) {
        if (draw_ranks(mask, k, gaps, high, game)) {
            const StraightFit fit = straight_fit(mask, game.naturals);
            seen |= fit.edge ? 1u << fit.ways : 0u;
        }
    }
    return seen;
}

// end_ways() of every draw of a game, worked out once a thread for the game last asked about:
// every straight-flush hold of every deal asks.
class EndWays {
  public:
    unsigned operator()(int k, int gaps, int high, const Ranks& game) {
        if (k < 2 || k > 4 || gaps < 0 || gaps > kMostGaps || high < -1 || high > 4) {
            return 0;
        }
        if (!known_ || game.naturals != game_.naturals || game.high != game_.high) {
            for (int n = 2; n <= 4; ++n) {
                for (int g = 0; g <= kMostGaps; ++g) {
                    for (int h = -1; h <= 4; ++h) {
                        table_[index(n, g, h)] = end_ways(n, g, h, game);
                    }
                }
            }
            game_ = game;
            known_ = true;
        }
        return table_[index(k, gaps, high)];
    }

  private:
    static constexpr int kMostGaps = 3;
    static std::size_t index(int k, int gaps, int high) {
        return static_cast<std::size_t>(((k - 2) * (kMostGaps + 1) + gaps) * 6 + high + 1);
    }
    std::array<unsigned, 3 * (kMostGaps + 1) * 6> table_{};
    Ranks game_{};
    bool known_ = false;
};

// The floors that tell draws of k natural cards, these gaps and high cards apart: every count of
// straights natural cards fill at the end but the least (a floor of the least is the draw of
// its gaps alone), highest first.
std::vector<int> floors_of(int k, int gaps, int high, const Ranks& game) {
    thread_local EndWays ways;
    const unsigned seen = ways(k, gaps, high, game);
    std::vector<int> out;
    if (std::popcount(seen) < 2) {
        return out;
    }
    const int least = std::countr_zero(seen);
    for (int w = std::bit_width(seen) - 1; w > least; --w) {
        if ((seen >> w & 1u) != 0) {
            out.push_back(w);
        }
    }
    return out;
}

// The high cards a draw's key says, where the game counts them; -1 where it does not.
int high_of(PatternKey key, const RankProfile& profile) {
    return counts_high(family_of(key), static_cast<int>(get(key, kHeld)), profile)
               ? static_cast<int>(get(key, kHigh))
               : -1;
}

// The draw of these gaps, any ways: the key the floors narrow down.
PatternKey any_gaps_key(PatternKey key) {
    return (key & ~put(kGaps, 7) & ~put(kEdge, 1) & ~field_bits(kWaysFloor)) | put(kAnyGaps, 1);
}

// The rank sets at the end a floor leaves out: the draws of its gaps that fill fewer straights.
std::vector<unsigned> left_out(int k, int gaps, int high, int floor, const Ranks& game) {
    std::vector<unsigned> out;
    for (unsigned mask = 1; mask < (1u << kRankCount); ++mask) {
        if (!draw_ranks(mask, k, gaps, high, game)) {
            continue;
        }
        const StraightFit fit = straight_fit(mask, game.naturals);
        if (fit.edge && fit.ways < floor) {
            out.push_back(mask);
        }
    }
    return out;
}

class EdgeFloors final : public Registered<EdgeFloors> {
  public:
    EdgeFloors() : Registered("edge floors", kDeucesWild) {}
    // Just after the draw's gaps: the floors it reaches, the highest (the fewest draws) first.
    bool add_draw(DrawStage stage, const DrawView& v, PatternKey stem,
                  HoldPatterns& out) const override {
        if (stage != DrawStage::any_gaps || v.family != Family::straight_flush ||
            v.profile.joker_beside_deuces) {
            return false;
        }
        const int gaps = v.fit.span - v.naturals;
        const PatternKey gaps_key = (stem & ~put(kAnyGaps, 1)) | put(kGaps, gaps);
        for (const int floor :
             floors_of(v.naturals, gaps, high_of(stem, v.profile), ranks_of(v.profile))) {
            if (!v.fit.edge || v.fit.ways >= floor) {
                out.push(gaps_key | put(kWaysFloor, floor + 1));
            }
        }
        return false;
    }
    // The lower floors of the same gaps, then the draw of any gaps.
    HoldPatterns narrows(PatternKey key, const RankProfile& profile) const override {
        HoldPatterns out;
        const unsigned floor = get(key, kWaysFloor);
        if (floor == 0) {
            return out;
        }
        const int k = static_cast<int>(get(key, kHeld) - get(key, kWild));
        for (const int lower : floors_of(k, static_cast<int>(get(key, kGaps)),
                                         high_of(key, profile), ranks_of(profile))) {
            if (lower + 1 < static_cast<int>(floor)) {
                out.push((key & ~field_bits(kWaysFloor)) | put(kWaysFloor, lower + 1));
            }
        }
        out.push(any_gaps_key(key));
        return out;
    }
    // "deuce + 2 to a straight flush, not a royal, no gaps, not 3-4": the draw of any gaps, its
    // gaps and the sets at the end it leaves out.
    std::string whole_words(PatternKey key, const Game& game,
                            const RankProfile& profile) const override {
        const unsigned floor = get(key, kWaysFloor);
        if (floor == 0 || kind_of(key) != Kind::draw) {
            return {};
        }
        const int k = static_cast<int>(get(key, kHeld) - get(key, kWild));
        const int gaps = static_cast<int>(get(key, kGaps));
        std::string said = gaps == 0 ? ", no gaps" : ", " + count_text(gaps, "gap", "gaps");
        const std::vector<unsigned> sets = left_out(k, gaps, high_of(key, profile),
                                                    static_cast<int>(floor) - 1, ranks_of(profile));
        said += ", not ";
        for (std::size_t i = 0; i < sets.size(); ++i) {
            said += i == 0 ? "" : i + 1 == sets.size() ? " or " : ", ";
            said += ranks_text(sets[i]);
        }
        // In the family's words, before its high cards: "..., not a royal, no gaps, not 2-3, no
        // high card".
        std::string text = pattern_text(any_gaps_key(key), game, profile);
        constexpr std::string_view kFamily = ", not a royal";
        const std::size_t at = text.find(kFamily);
        return at == std::string::npos ? std::string{} : text.insert(at + kFamily.size(), said);
    }
};

}  // namespace

const Distinction& distinction() {
    return EdgeFloors::instance();
}

}  // namespace quillon::odds::edge_floors
