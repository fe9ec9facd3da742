#include "odds/strategy/search/chart_rules.h"

#include <algorithm>

#include "base/stop.h"
#include "odds/strategy/chart/chart_text.h"
#include "odds/strategy/patterns/pattern_words.h"
#include "odds/strategy/search/rule_search.h"
#include "odds/strategy/search/strategy_chart.h"

namespace quillon::odds {

using rule_search::Insert;
using rule_search::kNone;
using rule_search::Refine;
using rule_search::RuleSearch;

namespace {

// The most trades of a rule for a better one in a chart of a given length.
constexpr int kRuleTrades = 40;
// The most lines refined in one go.
constexpr int kRefines = 40;
// How many of the cheapest rules, and of the lines that would gain standing higher, a trade
// tries taking out.
constexpr std::size_t kTrialDrops = 3;
// A chart of rules also starts from the plain chart shorter by this share of its rules.
constexpr std::size_t kShorterStart = 5;
// What a chart may lose per coin and still play every deal perfectly, as the report counts it
// (below a millionth of a percentage point), with room for the sums' rounding.
constexpr double kPerfectShortfall = 0.5e-8;
// The plain lengths a perfect chart starts from, and the most rules it adds to each: a game
// whose misplayed deals no rule mends stops there rather than grow without end.
constexpr std::size_t kPerfectStarts[] = {30, 38};
constexpr std::size_t kPerfectAdds = 12;

// Adds the one rule that gains most: a new line or exception, or a line split into an exception
// in its place and the plain line lower down; `fine`, also an exception on a finer pattern than
// any line. False where none gains.
bool add_rule(RuleSearch& search, bool fine = false) {
    Insert insert = search.best_insert();
    if (fine) {
        const Insert finer = search.best_fine_insert();
        if (finer.slot != kNone && finer.gain > insert.gain) {
            insert = finer;
        }
    }
    const Refine split = search.best_refine(true);
    if (split.index != kNone && split.slot != kNone && split.gain > insert.gain) {
        search.refine(split);
    } else if (insert.slot != kNone) {
        search.insert(insert);
    } else {
        return false;
    }
    search.evaluate();
    return true;
}

// Lets plain lines ask a condition of the discards while that gains: it costs no rule.
void refine_rules(RuleSearch& search) {
    for (int round = 0; round < kRefines; ++round) {
        const Refine best = search.best_refine();
        if (best.index == kNone) {
            return;
        }
        search.refine(best);
        search.evaluate();
    }
}

// Adds the rule that gains most while the chart has room and it gains, each line refined first.
void fill_rules(RuleSearch& search, std::size_t most, double enough, bool fine = false) {
    for (;;) {
        refine_rules(search);
        if (search.rules().size() >= most || search.shortfall() <= enough) {
            return;
        }
        if (!add_rule(search, fine)) {
            return;
        }
    }
}

// Takes out one rule and puts in the one that gains most, of the cheapest rules and the lines
// that would gain standing higher, while some such trade gains.
void trade_rules(RuleSearch& search) {
    for (int round = 0; round < kRuleTrades; ++round) {
        refine_rules(search);
        search.best_insert();
        const std::vector<std::uint32_t> trials = search.trial_drops(kTrialDrops);
        const ChartRules before = search.rules();
        const double value = search.value();
        bool gained = false;
        for (const std::uint32_t out : trials) {
            search.drop(out);
            search.evaluate();
            if (add_rule(search) && search.value() > value + search.tolerance()) {
                gained = true;
                break;
            }
            search.set(before);
        }
        if (!gained) {
            search.evaluate();
            return;
        }
    }
}

// Drops every rule the chart can lose and still lose no more than `most` per coin, the
// cheapest first.
void prune_rules(RuleSearch& search, double most) {
    for (;;) {
        const auto [cheap, cost] = search.cheapest_drop();
        if (cheap == kNone || search.shortfall() + cost > most) {
            return;
        }
        search.drop(cheap);
        search.evaluate();
    }
}

}  // namespace

ChartRules plain_rules(const ChartLines& lines) {
    ChartRules rules;
    for (const std::uint32_t p : lines) {
        rules.push_back(ChartRule{p, {}});
    }
    return rules;
}

ChartRules improve_rules(PlainCharts& plain, const Game& game, std::size_t most,
                         const RuleWritable& writable) {
    const DealPatterns& table = plain.table();
    RuleSearch search(table, game, writable);
    search.set(plain_rules(plain.chart(most)));
    search.evaluate();
    fill_rules(search, most, 0.0);
    trade_rules(search);
    // From a shorter plain chart too, with room for the rules that gain most: a chart of many
    // exceptions and split lines may beat the plain lines the longer chart spends its rules on.
    const std::size_t room = most / kShorterStart;
    if (room == 0) {
        return search.rules();
    }
    const ChartRules first = search.rules();
    const double value = search.value();
    search.set(plain_rules(plain.chart(most - room)));
    search.evaluate();
    fill_rules(search, most, 0.0);
    trade_rules(search);
    return search.value() > value + search.tolerance() ? search.rules() : first;
}

ChartRules perfect_rules(PlainCharts& plain, const Game& game, const RuleWritable& writable) {
    RuleSearch search(plain.table(), game, writable);
    ChartRules best;
    double best_short = 0.0;
    for (const std::size_t start : kPerfectStarts) {
        search.set(plain_rules(plain.chart(start)));
        search.evaluate();
        fill_rules(search, search.rules().size() + kPerfectAdds, kPerfectShortfall, true);
        prune_rules(search, kPerfectShortfall);
        const bool perfect = search.shortfall() <= kPerfectShortfall;
        const bool was_perfect = !best.empty() && best_short <= kPerfectShortfall;
        if (best.empty() || (perfect && !was_perfect) ||
            (perfect == was_perfect &&
             (perfect ? search.rules().size() < best.size() : search.shortfall() < best_short))) {
            best = search.rules();
            best_short = search.shortfall();
        }
    }
    return best;
}

double rules_shortfall(const DealPatterns& table, const Game& game, const ChartRules& rules) {
    const RuleWritable any = [](PatternKey, const DiscardCondition&) { return true; };
    RuleSearch search(table, game, any);
    search.set(rules);
    search.evaluate();
    return search.shortfall();
}

GeneratedRules generate_rules(const Tallies& tallies, std::size_t rules, unsigned threads) {
    const Game& game = tallies.game();
    const RankProfile profile = rank_profile(game);
    const PatternWords words = pattern_words(game, profile);
    const DealPatterns table = search_table(tallies, profile, words, threads);
    // A rule is written only where its words read back as it: the pattern's words, then the
    // condition's, are no other pattern's words.
    const RuleWritable writable = [&](PatternKey key, const DiscardCondition& c) {
        const std::string words_of = pattern_text(key, game, profile);
        // A pattern that says its flush penalty already says no other.
        if (c.flush >= 0 && words_of.find("flush penalty") != std::string::npos) {
            return false;
        }
        std::string text = words_of + condition_text(c);
        std::transform(text.begin(), text.end(), text.begin(), [](char ch) {
            return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch + 32) : ch;
        });
        if (words.by_text.contains(text)) {
            return false;
        }
        const std::optional<ConditionedWords> split = split_condition(text);
        if (!split || !(split->condition == c)) {
            return false;
        }
        const auto it = words.by_text.find(split->pattern);
        return it != words.by_text.end() && it->second == key;
    };
    // The plain charts the search starts from share one search of the table.
    PlainCharts plain(table);
    const ChartRules found = rules == 0 ? perfect_rules(plain, game, writable)
                                        : improve_rules(plain, game, rules, writable);
    const auto lines_of = [&](const ChartRules& of) {
        std::vector<RuleLine> out;
        for (const ChartRule& r : of) {
            out.push_back(RuleLine{table.keys[r.pattern], r.condition});
        }
        return out;
    };
    GeneratedRules out{lines_of(found), {}, 0.0};
    if (rules > 0) {
        const ChartLines& start = plain.chart(rules);
        out.plain = lines_of(plain_rules(start));
        out.plain_shortfall = chart_shortfall(table, start);
    }
    return out;
}

}  // namespace quillon::odds
