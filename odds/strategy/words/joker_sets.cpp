#include <algorithm>
#include <string>
#include <vector>

#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/words/distinction.h"

// Sets and straight-flush draws with the joker or without, in joker games where no pair pays:
// the joker beside a pair plays much as three of a kind, beside three of a kind as four, and
// beside three to a royal flush as four to one, so a short chart says each in one line: "four
// of a kind, natural or with the joker", "4 to a royal flush, natural or with the joker".
namespace quillon::odds::joker_sets {

using namespace pattern_key;

namespace {

bool applies(const RankProfile& profile) {
    return profile.joker && !profile.pairs_pay;
}

// The set of `held` cards (3 or 4), `naturals` of them natural and all of one rank, natural or
// with the joker, where the game makes the distinction; 0 elsewhere.
PatternKey any_joker_key(int held, int naturals, bool one_rank, const RankProfile& profile) {
    if (!applies(profile) || naturals < 2 || !one_rank || (held != 3 && held != 4)) {
        return 0;
    }
    const auto n = static_cast<unsigned>(held);
    return put(kKind, static_cast<unsigned>(Kind::sets)) | put(kHeld, n) | put(kTop, n) |
           put(kAnyDeuces, 1);
}

// The suited draw of `held` cards (3 or 4), `naturals` of them natural, to a royal or a straight
// flush (`family`), natural or with the joker, where the game makes the distinction; 0
// elsewhere.
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

// Adds to `out` the set or draw natural or with the joker where a key is one of them.
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

// "four of a kind, natural or with the joker".
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

class JokerSets final : public Registered<JokerSets> {
  public:
    JokerSets() : Registered("joker sets", kJokerNoPairs) {}
    bool add_draw(DrawStage stage, const DrawView& v, PatternKey,
                  HoldPatterns& out) const override {
        if (stage == DrawStage::coarsest) {
            if (const PatternKey any = any_joker_draw(v.held, v.naturals, get(v.base, kSuited) != 0,
                                                      v.family, v.profile);
                any != 0) {
                out.push(any);
            }
        }
        return false;
    }
    std::string whole_words(PatternKey key, const Game&,
                            const RankProfile& profile) const override {
        const bool any =
            (kind_of(key) == Kind::sets || kind_of(key) == Kind::draw) && get(key, kAnyDeuces) != 0;
        return any ? any_joker_text(key, profile) : std::string{};
    }
    void add_set(int held, int naturals, bool one_rank, const RankProfile& profile,
                 HoldPatterns& out) const override {
        if (const PatternKey any = any_joker_key(held, naturals, one_rank, profile); any != 0) {
            out.push(any);
        }
    }
    // Sets ahead of their own coarser patterns, draws after them.
    bool add_coarser(CoarserStage stage, PatternKey key, const RankProfile& profile,
                     HoldPatterns& out) const override {
        if ((stage == CoarserStage::kind && kind_of(key) == Kind::sets) ||
            (stage == CoarserStage::last && kind_of(key) == Kind::draw)) {
            joker_sets::add_coarser(key, profile, out);
        }
        return false;
    }
    // Every pattern of this distinction that a hold of the game can show.
    void add_vocabulary(const Game&, const RankProfile& profile,
                        std::vector<PatternKey>& out) const override {
        for (const int held : {3, 4}) {
            for (const PatternKey key :
                 {any_joker_key(held, held, true, profile),
                  any_joker_draw(held, held, true, Family::royal, profile),
                  any_joker_draw(held, held, true, Family::straight_flush, profile)}) {
                if (key != 0) {
                    add_word(out, key);
                }
            }
        }
    }
};

}  // namespace

const Distinction& distinction() {
    return JokerSets::instance();
}

}  // namespace quillon::odds::joker_sets
