#include "base/ranks.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/words/distinction.h"

// Three low cards in a row beside the joker, in the joker games where a pair pays. The run just
// below the high cards (10-J-Q in kings or better) reaches one straight without a high card and
// pays no more than any other straight, while its ten alone beside the joker keeps the royal
// flush and the high pairs the joker draws to: so it plays well below the other runs, and
// "joker + 3 to a straight, mixed suits, no gaps, not 2-3-4 or 10-J-Q, no high card" takes in
// the others without it.
namespace quillon::odds::top_runs {

using namespace pattern_key;

namespace {

// The ranks (a mask) of the three low ranks in a row just below the lowest high rank other than
// the ace, where the game has them and a joker, and a pair pays; 0 elsewhere.
unsigned top_run(const RankProfile& profile) {
    if (!profile.joker || !profile.pairs_pay) {
        return 0;
    }
    // The lowest high rank, the ace counted only where it is the one high rank.
    int lowest = kAce;
    for (int r = 0; r < kAce; ++r) {
        if (profile.high[static_cast<std::size_t>(r)]) {
            lowest = r;
            break;
        }
    }
    return lowest >= 3 ? 7u << (lowest - 3) : 0u;
}

// Adds the pattern to a draw's patterns (`draws`, finest first), just before its pattern of gaps
// and high cards, where the draw is the joker beside three low cards in a row of mixed suits,
// not at the ace end and not the top run (`ranks`).
HoldPatterns add_not_top(const HoldPatterns& draws, Family family, int naturals, int wild,
                         unsigned ranks, int gaps, bool edge, int high,
                         const RankProfile& profile) {
    const unsigned top = top_run(profile);
    if (top == 0 || family != Family::straight || naturals != 3 || wild != 1 || gaps != 0 || edge ||
        high != 0 || ranks == top) {
        return draws;
    }
    // The draw's gaps and high cards, nothing else told.
    return marked_before(draws, put(kNotTopRun, 1), [](PatternKey key) {
        return get(key, kAnyGaps) == 0 && get(key, kAnyHigh) == 0 && get(key, kNamed) == 0 &&
               get(key, kWays) == 0 && get(key, kNotTopRun) == 0;
    });
}

class NotTopRun final : public Registered<NotTopRun> {
  public:
    NotTopRun() : Registered("top runs", kJokerPairs) {}
    bool refine_draw(const DrawView& v, HoldPatterns& out) const override {
        if (v.family == Family::straight) {
            out = add_not_top(out, v.family, v.naturals, v.wild, v.ranks, v.fit.span - v.naturals,
                              v.fit.edge, v.high, v.profile);
        }
        return false;
    }
    // The next coarser pattern of this file's pattern; nothing for any other.
    HoldPatterns narrows(PatternKey key, const RankProfile&) const override {
        return without(key, kNotTopRun);
    }
    // Three low cards not the run just below the high cards say that run too.
    bool edge_sets(PatternKey key, const RankProfile& profile,
                   std::vector<unsigned>& sets) const override {
        if (get(key, kNotTopRun) == 0) {
            return false;
        }
        sets.push_back(top_run(profile));
        return true;
    }
};

}  // namespace

const Distinction& distinction() {
    return NotTopRun::instance();
}

}  // namespace quillon::odds::top_runs
