#include "odds/strategy/words/distinction.h"

#include <algorithm>
#include <bit>
#include <cstddef>

namespace quillon::odds {

// Each row's file defines its distinction in the namespace of its name.
#define DISTINCTION(file, name, ...)  \
    namespace file {                  \
    const Distinction& distinction(); \
    }
#include "odds/strategy/words/registry.def"
#undef DISTINCTION

namespace {

// The distinctions in the order of the registry's rows.
#define DISTINCTION(file, name, ...) +1
constexpr std::size_t kDistinctions = 0
#include "odds/strategy/words/registry.def"
    ;
#undef DISTINCTION
using Registry = std::array<const Distinction*, kDistinctions>;

const Registry& registry() {
#define DISTINCTION(file, name, ...) &file::distinction(),
    static const Registry all = {
#include "odds/strategy/words/registry.def"
    };
#undef DISTINCTION
    return all;
}

// The distinctions of each one-bit Games class, all of them and those of each hook, worked out
// once.
struct ByGames {
    static constexpr std::size_t kGames = 4;
    using List = Registry;
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
