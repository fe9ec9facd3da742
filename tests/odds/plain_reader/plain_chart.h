#pragma once

// A second reader of chart files, as plain as a player at the machine: it knows the header's
// sentences and the words of each line, and nothing of how the program matches them. It asks
// the game only which hands pay, and what, and keeps cards by the words alone.

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/card.h"
#include "odds/games/pay_table.h"
#include "odds/play/fast_classifier.h"

namespace quillon::odds::plain {

// A line or a header sentence the plain reader does not know.
class UnknownWords : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What a line asks of the deal or of the cards it keeps.
enum class Shape : std::uint8_t {
    discard,       // discard everything
    dealt,         // made hands named together: the dealt hand's paying cards
    made,          // one made hand, all five cards
    five_or_more,  // a paying hand of all five cards at least as good as a named one
    sets,          // pairs, two pair, three and four of a kind
    draw,          // N to a royal, a straight flush, a flush, a straight; N cards
    named,         // suited or unsuited cards named by their ranks
    alone,         // one card alone, or the wild cards alone
    open_low,      // the joker beside its low card of the most open straights
};

enum class Family : std::uint8_t { none, royal, straight_flush, flush, straight, cards };

// The made hands a dealt-hand line names, by what the dealt five cards are.
enum class Dealt : std::uint8_t {
    royal,
    straight_flush,
    four,
    full_house,
    flush,
    straight,
    three,
    two_pair,
    high_pair,
};

struct Line {
    std::string words;
    Shape shape = Shape::discard;
    // Wild cards the line keeps beside its natural cards ("joker + ", "2 deuces + ").
    int wild = 0;
    // Natural cards kept (draws, named cards, sets), or -1 where the wild cards may stand in
    // for them ("natural or with deuces": `cards` counts both).
    int naturals = 0;
    int cards = 0;
    bool any_wild = false;

    // dealt: the made hands named, the kicker kept where it pays, or else four to a royal.
    std::vector<Dealt> hands;
    bool kicker = false;
    bool or_royal_draw = false;
    // made and five_or_more: the pay class named ("flush"), or the least pay at or above which
    // a hand of all five cards is kept.
    std::vector<HandClass> classes;
    std::int64_t least_pay = 0;
    bool pat_only = false;

    // sets: the counts of ranks kept ({2}, {2, 2}, {3}, {4}) and the ranks allowed.
    std::vector<int> set_counts;
    unsigned set_ranks = 0x1fffu;

    // draws and named cards
    Family family = Family::none;
    int fills = -1;  // 4 to a straight: 2 outside, 1 inside, -1 either
    bool mixed = false;
    bool suited = false;  // named cards: suited, else unsuited
    bool no_straight = false;
    unsigned named_ranks = 0;
    int gaps = -1;
    int high = -1;
    bool high_or_more = false;
    int high_against_gaps = 0;  // 1: at least as many high cards as gaps, 2: fewer
    bool not_two_gaps_no_high = false;
    // Rank sets of the natural cards that the line names (kept only), or leaves out.
    std::vector<unsigned> only_ranks;
    std::vector<unsigned> not_ranks;
    int ace = -1;              // 1: with the ace, 0: no ace
    unsigned tops = 0;         // where set, the highest natural card's rank is one of these
    int top_card = 0;          // 1: highest card 6 or lower, the ace low; 2: 7 or higher
    int penalty = -1;          // 1: flush penalty, 0: no flush penalty
    unsigned alone_ranks = 0;  // alone: the ranks the lone card may have
    // The wild cards dealt of the section the line is written in; -1 above the sections.
    int section = -1;
};

struct Chart {
    std::string game_name;
    // The header's sentences, as the reader understood them.
    bool tie_rule = false;
    bool no_natural_two = false;
    bool dealt_first = false;
    // The header says that each deal reads the lines above the sections and its own section's.
    bool sectioned = false;
    unsigned high = 0;
    std::vector<Line> lines;
};

// Reads a chart file's text for `game`: its header's sentences and its lines. Throws
// UnknownWords for a sentence or a line it cannot read, quoting it.
Chart read(std::string_view text, const Game& game);

// The game as the plain reader sees it: which cards are wild, what a hand of five pays.
struct Table {
    explicit Table(const Game& of_game) : game(of_game), classifier(of_game) {}
    bool wild(CardId card) const;
    std::int64_t pays(const std::array<CardId, 5>& cards) const {
        return game.pay_of(classifier.classify(cards));
    }
    HandClass hand(const std::array<CardId, 5>& cards) const { return classifier.classify(cards); }
    const Game& game;
    FastClassifier classifier;
};

// The hold the chart keeps for the deal, as a mask over its order, and the line (from 1; 0 where
// none fits).
struct Decision {
    std::size_t line = 0;
    std::uint8_t hold = 0;
};
Decision decide(const Chart& chart, const Table& table, const std::array<CardId, 5>& deal);

}  // namespace quillon::odds::plain
