#include "odds/play/ultimate_x_choices.h"

#include <algorithm>
#include <array>
#include <thread>
#include <unordered_map>

#include "base/combinatorics.h"
#include "base/stop.h"
#include "odds/play/suit_classes.h"

namespace quillon::odds {

namespace {

// One distribution's key: the draws, then the count of each multiplier value.
using NextKey = std::array<std::int64_t, Game::kMaxRows + 1>;

struct NextKeyHash {
    std::size_t operator()(const NextKey& k) const {
        std::uint64_t h = 0xcbf29ce484222325ull;
        for (const std::int64_t c : k) {
            h = (h ^ static_cast<std::uint64_t>(c)) * 0x100000001b3ull;
        }
        return static_cast<std::size_t>(h ^ (h >> 31));
    }
};

struct RawChoice {
    HoldChoice choice;
    NextKey key{};
};

// One hold of a deal, as the pruning compares them.
struct PrunedHold {
    std::int64_t pay_total = 0;
    std::int64_t draws = 1;
    // tail[k]: the draws that earn values[k] or more.
    std::array<std::int64_t, Game::kMaxRows> tail{};
};

// Whether a is at least b in pay and in every tail of its earned multiplier, exactly.
bool matches_or_beats(const PrunedHold& a, const PrunedHold& b, std::size_t kinds) {
    if (a.pay_total * b.draws < b.pay_total * a.draws) {
        return false;
    }
    for (std::size_t k = 0; k < kinds; ++k) {
        if (a.tail[k] * b.draws < b.tail[k] * a.draws) {
            return false;
        }
    }
    return true;
}

struct PlainShare {
    double plain_pay = 0;
    double plain_multiplier = 0;
};

class ChoiceMaker {
  public:
    ChoiceMaker(const Tallies& tallies, const MultiplierTable& table,
                const std::vector<int>& values)
        : tallies_(tallies), values_(values) {
        const Game& game = tallies.game();
        for (std::size_t r = 0; r < game.row_count(); ++r) {
            const auto at = std::find(values.begin(), values.end(), table.earned[r]);
            kind_of_row_[r] = static_cast<std::size_t>(at - values.begin());
        }
        left_ = tallies.deck_size() - 5;
        for (int kept = 0; kept <= 5; ++kept) {
            draws_[static_cast<std::size_t>(kept)] =
                static_cast<std::int64_t>(choose(left_, 5 - kept));
        }
    }

    void play(const DealClass& dealt, std::vector<RawChoice>& out, PlainShare& share) const {
        const Game& game = tallies_.game();
        const std::size_t rows = game.row_count();
        const std::size_t kinds = values_.size();
        const auto scale = static_cast<double>(game.pay_scale());
        const SortedDeal deal(dealt.cards);
        HoldValues totals;
        HoldCounts counts;
        value_holds(tallies_, deal, totals);
        count_holds(tallies_, deal, counts);
        std::array<PrunedHold, kHoldCount> holds;
        std::array<std::array<std::int64_t, Game::kMaxRows>, kHoldCount> by_kind{};
        for (std::size_t mask = 0; mask < kHoldCount; ++mask) {
            PrunedHold& h = holds[mask];
            h.pay_total = totals[mask];
            h.draws = draws_[kHoldSize[mask]];
            for (std::size_t r = 0; r < rows; ++r) {
                by_kind[mask][kind_of_row_[r]] += counts[mask][r];
            }
            std::int64_t above = 0;
            for (std::size_t k = kinds; k-- > 0;) {
                above += by_kind[mask][k];
                h.tail[k] = above;
            }
        }
        const HoldMask best = best_hold(tallies_, deal, totals);
        const double w = dealt.weight;
        share.plain_pay += w * static_cast<double>(totals[best]) /
                           (static_cast<double>(holds[best].draws) * scale);
        share.plain_multiplier += w * mean_multiplier(by_kind[best], holds[best].draws);
        for (std::size_t mask = 0; mask < kHoldCount; ++mask) {
            bool dominated = false;
            for (std::size_t other = 0; other < kHoldCount && !dominated; ++other) {
                if (other == mask || !matches_or_beats(holds[other], holds[mask], kinds)) {
                    continue;
                }
                // Holds that match exactly keep the one of smaller mask.
                dominated = !matches_or_beats(holds[mask], holds[other], kinds) || other < mask;
            }
            if (dominated) {
                continue;
            }
            RawChoice raw;
            raw.choice.mask = static_cast<HoldMask>(mask);
            const auto d = static_cast<double>(holds[mask].draws);
            raw.choice.pay = static_cast<double>(totals[mask]) / (d * scale);
            double squares = 0;
            double hits = 0;
            for (std::size_t r = 0; r < rows; ++r) {
                const auto pay = static_cast<double>(game.pay(r)) / scale;
                squares += static_cast<double>(counts[mask][r]) * pay * pay;
                hits += game.pay(r) > 0 ? static_cast<double>(counts[mask][r]) : 0.0;
            }
            raw.choice.pay_square = squares / d;
            raw.choice.hits = hits / d;
            raw.key[0] = holds[mask].draws;
            std::copy(by_kind[mask].begin(), by_kind[mask].begin() + static_cast<long>(kinds),
                      raw.key.begin() + 1);
            out.push_back(raw);
        }
    }

    double mean_multiplier(const std::array<std::int64_t, Game::kMaxRows>& by_kind,
                           std::int64_t draws) const {
        double sum = 0;
        for (std::size_t k = 0; k < values_.size(); ++k) {
            sum += static_cast<double>(by_kind[k]) * values_[k];
        }
        return sum / static_cast<double>(draws);
    }

  private:
    const Tallies& tallies_;
    const std::vector<int>& values_;
    std::array<std::size_t, Game::kMaxRows> kind_of_row_{};
    int left_ = 0;
    std::array<std::int64_t, 6> draws_{};
};

}  // namespace

std::vector<double> sum_chances(const std::vector<int>& values, const std::int64_t* counts,
                                std::int64_t draws, int lines, int most_multiplier) {
    const auto length = static_cast<std::size_t>(lines * (most_multiplier - 1) + 1);
    std::vector<double> now(length, 0.0);
    std::vector<double> next(length, 0.0);
    now[0] = 1.0;
    std::size_t reach = 0;  // the highest index with a chance so far
    for (int line = 0; line < lines; ++line) {
        std::fill(next.begin(), next.end(), 0.0);
        for (std::size_t k = 0; k < values.size(); ++k) {
            if (counts[k] == 0) {
                continue;
            }
            const double p = static_cast<double>(counts[k]) / static_cast<double>(draws);
            const auto shift = static_cast<std::size_t>(values[k] - 1);
            for (std::size_t j = 0; j <= reach; ++j) {
                next[j + shift] += p * now[j];
            }
        }
        reach += static_cast<std::size_t>(most_multiplier - 1);
        reach = std::min(reach, length - 1);
        std::swap(now, next);
    }
    return now;
}

UltimateXChoices ultimate_x_choices(const Tallies& tallies, const MultiplierTable& table,
                                    unsigned threads) {
    const std::vector<DealClass> classes = deal_classes(tallies.game().jokers());
    UltimateXChoices out;
    out.values = table.values();
    const ChoiceMaker chooser(tallies, table, out.values);
    threads = std::max(1u, threads);
    std::vector<std::vector<RawChoice>> per_deal(classes.size());
    std::vector<PlainShare> per_class(classes.size());
    constexpr std::size_t kBlock = 512;
    const std::stop_token stop = current_stop();
    {
        const auto work = [&](unsigned t) {
            for (std::size_t block = t * kBlock; block < classes.size();
                 block += threads * kBlock) {
                const std::size_t end = std::min(classes.size(), block + kBlock);
                for (std::size_t i = block; i < end && !stop.stop_requested(); ++i) {
                    chooser.play(classes[i], per_deal[i], per_class[i]);
                }
            }
        };
        std::vector<std::jthread> workers;
        for (unsigned t = 1; t < threads; ++t) {
            workers.emplace_back(work, t);
        }
        work(0);
    }
    stop_point(stop);
    // The plain game's figures are added up in two halves of alternate blocks, in deal order,
    // whatever the number of threads: the same sums, to the last bit, on any machine.
    constexpr std::size_t kHalves = 2;
    std::array<PlainShare, kHalves> shares{};
    for (std::size_t half = 0; half < kHalves; ++half) {
        for (std::size_t block = half * kBlock; block < classes.size(); block += kHalves * kBlock) {
            const std::size_t end = std::min(classes.size(), block + kBlock);
            for (std::size_t i = block; i < end; ++i) {
                shares[half].plain_pay += per_class[i].plain_pay;
                shares[half].plain_multiplier += per_class[i].plain_multiplier;
            }
        }
    }
    const std::size_t kinds = out.values.size();
    std::unordered_map<NextKey, std::uint32_t, NextKeyHash> index;
    out.start.push_back(0);
    for (std::size_t i = 0; i < classes.size(); ++i) {
        out.deal_weight.push_back(classes[i].weight);
        out.all_deals += classes[i].weight;
        for (RawChoice& raw : per_deal[i]) {
            const auto [at, fresh] =
                index.try_emplace(raw.key, static_cast<std::uint32_t>(out.next_draws.size()));
            if (fresh) {
                out.next_draws.push_back(raw.key[0]);
                out.next_counts.insert(out.next_counts.end(), raw.key.begin() + 1,
                                       raw.key.begin() + 1 + static_cast<long>(kinds));
            }
            raw.choice.next = at->second;
            out.choices.push_back(raw.choice);
        }
        out.start.push_back(static_cast<std::uint32_t>(out.choices.size()));
        std::vector<RawChoice>().swap(per_deal[i]);
    }
    const auto all = static_cast<double>(out.all_deals);
    for (const PlainShare& s : shares) {
        out.plain_pay += s.plain_pay / all;
        out.plain_multiplier += s.plain_multiplier / all;
    }
    // The rule of thumb: a multiplier step beyond 1X is worth the plain game's return.
    for (std::size_t i = 0; i < out.deal_count(); ++i) {
        const HoldChoice* best = nullptr;
        double best_mean = 0;
        double best_value = 0;
        for (std::uint32_t c = out.start[i]; c < out.start[i + 1]; ++c) {
            const HoldChoice& h = out.choices[c];
            const std::int64_t* counts = out.next_counts.data() + h.next * kinds;
            double mean = 0;
            for (std::size_t k = 0; k < kinds; ++k) {
                mean += static_cast<double>(counts[k]) * out.values[k];
            }
            mean /= static_cast<double>(out.next_draws[h.next]);
            const double value = h.pay + out.plain_pay * (mean - 1.0);
            if (best == nullptr || value > best_value ||
                (value == best_value && h.pay > best->pay)) {
                best = &h;
                best_mean = mean;
                best_value = value;
            }
        }
        const double w = out.deal_weight[i] / all;
        out.thumb_pay += w * best->pay;
        out.thumb_multiplier += w * best_mean;
    }
    return out;
}

}  // namespace quillon::odds
