#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "base/threads.h"
#include "odds/games/pay_table.h"
#include "odds/play/tallies.h"
#include "odds/strategy/chart/chart_conditions.h"
#include "odds/strategy/patterns/deal_patterns.h"
#include "odds/strategy/search/chart_builder.h"

// Charts counted in rules: plain lines and exceptions, lines whose pattern keeps its hold only
// where the discards show what the line asks ("king alone, with a 9 discarded"). An exception
// stands above the bare line of its pattern, if the chart has one.
namespace quillon::odds {

struct ChartRule {
    // A pattern of the table the chart was built from.
    std::uint32_t pattern = 0;
    // What the discards must show; nothing asked on a plain line.
    DiscardCondition condition;

    bool operator==(const ChartRule&) const = default;
};
using ChartRules = std::vector<ChartRule>;

// Whether a rule's words read back as that rule, in the words of the chart's game: the caller
// knows them.
using RuleWritable = std::function<bool(PatternKey, const DiscardCondition&)>;

// The plain lines of a chart as rules.
ChartRules plain_rules(const ChartLines& lines);

// The best chart of at most `most` rules the search finds from the plain chart of `most` lines
// of the table (and from a shorter one): exceptions and lines come in where they gain, and take
// the place of the line that costs least where they gain more than it saves.
ChartRules improve_rules(PlainCharts& plain, const Game& game, std::size_t most,
                         const RuleWritable& writable);

// The shortest chart the search finds that plays every deal as well as perfect play does, from
// plain charts of several lengths: rules come in until no deal is misplayed, exceptions on
// finer patterns than any line among them (the ranks kept, a rank discarded and another not,
// the kept suit thrown away twice), then every rule that no deal needs goes.
ChartRules perfect_rules(PlainCharts& plain, const Game& game, const RuleWritable& writable);

// What a chart of rules loses per coin against perfect play, from the table's stored holds: a
// deal plays the hold its pattern keeps there, where the discards of that hold meet the rule.
double rules_shortfall(const DealPatterns& table, const Game& game, const ChartRules& rules);

// A game's chart of `rules` rules (0: the shortest chart found that plays perfectly), as
// patterns with what each asks of the discards, best first.
struct RuleLine {
    PatternKey key = 0;
    DiscardCondition condition;
};
struct GeneratedRules {
    std::vector<RuleLine> lines;
    // For a chart of N rules, the plain chart of N lines it started from and what that loses per
    // coin. The search plays an exception on the hold the table keeps for its pattern, where the
    // chart as read takes the first hold of the pattern that meets it: where several holds show
    // the pattern the chart written can lose more than the search counted, and more than these.
    std::vector<RuleLine> plain;
    double plain_shortfall = 0.0;
};
GeneratedRules generate_rules(const Tallies& tallies, std::size_t rules,
                              unsigned threads = default_threads());

}  // namespace quillon::odds
