#include "odds/strategy/joker_sets.h"

#include <algorithm>

#include "odds/strategy/pattern_key.h"

namespace quillon::odds::joker_sets {

using namespace pattern_key;

namespace {

bool applies(const RankProfile& profile) {
    return profile.joker && !profile.pairs_pay;
}

}  // namespace

PatternKey any_joker_key(int held, int naturals, bool one_rank, const RankProfile& profile) {
    if (!applies(profile) || naturals < 2 || !one_rank || (held != 3 && held != 4)) {
        return 0;
    }
    const auto n = static_cast<unsigned>(held);
    return put(kKind, static_cast<unsigned>(Kind::sets)) | put(kHeld, n) | put(kTop, n) |
           put(kAnyDeuces, 1);
}

PatternKey any_joker_draw(int held, int naturals, bool suited, Family family,
                          const RankProfile& profile) {
    if (!applies(profile) || naturals < 2 || !suited || (held != 3 && held != 4) ||
        (family != Family::royal && family != Family::straight_flush)) {
        return 0;
    }
    return put(kKind, static_cast<unsigned>(Kind::draw)) | put(kHeld, static_cast<unsigned>(held)) |
           put(kSuited, 1) | put(kFamily, static_cast<unsigned>(family)) | put(kAnyGaps, 1) |
           put(kAnyDeuces, 1);
}

void add_coarser(PatternKey key, const RankProfile& profile, HoldPatterns& out) {
    if (get(key, kAnyDeuces) != 0) {
        return;
    }
    const int held = static_cast<int>(get(key, kHeld));
    const int wild = static_cast<int>(get(key, kWild));
    PatternKey any = 0;
    if (kind_of(key) == Kind::sets) {
        const bool one_rank = get(key, kSecond) == 0 && get(key, kKickers) == 0;
        any = any_joker_key(held, held - wild, one_rank, profile);
    } else if (kind_of(key) == Kind::draw) {
        any = any_joker_draw(held, held - wild, get(key, kSuited) != 0, family_of(key), profile);
    }
    if (any != 0) {
        out.push(any);
    }
}

std::string any_joker_text(PatternKey key, const RankProfile& profile) {
    const std::string with = ", natural or with " + profile.wild_any;
    if (kind_of(key) == Kind::draw) {
        return std::to_string(get(key, kHeld)) +
               (family_of(key) == Family::royal ? " to a royal flush"
                                                : " to a straight flush, not a royal") +
               with;
    }
    return (get(key, kHeld) == 4 ? "four of a kind" : "three of a kind") + with;
}

namespace {

// Every pattern of this distinction that a hold of the game can show.
void add_vocabulary(const RankProfile& profile, std::vector<PatternKey>& out) {
    for (const int held : {3, 4}) {
        for (const PatternKey key :
             {any_joker_key(held, held, true, profile),
              any_joker_draw(held, held, true, Family::royal, profile),
              any_joker_draw(held, held, true, Family::straight_flush, profile)}) {
            if (key != 0 && std::find(out.begin(), out.end(), key) == out.end()) {
                out.push_back(key);
            }
        }
    }
}

class JokerSets final : public Distinction {
  public:
    std::string_view name() const override { return "joker sets"; }
    unsigned games() const override { return kJokerNoPairs; }
    void add_vocabulary(const Game&, const RankProfile& profile,
                        std::vector<PatternKey>& out) const override {
        joker_sets::add_vocabulary(profile, out);
    }
};

}  // namespace

const Distinction& distinction() {
    static const JokerSets d;
    return d;
}

}  // namespace quillon::odds::joker_sets
