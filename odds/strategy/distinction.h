#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/card.h"
#include "odds/games/pay_table.h"
#include "odds/play/hold_analysis.h"
#include "odds/strategy/hold_pattern.h"
#include "odds/strategy/pattern_key.h"
#include "odds/strategy/straight_fit.h"

// A distinction is one family of chart words: the fields of the key it sets, the games it
// applies in, how it refines the patterns the classifier gives a hold, the coarser patterns its
// own patterns narrow, what it adds to their words and the words it can say (the chart reader
// reads a line by matching it against the words of the game's whole vocabulary).
//
// Each distinction file ends in one object of this interface, listed once in the registry
// (distinction.cpp). The classifier, coarser_patterns and the words each ask the distinctions
// that apply in the game in the registry's order.
//
// A new word: write its distinction's file (one object overriding the hooks it needs), add the
// rows of its fields to the field table (pattern_key.h) with the distinction's name as owner,
// and list the object in the registry at its place. The field table's test checks that the new
// fields share no bit with a field that can apply beside them.
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

class Distinction {
  public:
    virtual ~Distinction() = default;

    // The name its fields give as their owner in the field table.
    virtual std::string_view name() const = 0;
    // The games it applies in (pattern_key::Games bits); it is asked about no other game.
    virtual unsigned games() const = 0;

    // Refines a draw's patterns (`out`, finest first) once the draw's own are there. True
    // where the patterns are complete and no distinction later in the order refines them.
    virtual bool refine_draw(const DrawView& /*view*/, HoldPatterns& /*out*/) const {
        return false;
    }
    // Refines the patterns of a hold that keeps a draw; true where they are complete.
    virtual bool refine_hold(const HoldView& /*view*/, HoldPatterns& /*out*/) const {
        return false;
    }
    // For a key of this distinction that only narrows coarser patterns: those patterns, finest
    // first (every pattern coarser than the last follows them). Nothing for other keys.
    virtual HoldPatterns narrows(PatternKey /*key*/, const RankProfile& /*profile*/) const {
        return {};
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
};

// Every distinction, in the registry's order.
std::span<const Distinction* const> distinctions();

// The distinctions that apply in the profile's game, in the registry's order.
std::span<const Distinction* const> distinctions_for(const RankProfile& profile);

// Whether every distinction lets the search merge a line of this key into a coarser line.
bool merges_into_coarser(PatternKey key);

}  // namespace quillon::odds
