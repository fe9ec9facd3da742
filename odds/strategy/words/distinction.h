#pragma once

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "base/card.h"
#include "odds/games/pay_table.h"
#include "odds/play/hold_analysis.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/patterns/straight_fit.h"

// A distinction is one family of chart words: the fields of the key it sets, the games it
// applies in, how it refines the patterns the classifier gives a hold, the coarser patterns its
// own patterns narrow, what it adds to their words and the words it can say (the chart reader
// reads a line by matching it against the words of the game's whole vocabulary).
//
// Each distinction is one file, words/<file>.cpp, that ends in one object of this interface and
// gives it out as <file>::distinction(); its row in the registry (registry.def) lists it at its
// place in the order, with the fields of the key it brings. The classifier, coarser_patterns and
// the words each ask, hook by hook, the distinctions that apply in the game and override the hook,
// in the registry's order; they call no distinction file directly.
//
// A new word: write its file (one object overriding the hooks it needs, its name and games given
// to its base) and add its row to registry.def: the build compiles the file from that row and
// the field table takes its fields. The field table's test checks that the new fields share no
// bit with a field that can apply beside them, and that the registry holds the row's distinction
// in its place.
namespace quillon::odds {

// What the classifier knows of a draw of natural cards when the distinctions refine it.
struct DrawView {
    const RankProfile& profile;
    pattern_key::Family family;
    // The natural cards held, all held cards and the wild cards among them.
    int naturals;
    int held;
    int wild;
    // The natural ranks held (a mask), how many are high cards, and how they fit a straight.
    unsigned ranks;
    int high;
    StraightFit fit;
    // A suited draw's flush penalty: 1 a discard of its suit, 2 none, 0 not told.
    unsigned penalty;
    // The kind, held, wild and suited fields of every draw key.
    PatternKey base;
};

// What the classifier knows of a hold that keeps a draw when the distinctions refine it.
struct HoldView {
    const Game& game;
    const RankProfile& profile;
    const std::array<CardId, 5>& deal;
    HoldMask mask;
    // The held natural cards' ranks and suits, the first `naturals` of each set.
    const std::array<int, 5>& ranks;
    const std::array<int, 5>& suits;
    int naturals;
    int wild;
};

// Where in a draw's patterns a distinction adds its own: before the draw by its gaps, before the
// draw of any gaps, or after the family's coarsest patterns.
enum class DrawStage { gaps, any_gaps, coarsest };

// Where in a key's coarser patterns a distinction adds its own: before all others (where it gives
// them all), ahead of those of the key's kind, after a draw's high cards, or last.
enum class CoarserStage { first, kind, family, last };

// The hooks of the interface, one bit each: the registry asks a hook only of the distinctions
// that override it.
enum Hook : unsigned {
    kAdjustProfile,
    kRefineDraw,
    kAddDraw,
    kRefineHold,
    kAddSet,
    kRefineMade,
    kAddDealt,
    kNarrows,
    kAddCoarser,
    kWholeWords,
    kDrawName,
    kEdgeSets,
    kDrawWords,
    kVocabulary,
    kMerges,
    kHookCount,
};

class Distinction {
  public:
    // `name`: the name its fields give as their owner in the field table; `games`: the games it
    // applies in (pattern_key::Games bits), it is asked about no other game.
    Distinction(std::string_view name, unsigned games) : name_(name), games_(games) {}
    virtual ~Distinction() = default;

    std::string_view name() const { return name_; }
    unsigned games() const { return games_; }
    // The hooks it overrides (one bit a Hook); Registered fills it in.
    virtual unsigned hooks() const = 0;

    // Adjusts the game's profile once it is worked out.
    virtual void adjust_profile(const Game& /*game*/, RankProfile& /*profile*/) const {}

    // Refines a draw's patterns (`out`, finest first) once the draw's own are there. True
    // where the patterns are complete and no distinction later in the order refines them.
    virtual bool refine_draw(const DrawView& /*view*/, HoldPatterns& /*out*/) const {
        return false;
    }
    // Adds its patterns to a draw's at `stage`; `stem` is the draw's key of that stage (its gaps
    // or any gaps, with its high cards). True where no distinction refines the draw afterwards.
    virtual bool add_draw(DrawStage /*stage*/, const DrawView& /*view*/, PatternKey /*stem*/,
                          HoldPatterns& /*out*/) const {
        return false;
    }
    // Refines the patterns of a hold that keeps a draw; true where they are complete.
    virtual bool refine_hold(const HoldView& /*view*/, HoldPatterns& /*out*/) const {
        return false;
    }
    // Adds its patterns after those of a set of `held` cards, `naturals` of them natural;
    // `one_rank` where the natural cards are all one rank.
    virtual void add_set(int /*held*/, int /*naturals*/, bool /*one_rank*/,
                         const RankProfile& /*profile*/, HoldPatterns& /*out*/) const {}
    // Refines the patterns of a paying hand of all five cards in pay row `row`: `out` holds the
    // row's key, and after the distinctions come the hand of any paying row.
    virtual void refine_made(const Game& /*game*/, std::size_t /*row*/,
                             HoldPatterns& /*out*/) const {}
    // Adds its patterns after all others of the hold `mask` of the deal.
    virtual void add_dealt(const RankProfile& /*profile*/, const std::array<CardId, 5>& /*deal*/,
                           HoldMask /*mask*/, HoldPatterns& /*out*/) const {}
    // For a key of this distinction that only narrows coarser patterns: those patterns, finest
    // first (every pattern coarser than the last follows them). Nothing for other keys.
    virtual HoldPatterns narrows(PatternKey /*key*/, const RankProfile& /*profile*/) const {
        return {};
    }
    // Adds coarser patterns of `key` at `stage`; at the first stage, true where it has given them
    // all.
    virtual bool add_coarser(CoarserStage /*stage*/, PatternKey /*key*/,
                             const RankProfile& /*profile*/, HoldPatterns& /*out*/) const {
        return false;
    }
    // The whole words of a key it says its own way ("three of a kind, natural or with the
    // joker"); empty for other keys.
    virtual std::string whole_words(PatternKey /*key*/, const Game& /*game*/,
                                    const RankProfile& /*profile*/) const {
        return {};
    }
    // The name of a draw that it names in place of its family's words ("4 to a straight, not
    // A-3-4-5"); empty for other keys.
    virtual std::string draw_name(PatternKey /*key*/, const RankProfile& /*profile*/) const {
        return {};
    }
    // Adds to the rank sets at the ace end that a straight draw's words list (`sets`) those its
    // fields say; true where the words must list them all.
    virtual bool edge_sets(PatternKey /*key*/, const RankProfile& /*profile*/,
                           std::vector<unsigned>& /*sets*/) const {
        return false;
    }
    // What its fields add to a draw's words (", no ace, no flush penalty"); nothing where the
    // key does not carry them.
    virtual std::string draw_words(PatternKey /*key*/, const RankProfile& /*profile*/) const {
        return {};
    }
    // Adds to `out` the patterns of this distinction a hold of the game can show that no deal
    // of the classifier's shapes shows.
    virtual void add_vocabulary(const Game& /*game*/, const RankProfile& /*profile*/,
                                std::vector<PatternKey>& /*out*/) const {}
    // Whether the chart search may merge a line of this key into a coarser line.
    virtual bool merges(PatternKey /*key*/) const { return true; }

  private:
    std::string_view name_;
    unsigned games_;
};

// The patterns of `draws` (finest first), each preceded by those `before(key, out)` pushes.
template <class Before>
HoldPatterns each_preceded(const HoldPatterns& draws, Before before) {
    HoldPatterns out;
    for (const PatternKey key : draws) {
        before(key, out);
        out.push(key);
    }
    return out;
}

// The patterns of `draws` (finest first) with each pattern that `takes` preceded by the same
// pattern with `mark`: how most distinctions refine a hold's patterns.
template <class Takes>
HoldPatterns marked_before(const HoldPatterns& draws, PatternKey mark, Takes takes) {
    return each_preceded(draws, [&](PatternKey key, HoldPatterns& out) {
        if (takes(key)) {
            out.push(key | mark);
        }
    });
}

// `first` ahead of a hold's patterns (`rest`, finest first): where the hold shows it already,
// it stands once, first.
inline HoldPatterns put_first(PatternKey first, const HoldPatterns& rest) {
    HoldPatterns out;
    out.push(first);
    for (const PatternKey key : rest) {
        if (key != first) {
            out.push(key);
        }
    }
    return out;
}

// Adds a pattern to a game's vocabulary where it is not there yet.
inline void add_word(std::vector<PatternKey>& out, PatternKey key) {
    if (std::find(out.begin(), out.end(), key) == out.end()) {
        out.push_back(key);
    }
}

// The hooks a distinction class overrides: those it declares itself.
template <class D>
consteval unsigned hooks_of() {
    // &D::hook points to a member of Distinction unless D declares the hook itself.
    const auto own = []<class Member, class Owner>(Member Owner::*) {
        return !std::is_same_v<Owner, Distinction>;
    };
    // In the order of Hook: a hook added there and not here fails the build.
    const bool overrides[] = {
        own(&D::adjust_profile), own(&D::refine_draw),    own(&D::add_draw),  own(&D::refine_hold),
        own(&D::add_set),        own(&D::refine_made),    own(&D::add_dealt), own(&D::narrows),
        own(&D::add_coarser),    own(&D::whole_words),    own(&D::draw_name), own(&D::edge_sets),
        own(&D::draw_words),     own(&D::add_vocabulary), own(&D::merges)};
    static_assert(std::size(overrides) == kHookCount);
    unsigned hooks = 0;
    for (unsigned h = 0; h < kHookCount; ++h) {
        hooks |= (overrides[h] ? 1u : 0u) << h;
    }
    return hooks;
}

// The base of every distinction class D: it tells the registry which hooks D overrides.
template <class D>
class Registered : public Distinction {
  public:
    using Distinction::Distinction;
    unsigned hooks() const final { return hooks_of<D>(); }
    // The one object of D, which its file's distinction() gives the registry.
    static const Distinction& instance() {
        static const D d;
        return d;
    }
};

// Every distinction, in the registry's order.
std::span<const Distinction* const> distinctions();

// The distinctions that apply in the profile's game, in the registry's order.
std::span<const Distinction* const> distinctions_for(const RankProfile& profile);

// Those of them that override `hook`.
std::span<const Distinction* const> distinctions_for(const RankProfile& profile, Hook hook);

// Whether every distinction lets the search merge a line of this key into a coarser line.
bool merges_into_coarser(PatternKey key);

}  // namespace quillon::odds
