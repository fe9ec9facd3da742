#include "odds/strategy/search/rule_search.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <stdexcept>

#include "base/stop.h"
#include "odds/strategy/patterns/pattern_key.h"

namespace quillon::odds::rule_search {

namespace {

// How many of the rules that would mend misplayed deals are priced over every deal each round.
constexpr std::size_t kRuleCandidates = 160;
// The most of them on one pattern: a deal's best hold meets dozens of conditions, which would
// crowd out the rules of other deals.
constexpr std::size_t kPerPattern = 8;
// Holds worth less than this below the best one are not the deal's best.
constexpr double kSameHoldValue = 1e-12;

// The conditions the search tries: each rank discarded, each rank as the one card discarded,
// the straight and high-card penalties with and without, and each of those with the flush
// penalty and without.
std::vector<DiscardCondition> search_conditions(const RankProfile& profile) {
    std::vector<DiscardCondition> single;
    for (int r = 0; r < kRankCount; ++r) {
        if ((profile.naturals >> r & 1u) == 0) {
            continue;
        }
        DiscardCondition named;
        named.discarded = 1u << r;
        single.push_back(named);
        named.only_discard = true;
        single.push_back(named);
    }
    const bool high_cards =
        std::any_of(profile.high.begin(), profile.high.end(), [](bool h) { return h; });
    for (const int seen : {1, 0}) {
        DiscardCondition c;
        c.straight = seen;
        single.push_back(c);
        if (high_cards) {
            c = DiscardCondition{};
            c.high = seen;
            single.push_back(c);
        }
    }
    std::vector<DiscardCondition> out = single;
    for (const int seen : {1, 0}) {
        for (DiscardCondition c : single) {
            c.flush = seen;
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace

RuleSearch::RuleSearch(const DealPatterns& table, const Game& game, const RuleWritable& writable)
    : t_(table),
      game_(game),
      profile_(rank_profile(game)),
      writable_(writable),
      conditions_(search_conditions(profile_)),
      met_(table.hold_mask.size()) {
    if (conditions_.size() >= 64 * Met{}.size()) {
        throw std::logic_error("more conditions than the search's sets of them hold");
    }
    for (std::size_t c = 0; c < conditions_.size(); ++c) {
        const std::uint64_t bit = std::uint64_t{1} << (c % 64);
        const std::size_t word = c / 64;
        const DiscardCondition& cond = conditions_[c];
        all_[word] |= bit;
        if (cond.discarded == 0) {
            masks_.no_rank[word] |= bit;
        } else {
            for (int r = 0; r < kRankCount; ++r) {
                masks_.rank[static_cast<std::size_t>(r)][word] |=
                    (cond.discarded >> r & 1u) != 0 ? bit : 0;
            }
            masks_.one_discard[word] |= cond.only_discard ? bit : 0;
        }
        // A condition asking 1 fails where the thing is not seen, one asking 0 where it is.
        const auto stops = [&](int asked, std::array<Met, 2>& masks) {
            if (asked >= 0) {
                masks[asked == 1 ? 0 : 1][word] |= bit;
            }
        };
        stops(cond.straight, masks_.straight);
        stops(cond.high, masks_.high);
        stops(cond.flush, masks_.flush);
    }
    const std::size_t deals = t_.deal_count();
    first_.assign(deals, kNone);
    second_.assign(deals, kNone);
    fval_.assign(deals, 0.0);
    sval_.assign(deals, 0.0);
    for (std::size_t d = 0; d < deals; ++d) {
        total_ += t_.deals[d].weight;
        perfect_ += t_.deals[d].weight * t_.perfect[d];
    }
    eps_ = 1e-13 * total_;
}

void RuleSearch::set(ChartRules rules) {
    rules_ = std::move(rules);
    index();
}

void RuleSearch::index() {
    plain_.assign(t_.keys.size(), kNone);
    excepted_.assign(t_.keys.size(), {});
    ruled_.assign(t_.keys.size(), 0);
    for (std::uint32_t i = 0; i < rules_.size(); ++i) {
        const ChartRule& r = rules_[i];
        if (r.condition.any()) {
            const auto it = std::find(conditions_.begin(), conditions_.end(), r.condition);
            excepted_[r.pattern].push_back(Excepted{
                i,
                it == conditions_.end() ? kNone
                                        : static_cast<std::uint32_t>(it - conditions_.begin()),
                r.condition});
        } else if (plain_[r.pattern] == kNone) {
            plain_[r.pattern] = i;
        }
        ruled_[r.pattern] = 1;
    }
}

const RuleSearch::Met& RuleSearch::met(std::size_t d, std::uint32_t e) const {
    const std::uint32_t h = t_.hold(d, e);
    Met& bits = met_[h];
    // The last bit, which no condition has, says the hold's bits are worked out: one look-up
    // of a table of some two million holds rather than two.
    if ((bits.back() & kMetKnown) == 0) {
        // As condition_meets asks each condition: some discard of its ranks (one card thrown
        // away alone where it says so), and each penalty as it asks.
        const DiscardView seen = view(d, e);
        for (std::size_t w = 0; w < bits.size(); ++w) {
            std::uint64_t ranked = 0;
            for (unsigned r = seen.ranks; r != 0; r &= r - 1) {
                ranked |= masks_.rank[static_cast<std::size_t>(std::countr_zero(r))][w];
            }
            if (seen.discards != 1) {
                ranked &= ~masks_.one_discard[w];
            }
            bits[w] = (masks_.no_rank[w] | ranked) & ~masks_.straight[seen.straight ? 1 : 0][w] &
                      ~masks_.high[seen.high ? 1 : 0][w] & ~masks_.flush[seen.flush ? 1 : 0][w];
        }
        bits.back() |= kMetKnown;
    }
    return bits;
}

bool RuleSearch::meets(std::size_t d, std::uint32_t e, const Excepted& rule) const {
    if (rule.index == kNone) {
        return condition_meets(rule.condition, view(d, e));
    }
    return (met(d, e)[rule.index / 64] >> (rule.index % 64) & 1u) != 0;
}

DiscardView RuleSearch::view(std::size_t d, std::uint32_t e) const {
    return discard_view(game_, profile_, class_cards(t_.deals[d], game_.has_joker()),
                        t_.mask(d, e));
}

bool RuleSearch::allowed(std::uint32_t p, const DiscardCondition& c) const {
    if (!c.any()) {
        return true;
    }
    using namespace pattern_key;
    const PatternKey key = t_.keys[p];
    const Kind kind = kind_of(key);
    const int held = kind == Kind::nothing ? 0 : static_cast<int>(get(key, kHeld));
    const int natural = held - static_cast<int>(get(key, kWild));
    if (held == 5 || (c.only_discard && held != 4) ||
        ((c.straight >= 0 || c.flush >= 0 || c.suited_discards != 0) && natural <= 0)) {
        return false;
    }
    return writable_(key, c);
}

double RuleSearch::evaluate() {
    stop_point();
    value_ = 0.0;
    for (std::size_t d = 0; d < t_.deal_count(); ++d) {
        std::uint32_t a = kNone;
        std::uint32_t b = kNone;
        double va = 0.0;
        double vb = 0.0;
        const auto consider = [&](std::uint32_t at, double v) {
            if (at < a) {
                b = a;
                vb = va;
                a = at;
                va = v;
            } else if (at < b) {
                b = at;
                vb = v;
            }
        };
        for (std::uint32_t e = t_.entry_begin[d]; e < t_.entry_begin[d + 1]; ++e) {
            const std::uint32_t p = t_.pattern(e);
            if (ruled_[p] == 0) {
                continue;
            }
            const auto& excepted = excepted_[p];
            const double v = t_.value(d, e);
            if (plain_[p] != kNone) {
                consider(plain_[p], v);
            }
            for (const Excepted& rule : excepted) {
                if (rule.at < b && meets(d, e, rule)) {
                    consider(rule.at, v);
                }
            }
        }
        first_[d] = a;
        second_[d] = b;
        fval_[d] = va;
        sval_[d] = vb;
        value_ += t_.deals[d].weight * va;
    }
    return value();
}

std::vector<RuleSearch::Candidate> RuleSearch::candidates() {
    // What each rule would mend, counted on the misplayed deals only: a row of every condition
    // (and the plain line last) for each pattern that some best hold shows.
    const std::size_t kinds = conditions_.size() + 1;
    std::vector<std::uint32_t> row(t_.keys.size(), kNone);
    std::vector<double> rough;
    movers_.assign(t_.keys.size(), 0.0);
    for_best_entries(kSameHoldValue, [&](std::size_t d, std::uint32_t e, double gain) {
        const std::uint32_t p = t_.pattern(e);
        if (row[p] == kNone) {
            row[p] = static_cast<std::uint32_t>(rough.size() / kinds);
            rough.resize(rough.size() + kinds, 0.0);
        }
        double* mine = rough.data() + std::size_t{row[p]} * kinds;
        if (plain_[p] == kNone) {
            mine[conditions_.size()] += gain;
        } else {
            movers_[p] += gain;
        }
        const Met& bits = met(d, e);
        for (std::size_t w64 = 0; w64 < bits.size(); ++w64) {
            for (std::uint64_t m = bits[w64] & all_[w64]; m != 0; m &= m - 1) {
                mine[w64 * 64 + static_cast<std::size_t>(std::countr_zero(m))] += gain;
            }
        }
    });
    RankedCodes order;
    for (std::uint32_t p = 0; p < t_.keys.size(); ++p) {
        if (row[p] == kNone) {
            continue;
        }
        for (std::size_t c = 0; c < kinds; ++c) {
            const double gain = rough[std::size_t{row[p]} * kinds + c];
            if (gain > 0.0) {
                order.emplace_back(gain, std::uint64_t{p} * kinds + c);
            }
        }
    }
    // Of rules that mend alike, the plain line first, then the fewest words.
    std::sort(order.begin(), order.end(), [&](const auto& x, const auto& y) {
        const bool px = x.second % kinds == conditions_.size();
        const bool py = y.second % kinds == conditions_.size();
        return x.first > y.first ||
               (x.first == y.first && (px > py || (px == py && x.second < y.second)));
    });
    const auto last = static_cast<std::uint32_t>(rules_.size() - 1);
    return first_candidates(order, kRuleCandidates, kPerPattern, [&](std::uint64_t code) {
        Candidate cand;
        cand.rule.pattern = static_cast<std::uint32_t>(code / kinds);
        const std::size_t c = code % kinds;
        if (c < conditions_.size()) {
            cand.rule.condition = conditions_[c];
            cand.index = static_cast<std::uint32_t>(c);
        }
        const std::uint32_t p = cand.rule.pattern;
        if (cand.rule.condition.any()) {
            cand.most = std::min(plain_[p], last);
        } else {
            for (const Excepted& rule : excepted_[p]) {
                cand.least = std::max(cand.least, rule.at + 1);
            }
            cand.most = last;
        }
        return cand;
    });
}

std::vector<RuleSearch::Candidate> RuleSearch::first_candidates(
    const RankedCodes& ranked, std::size_t most, std::size_t per_pattern,
    const std::function<Candidate(std::uint64_t)>& make) const {
    std::vector<Candidate> out;
    std::vector<std::size_t> taken(t_.keys.size(), 0);
    for (const auto& ranked_code : ranked) {
        if (out.size() == most) {
            break;
        }
        const Candidate cand = make(ranked_code.second);
        const std::uint32_t p = cand.rule.pattern;
        if (taken[p] >= per_pattern || !allowed(p, cand.rule.condition) ||
            std::find(rules_.begin(), rules_.end(), cand.rule) != rules_.end() ||
            cand.least > cand.most) {
            continue;
        }
        ++taken[p];
        out.push_back(cand);
    }
    return out;
}

Insert RuleSearch::best_insert() {
    stop_point();
    const std::vector<Candidate> cands = candidates();
    Insert best;
    if (cands.empty()) {
        return best;
    }
    const std::size_t lines = rules_.size();
    std::vector<std::vector<std::uint32_t>> of_pattern(t_.keys.size());
    // Whether a pattern has candidates: most entries have none, and a byte each is looked up in
    // the first cache.
    std::vector<std::uint8_t> wanted(t_.keys.size(), 0);
    for (std::uint32_t c = 0; c < cands.size(); ++c) {
        of_pattern[cands[c].rule.pattern].push_back(c);
        wanted[cands[c].rule.pattern] = 1;
    }
    std::vector<double> bucket(cands.size() * lines, 0.0);
    for (std::size_t d = 0; d < t_.deal_count(); ++d) {
        const double w = t_.deals[d].weight;
        const std::uint32_t at = first_[d];
        for (std::uint32_t e = t_.entry_begin[d]; e < t_.entry_begin[d + 1]; ++e) {
            if (wanted[t_.pattern(e)] == 0) {
                continue;
            }
            const auto& mine = of_pattern[t_.pattern(e)];
            const double gain = w * (t_.value(d, e) - fval_[d]);
            for (const std::uint32_t c : mine) {
                const std::uint32_t index = cands[c].index;
                if (index != kNone && (met(d, e)[index / 64] >> (index % 64) & 1u) == 0) {
                    continue;
                }
                bucket[c * lines + at] += gain;
            }
        }
    }
    for (std::uint32_t c = 0; c < cands.size(); ++c) {
        double gain = 0.0;
        for (std::size_t k = lines; k-- > 0;) {
            gain += bucket[c * lines + k];
            if (k >= cands[c].least && k <= cands[c].most && gain > best.gain + eps_) {
                best = Insert{gain, cands[c].rule, static_cast<std::uint32_t>(k)};
            }
        }
    }
    best.gain /= total_;
    return best;
}

Refine RuleSearch::best_refine(bool split) const {
    // What each plain line gains by asking each condition: the deals it decides where its hold
    // fails the condition go to the next rule that takes them, or, split, to the plain line put
    // back at a place below, which keeps the same hold. Counted by the place of that next rule.
    const std::size_t kinds = conditions_.size();
    const std::size_t lines = rules_.size();
    // By line, then next rule, then condition: a deal adds to its conditions side by side.
    std::vector<double> delta(lines * lines * kinds, 0.0);
    for (std::size_t d = 0; d < t_.deal_count(); ++d) {
        const std::uint32_t at = first_[d];
        if (second_[d] == kNone || rules_[at].condition.any() ||
            rules_[at].pattern == t_.discard_all) {
            continue;
        }
        const double change = t_.deals[d].weight * (sval_[d] - fval_[d]);
        if (change == 0.0) {
            continue;
        }
        // The hold the line keeps: its pattern's entry in the deal.
        const std::uint32_t p = rules_[at].pattern;
        std::uint32_t e = t_.entry_begin[d];
        while (t_.pattern(e) != p) {
            ++e;
        }
        const Met& bits = met(d, e);
        double* row = delta.data() + (at * lines + second_[d]) * kinds;
        for (std::size_t w64 = 0; w64 < bits.size(); ++w64) {
            for (std::uint64_t m = ~bits[w64] & all_[w64]; m != 0; m &= m - 1) {
                row[w64 * 64 + static_cast<std::size_t>(std::countr_zero(m))] += change;
            }
        }
    }
    Refine best;
    for (std::uint32_t i = 0; i < lines; ++i) {
        for (std::size_t c = 0; c < kinds; ++c) {
            const double* of_line = delta.data() + i * lines * kinds + c;
            const auto by_next = [&](std::size_t j) { return of_line[j * kinds]; };
            // Put back at slot j, the line takes again the deals whose next rule comes at j or
            // later; without it, every deal passes on.
            double gain = 0.0;
            double most = -std::numeric_limits<double>::infinity();
            std::uint32_t slot = kNone;
            for (std::uint32_t j = i + 1; j < lines; ++j) {
                gain += j > i + 1 ? by_next(j - 1) : 0.0;
                if (split && gain > most) {
                    most = gain;
                    slot = j;
                }
            }
            if (!split) {
                most = 0.0;
                for (std::uint32_t j = i + 1; j < lines; ++j) {
                    most += by_next(j);
                }
            }
            if (most > best.gain + eps_ && allowed(rules_[i].pattern, conditions_[c]) &&
                std::find(rules_.begin(), rules_.end(),
                          ChartRule{rules_[i].pattern, conditions_[c]}) == rules_.end()) {
                best = Refine{most, i, conditions_[c], split ? slot : kNone};
            }
        }
    }
    best.gain /= total_;
    return best;
}

void RuleSearch::refine(const Refine& move) {
    const std::uint32_t pattern = rules_[move.index].pattern;
    rules_[move.index].condition = move.condition;
    if (move.slot != kNone) {
        rules_.insert(rules_.begin() + move.slot, ChartRule{pattern, {}});
    }
    index();
}

std::vector<std::uint32_t> RuleSearch::trial_drops(std::size_t count) const {
    std::vector<double> cost(rules_.size(), 0.0);
    for (std::size_t d = 0; d < t_.deal_count(); ++d) {
        if (second_[d] != kNone) {
            cost[first_[d]] += t_.deals[d].weight * (fval_[d] - sval_[d]);
        }
    }
    std::vector<std::uint32_t> cheap;
    for (std::uint32_t i = 0; i + 1 < rules_.size(); ++i) {
        if (rules_[i].pattern != t_.discard_all) {
            cheap.push_back(i);
        }
    }
    std::sort(cheap.begin(), cheap.end(), [&](std::uint32_t a, std::uint32_t b) {
        return cost[a] < cost[b] || (cost[a] == cost[b] && a < b);
    });
    cheap.resize(std::min(cheap.size(), count));
    // The plain lines whose holds would mend most misplayed deals if they stood higher.
    std::vector<std::uint32_t> moving;
    for (std::uint32_t i = 0; i + 1 < rules_.size(); ++i) {
        const ChartRule& r = rules_[i];
        if (!r.condition.any() && r.pattern < movers_.size() && movers_[r.pattern] > 0.0) {
            moving.push_back(i);
        }
    }
    std::sort(moving.begin(), moving.end(), [&](std::uint32_t a, std::uint32_t b) {
        const double ga = movers_[rules_[a].pattern];
        const double gb = movers_[rules_[b].pattern];
        return ga > gb || (ga == gb && a < b);
    });
    moving.resize(std::min(moving.size(), count));
    for (const std::uint32_t i : moving) {
        if (std::find(cheap.begin(), cheap.end(), i) == cheap.end()) {
            cheap.push_back(i);
        }
    }
    return cheap;
}

std::pair<std::uint32_t, double> RuleSearch::cheapest_drop() const {
    std::vector<double> cost(rules_.size(), 0.0);
    for (std::size_t d = 0; d < t_.deal_count(); ++d) {
        if (second_[d] != kNone) {
            cost[first_[d]] += t_.deals[d].weight * (fval_[d] - sval_[d]);
        }
    }
    std::uint32_t pick = kNone;
    for (std::uint32_t i = 0; i + 1 < rules_.size(); ++i) {
        if (rules_[i].pattern != t_.discard_all && (pick == kNone || cost[i] < cost[pick])) {
            pick = i;
        }
    }
    return {pick, pick == kNone ? 0.0 : cost[pick] / total_};
}

void RuleSearch::insert(const Insert& move) {
    rules_.insert(rules_.begin() + move.slot, move.rule);
    index();
}

void RuleSearch::drop(std::uint32_t index_of) {
    rules_.erase(rules_.begin() + index_of);
    index();
}

}  // namespace quillon::odds::rule_search
