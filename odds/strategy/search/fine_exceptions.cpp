#include <algorithm>
#include <bit>
#include <unordered_map>

#include "base/stop.h"
#include "odds/strategy/search/rule_search.h"

// Exceptions on finer patterns than any line: ranks a hold keeps ("4 to a flush, A-K-10 kept"),
// with a rank discarded or none of it ("with a Q discarded", "with no 9 discarded"), and two of
// these at once. There are too many to price each over every deal, so they are first counted on the
// misplayed deals alone, as the conditions their best holds meet.
namespace quillon::odds::rule_search {

namespace {

// How many fine exceptions are priced over every deal each round, and the most on one pattern.
constexpr std::size_t kFineCandidates = 600;
constexpr std::size_t kFinePerPattern = 150;
constexpr double kFineSameValue = 1e-12;

// A pattern and a condition as one number: 16 bits of pattern, then the condition's fields.
std::uint64_t code_of(std::uint32_t p, const DiscardCondition& c) {
    const auto flag = [](int f) { return static_cast<std::uint64_t>(f + 1); };
    return std::uint64_t{p} | std::uint64_t{c.discarded} << 16 | std::uint64_t{c.absent} << 29 |
           std::uint64_t{c.kept} << 42 | (c.only_discard ? 1ull : 0ull) << 55 |
           flag(c.straight) << 56 | flag(c.high) << 58 | flag(c.flush) << 60 |
           static_cast<std::uint64_t>(c.suited_discards) << 62;
}

ChartRule rule_of(std::uint64_t code) {
    const auto flag = [&](int at) { return static_cast<int>(code >> at & 3u) - 1; };
    ChartRule r;
    r.pattern = static_cast<std::uint32_t>(code & 0xffffu);
    r.condition.discarded = static_cast<unsigned>(code >> 16 & 0x1fffu);
    r.condition.absent = static_cast<unsigned>(code >> 29 & 0x1fffu);
    r.condition.kept = static_cast<unsigned>(code >> 42 & 0x1fffu);
    r.condition.only_discard = (code >> 55 & 1u) != 0;
    r.condition.straight = flag(56);
    r.condition.high = flag(58);
    r.condition.flush = flag(60);
    r.condition.suited_discards = static_cast<int>(code >> 62);
    return r;
}

// The fine conditions a hold's discards meet: some of its ranks kept (every set of two or more,
// or one where it keeps one), alone, with one rank discarded or not, or with a penalty as seen;
// two or more of the kept suit thrown away; and one rank discarded with another not, whatever
// the ranks kept.
void fine_conditions(const DiscardView& v, unsigned naturals, std::vector<DiscardCondition>& out) {
    out.clear();
    const unsigned none = naturals & ~v.ranks & ~v.kept;
    const int kept_count = std::popcount(v.kept);
    // Every subset of the kept ranks, by walking the submasks.
    for (unsigned sub = v.kept; sub != 0; sub = (sub - 1) & v.kept) {
        if (std::popcount(sub) < std::min(2, kept_count)) {
            continue;
        }
        DiscardCondition k;
        k.kept = sub;
        out.push_back(k);
        for (int r = 0; r < kRankCount; ++r) {
            DiscardCondition c = k;
            if ((v.ranks >> r & 1u) != 0) {
                c.discarded = 1u << r;
                out.push_back(c);
            } else if ((none >> r & 1u) != 0) {
                c.absent = 1u << r;
                out.push_back(c);
            }
        }
        for (int field = 0; field < 3; ++field) {
            DiscardCondition c = k;
            (field == 0   ? c.straight
             : field == 1 ? c.high
                          : c.flush) = (field == 0   ? v.straight
                                        : field == 1 ? v.high
                                                     : v.flush)
                                           ? 1
                                           : 0;
            out.push_back(c);
        }
    }
    // Two or three of the kept suit thrown away, alone or with a rank discarded.
    for (int n = 2; n <= std::min(v.suited_discards, 3); ++n) {
        DiscardCondition c;
        c.suited_discards = n;
        out.push_back(c);
        for (int r = 0; r < kRankCount; ++r) {
            if ((v.ranks >> r & 1u) != 0) {
                c.discarded = 1u << r;
                out.push_back(c);
            }
        }
    }
    for (int r = 0; r < kRankCount; ++r) {
        if ((v.ranks >> r & 1u) == 0) {
            continue;
        }
        for (int s = 0; s < kRankCount; ++s) {
            if ((none >> s & 1u) != 0) {
                DiscardCondition c;
                c.discarded = 1u << r;
                c.absent = 1u << s;
                out.push_back(c);
            }
        }
    }
}

}  // namespace

Insert RuleSearch::best_fine_insert() {
    stop_point();
    std::unordered_map<std::uint64_t, double> rough;
    std::vector<DiscardCondition> conds;
    for_best_entries(kFineSameValue, [&](std::size_t d, std::uint32_t e, double gain) {
        fine_conditions(view(d, e), profile_.naturals, conds);
        for (const DiscardCondition& c : conds) {
            rough[code_of(t_.pattern(e), c)] += gain;
        }
    });
    RankedCodes order;
    order.reserve(rough.size());
    for (const auto& [code, gain] : rough) {
        order.emplace_back(gain, code);
    }
    std::sort(order.begin(), order.end(), [](const auto& x, const auto& y) {
        return x.first > y.first || (x.first == y.first && x.second < y.second);
    });
    const auto last = static_cast<std::uint32_t>(rules_.size() - 1);
    const std::vector<Candidate> cands =
        first_candidates(order, kFineCandidates, kFinePerPattern, [&](std::uint64_t code) {
            Candidate cand;
            cand.rule = rule_of(code);
            cand.most = std::min(plain_[cand.rule.pattern], last);
            return cand;
        });
    Insert best;
    if (cands.empty()) {
        return best;
    }
    const std::size_t lines = rules_.size();
    std::vector<std::vector<std::uint32_t>> of_pattern(t_.keys.size());
    for (std::uint32_t c = 0; c < cands.size(); ++c) {
        of_pattern[cands[c].rule.pattern].push_back(c);
    }
    std::vector<double> bucket(cands.size() * lines, 0.0);
    for (std::size_t d = 0; d < t_.deal_count(); ++d) {
        const double w = t_.deals[d].weight;
        const std::uint32_t at = first_[d];
        for (std::uint32_t e = t_.entry_begin[d]; e < t_.entry_begin[d + 1]; ++e) {
            const auto& mine = of_pattern[t_.pattern(e)];
            if (mine.empty()) {
                continue;
            }
            const DiscardView seen = view(d, e);
            const double gain = w * (t_.value(d, e) - fval_[d]);
            for (const std::uint32_t c : mine) {
                if (condition_meets(cands[c].rule.condition, seen)) {
                    bucket[c * lines + at] += gain;
                }
            }
        }
    }
    for (std::uint32_t c = 0; c < cands.size(); ++c) {
        double gain = 0.0;
        for (std::size_t k = lines; k-- > 0;) {
            gain += bucket[c * lines + k];
            if (k <= cands[c].most && gain > best.gain + eps_) {
                best = Insert{gain, cands[c].rule, static_cast<std::uint32_t>(k)};
            }
        }
    }
    best.gain /= total_;
    return best;
}

}  // namespace quillon::odds::rule_search
