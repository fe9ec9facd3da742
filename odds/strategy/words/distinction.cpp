#include "odds/strategy/words/distinction.h"

#include <algorithm>
#include <bit>

#include "odds/strategy/words/ace_royals.h"
#include "odds/strategy/words/deuces_patterns.h"
#include "odds/strategy/words/joker_draws.h"
#include "odds/strategy/words/joker_sets.h"
#include "odds/strategy/words/lone_cards.h"
#include "odds/strategy/words/open_straights.h"
#include "odds/strategy/words/royal_penalties.h"
#include "odds/strategy/words/spanning_patterns.h"
#include "odds/strategy/words/straight_flush_gaps.h"
#include "odds/strategy/words/straight_flush_ways.h"
#include "odds/strategy/words/top_runs.h"

namespace quillon::odds {

namespace {

// The order of the distinctions: where two refine the same hold or add to the same words, the
// earlier one does first.
const std::array<const Distinction*, 11>& registry() {
    static const std::array<const Distinction*, 11> all = {
        &straight_flush_gaps::distinction(),
        &top_runs::distinction(),
        &royal_penalties::distinction(),
        &ace_royals::distinction(),
        &straight_flush_ways::distinction(),
        &open_straights::distinction(),
        &joker_draws::distinction(),
        &lone_cards::distinction(),
        &joker_sets::distinction(),
        &deuces::distinction(),
        &spanning_distinction(),
    };
    return all;
}

// The distinctions of each one-bit Games class, all of them and those of each hook, worked out
// once.
struct ByGames {
    static constexpr std::size_t kGames = 4;
    using List = std::array<const Distinction*, 11>;
    std::array<std::array<List, kHookCount + 1>, kGames> lists{};
    std::array<std::array<std::size_t, kHookCount + 1>, kGames> counts{};

    ByGames() {
        for (std::size_t g = 0; g < kGames; ++g) {
            for (const Distinction* d : registry()) {
                if ((d->games() >> g & 1u) == 0) {
                    continue;
                }
                for (std::size_t h = 0; h < kHookCount; ++h) {
                    if ((d->hooks() >> h & 1u) != 0) {
                        lists[g][h][counts[g][h]++] = d;
                    }
                }
                lists[g][kHookCount][counts[g][kHookCount]++] = d;
            }
        }
    }

    std::span<const Distinction* const> of(const RankProfile& profile, std::size_t hook) const {
        const auto g = static_cast<std::size_t>(std::countr_zero(pattern_key::games_of(profile)));
        return {lists[g][hook].data(), counts[g][hook]};
    }
};

// Built before main(), so that the classifier asks no guard on every hold.
const ByGames kByGames;

const ByGames& by_games() {
    return kByGames;
}

}  // namespace

std::span<const Distinction* const> distinctions() {
    return registry();
}

std::span<const Distinction* const> distinctions_for(const RankProfile& profile) {
    return by_games().of(profile, kHookCount);
}

std::span<const Distinction* const> distinctions_for(const RankProfile& profile, Hook hook) {
    return by_games().of(profile, hook);
}

bool merges_into_coarser(PatternKey key) {
    const auto all = distinctions();
    return std::all_of(all.begin(), all.end(), [&](const Distinction* d) {
        return (d->hooks() >> kMerges & 1u) == 0 || d->merges(key);
    });
}

}  // namespace quillon::odds
