#include <array>
#include <bit>
#include <cstddef>
#include <string>
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
// least as many straights as 4-5, in one line where the draw by its ways would need three.
namespace quillon::odds::edge_floors {

using namespace pattern_key;

namespace {

constexpr unsigned kNaturals = 0x1ffeu;

// Whether natural ranks are a straight flush draw's of deuces wild (not a royal's).
bool straight_flush_ranks(unsigned mask) {
    return (mask & ~kNaturals) == 0 && (mask & ((1u << kTen) - 1)) != 0 &&
           straight_fit(mask, kNaturals).fits > 0;
}

// For each count of natural cards and gaps, the straights natural cards fill (one bit a count)
// among the straight-flush draws at the low end.
struct EndWays {
    std::array<std::array<unsigned, 8>, 5> ways{};

    EndWays() {
        for (unsigned mask = 1; mask < (1u << kRankCount); ++mask) {
            const int k = std::popcount(mask);
            if (k < 2 || k > 4 || !straight_flush_ranks(mask)) {
                continue;
            }
            const StraightFit fit = straight_fit(mask, kNaturals);
            if (fit.edge) {
                ways[static_cast<std::size_t>(k)][static_cast<std::size_t>(fit.span - k)] |=
                    1u << fit.ways;
            }
        }
    }
};

const EndWays& end_ways() {
    static const EndWays table;
    return table;
}

// The floors that tell draws of k natural cards and these gaps apart: every count of straights
// at the end but the least (a floor of the least is the draw of its gaps alone), highest first.
std::vector<int> floors_of(int k, int gaps) {
    std::vector<int> out;
    if (k < 2 || k > 4 || gaps < 0 || gaps > 7) {
        return out;
    }
    const unsigned seen =
        end_ways().ways[static_cast<std::size_t>(k)][static_cast<std::size_t>(gaps)];
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

bool plays_deuces(const RankProfile& profile) {
    return (profile.naturals & 1u) == 0 && !profile.joker;
}

// The draw of these gaps, any ways: the key the floors narrow down.
PatternKey any_gaps_key(PatternKey key) {
    return (key & ~put(kGaps, 7) & ~put(kEdge, 1) & ~field_bits(kWaysFloor)) | put(kAnyGaps, 1);
}

// The rank sets at the end a floor leaves out: the draws of its gaps that fill fewer straights.
std::vector<unsigned> left_out(int k, int gaps, int floor) {
    std::vector<unsigned> out;
    for (unsigned mask = 1; mask < (1u << kRankCount); ++mask) {
        if (std::popcount(mask) != k || !straight_flush_ranks(mask)) {
            continue;
        }
        const StraightFit fit = straight_fit(mask, kNaturals);
        if (fit.edge && fit.span - k == gaps && fit.ways < floor) {
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
            !plays_deuces(v.profile)) {
            return false;
        }
        const int gaps = v.fit.span - v.naturals;
        const PatternKey gaps_key = (stem & ~put(kAnyGaps, 1)) | put(kGaps, gaps);
        for (const int floor : floors_of(v.naturals, gaps)) {
            if (!v.fit.edge || v.fit.ways >= floor) {
                out.push(gaps_key | put(kWaysFloor, floor + 1));
            }
        }
        return false;
    }
    // The lower floors of the same gaps, then the draw of any gaps.
    HoldPatterns narrows(PatternKey key, const RankProfile&) const override {
        HoldPatterns out;
        const unsigned floor = get(key, kWaysFloor);
        if (floor == 0) {
            return out;
        }
        const int k = static_cast<int>(get(key, kHeld) - get(key, kWild));
        for (const int lower : floors_of(k, static_cast<int>(get(key, kGaps)))) {
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
        std::string text = pattern_text(any_gaps_key(key), game, profile);
        text += gaps == 0 ? ", no gaps" : ", " + count_text(gaps, "gap", "gaps");
        const std::vector<unsigned> sets = left_out(k, gaps, static_cast<int>(floor) - 1);
        text += ", not ";
        for (std::size_t i = 0; i < sets.size(); ++i) {
            text += i == 0 ? "" : i + 1 == sets.size() ? " or " : ", ";
            text += ranks_text(sets[i]);
        }
        return text;
    }
};

}  // namespace

const Distinction& distinction() {
    return EdgeFloors::instance();
}

}  // namespace quillon::odds::edge_floors
