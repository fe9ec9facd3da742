#include "odds/play/ultimate_x.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "base/stop.h"
#include "base/threads.h"
#include "odds/play/deal_analysis.h"
#include "odds/play/ultimate_x_choices.h"

namespace quillon::odds {

namespace {

// Relative value iteration stops once the gain is pinned down this closely, in base bets of a
// round; the stationary chances once a round moves none by more than this.
constexpr int kMostSolverRounds = 10'000;
constexpr double kSettledChance = 1e-15;

class UltimateXSolver {
  public:
    UltimateXSolver(const UltimateXChoices& choices, const MultiplierTable& table, unsigned threads)
        : c_(choices), table_(table), threads_(std::max(1u, threads)), stop_(current_stop()) {
        lines_ = table.lines;
        most_ = table.most();
        states_ = static_cast<std::size_t>(lines_ * (most_ - 1) + 1);
        const std::size_t kinds = c_.values.size();
        next_.resize(c_.next_count() * states_);
        for (std::size_t d = 0; d < c_.next_count(); ++d) {
            const std::vector<double> p = sum_chances(c_.values, c_.next_counts.data() + d * kinds,
                                                      c_.next_draws[d], lines_, most_);
            std::copy(p.begin(), p.end(), next_.begin() + static_cast<long>(d * states_));
        }
        weight_.resize(c_.deal_count());
        for (std::size_t i = 0; i < c_.deal_count(); ++i) {
            weight_[i] = c_.deal_weight[i] / static_cast<double>(c_.all_deals);
        }
    }

    std::size_t states() const { return states_; }
    double total(std::size_t t) const {
        return static_cast<double>(lines_) + static_cast<double>(t);
    }

    // E[V(T') | distribution] for every distinct distribution.
    std::vector<double> next_values(const std::vector<double>& value) const {
        std::vector<double> out(c_.next_count());
        for (std::size_t d = 0; d < out.size(); ++d) {
            const double* p = next_.data() + d * states_;
            double sum = 0;
            for (std::size_t j = 0; j < states_; ++j) {
                sum += p[j] * value[j];
            }
            out[d] = sum;
        }
        return out;
    }

    // The choice of deal i at state t: the best full value, ties to the better plain pay.
    std::uint32_t choose(std::size_t i, std::size_t t, const std::vector<double>& next) const {
        const double at = total(t);
        std::uint32_t best = c_.start[i];
        double best_value = at * c_.choices[best].pay + next[c_.choices[best].next];
        for (std::uint32_t k = best + 1; k < c_.start[i + 1]; ++k) {
            const HoldChoice& h = c_.choices[k];
            const double v = at * h.pay + next[h.next];
            if (v > best_value || (v == best_value && h.pay > c_.choices[best].pay)) {
                best = k;
                best_value = v;
            }
        }
        return best;
    }

    // One step of value iteration: E over deals of the best full value, per state. The deals are
    // added up in two halves of alternate deals, in order, and the threads share out the states:
    // the same sums, to the last bit, on any number of threads.
    std::vector<double> step(const std::vector<double>& value) const {
        const std::vector<double> next = next_values(value);
        constexpr std::size_t kHalves = 2;
        std::vector<std::vector<double>> parts(kHalves, std::vector<double>(states_, 0.0));
        const auto work = [&](unsigned thread) {
            const std::size_t from = states_ * thread / threads_;
            const std::size_t to = states_ * (thread + 1) / threads_;
            for (std::size_t half = 0; half < kHalves; ++half) {
                std::vector<double>& sum = parts[half];
                for (std::size_t i = half; i < c_.deal_count() && !stop_.stop_requested();
                     i += kHalves) {
                    for (std::size_t t = from; t < to; ++t) {
                        const HoldChoice& h = c_.choices[choose(i, t, next)];
                        sum[t] += weight_[i] * (total(t) * h.pay + next[h.next]);
                    }
                }
            }
        };
        run(work);
        stop_point(stop_);
        std::vector<double> out(states_, 0.0);
        for (const auto& part : parts) {
            for (std::size_t t = 0; t < states_; ++t) {
                out[t] += part[t];
            }
        }
        return out;
    }

    std::vector<double> spread(const std::vector<double>& share) const {
        std::vector<double> out(states_, 0.0);
        for (std::size_t d = 0; d < share.size(); ++d) {
            if (share[d] == 0.0) {
                continue;
            }
            const double* p = next_.data() + d * states_;
            for (std::size_t j = 0; j < states_; ++j) {
                out[j] += share[d] * p[j];
            }
        }
        return out;
    }

    template <typename Work>
    void run(const Work& work) const {
        on_threads(threads_, work);
    }

    const UltimateXChoices& c_;
    const MultiplierTable& table_;
    unsigned threads_;
    std::stop_token stop_;
    int lines_ = 0;
    int most_ = 1;
    std::size_t states_ = 0;
    std::vector<double> next_;
    std::vector<double> weight_;
};

}  // namespace

double UltimateXSolution::value_at(int total) const {
    if (total < least_total || total > most_total) {
        throw std::out_of_range("a multiplier total out of range");
    }
    return value[static_cast<std::size_t>(total - least_total)];
}

double UltimateXSolution::chance_at(int total) const {
    if (total < least_total || total > most_total) {
        return 0.0;
    }
    return chance[static_cast<std::size_t>(total - least_total)];
}

HoldMask UltimateXSolution::hold_for(std::size_t deal_class, int total) const {
    HoldMask hold = steps[step_start[deal_class]].hold;
    for (std::uint32_t s = step_start[deal_class]; s < step_start[deal_class + 1]; ++s) {
        if (steps[s].from_total <= total) {
            hold = steps[s].hold;
        }
    }
    return hold;
}

std::vector<double> next_total_chances(const MultiplierTable& table, const std::int32_t* counts,
                                       std::int64_t draws) {
    const std::vector<int> values = table.values();
    std::vector<std::int64_t> by_kind(values.size(), 0);
    for (std::size_t r = 0; r < table.earned.size(); ++r) {
        const auto at = std::find(values.begin(), values.end(), table.earned[r]);
        by_kind[static_cast<std::size_t>(at - values.begin())] += counts[r];
    }
    return sum_chances(values, by_kind.data(), draws, table.lines, table.most());
}

UltimateXSolution solve_ultimate_x(const Tallies& tallies, const MultiplierTable& table,
                                   unsigned threads) {
    if (table.earned.size() != tallies.game().row_count()) {
        throw std::invalid_argument("a multiplier table of another game");
    }
    const UltimateXChoices choices = ultimate_x_choices(tallies, table, threads);
    const UltimateXSolver solver(choices, table, threads);
    const std::size_t states = solver.states();
    UltimateXSolution out;
    out.table = table;
    out.least_total = table.lines;
    out.most_total = table.lines * table.most();
    const double bet = kUltimateXBet * table.lines;

    // Relative value iteration, V(least) held at 0: the change of every state brackets the gain.
    std::vector<double> value(states, 0.0);
    double low = 0;
    double high = 0;
    for (out.iterations = 1; out.iterations <= kMostSolverRounds; ++out.iterations) {
        const std::vector<double> next = solver.step(value);
        low = next[0] - value[0];
        high = low;
        for (std::size_t t = 0; t < states; ++t) {
            low = std::min(low, next[t] - value[t]);
            high = std::max(high, next[t] - value[t]);
        }
        for (std::size_t t = 0; t < states; ++t) {
            value[t] = next[t] - next[0];
        }
        if (high - low <= kToleranceOfBet * bet) {
            break;
        }
    }
    out.gain = (low + high) / 2;
    out.gain_error = (high - low) / 2;
    out.value = value;

    const std::vector<double> next = solver.next_values(value);
    // The policy, state by state, as steps; `chosen` keeps each step's choice.
    std::vector<std::uint32_t> chosen;
    out.step_start.push_back(0);
    for (std::size_t i = 0; i < choices.deal_count(); ++i) {
        std::uint32_t last = 0;
        for (std::size_t t = 0; t < states; ++t) {
            const std::uint32_t k = solver.choose(i, t, next);
            if (t == 0 || k != last) {
                out.steps.push_back(
                    PolicyStep{out.least_total + static_cast<int>(t), choices.choices[k].mask});
                chosen.push_back(k);
            }
            last = k;
        }
        out.step_start.push_back(static_cast<std::uint32_t>(out.steps.size()));
    }
    // Sums over a deal's steps of per-state figures, from their running sums.
    const auto over_steps = [&](const std::vector<double>& per_state, const auto& use) {
        std::vector<double> running(states + 1, 0.0);
        for (std::size_t t = 0; t < states; ++t) {
            running[t + 1] = running[t] + per_state[t];
        }
        for (std::size_t i = 0; i < choices.deal_count(); ++i) {
            for (std::uint32_t s = out.step_start[i]; s < out.step_start[i + 1]; ++s) {
                const auto from =
                    static_cast<std::size_t>(out.steps[s].from_total - out.least_total);
                const std::size_t to =
                    s + 1 < out.step_start[i + 1]
                        ? static_cast<std::size_t>(out.steps[s + 1].from_total - out.least_total)
                        : states;
                use(choices.choices[chosen[s]], solver.weight_[i] * (running[to] - running[from]));
            }
        }
    };

    // The stationary chances: rounds from every line at 1X until they settle.
    std::vector<double> chance(states, 0.0);
    chance[0] = 1.0;
    std::vector<double> share;
    for (int round = 0; round < kMostSolverRounds; ++round) {
        stop_point();
        share.assign(choices.next_count(), 0.0);
        over_steps(chance, [&](const HoldChoice& h, double w) { share[h.next] += w; });
        const std::vector<double> moved = solver.spread(share);
        double change = 0;
        for (std::size_t t = 0; t < states; ++t) {
            change = std::max(change, std::abs(moved[t] - chance[t]));
        }
        chance = moved;
        if (change <= kSettledChance) {
            break;
        }
    }
    out.chance = chance;

    // The long-run figures of perfect play. A line's multiplier comes from the hold of the round
    // before, so given that hold the lines' multipliers are independent draws of it: the sum of
    // their squares at each total follows from the same sums over one line fewer.
    const std::size_t kinds = choices.values.size();
    std::vector<double> squares(states, 0.0);
    for (std::size_t d = 0; d < choices.next_count(); ++d) {
        if (share[d] == 0.0) {
            continue;
        }
        const std::int64_t* counts = choices.next_counts.data() + d * kinds;
        const std::vector<double> fewer = sum_chances(choices.values, counts, choices.next_draws[d],
                                                      table.lines - 1, table.most());
        for (std::size_t k = 0; k < kinds; ++k) {
            const double p =
                static_cast<double>(counts[k]) / static_cast<double>(choices.next_draws[d]);
            const int m = choices.values[k];
            const auto shift = static_cast<std::size_t>(m - 1);
            for (std::size_t j = 0; j < fewer.size() && j + shift < states; ++j) {
                squares[j + shift] += share[d] * table.lines * p * m * m * fewer[j];
            }
        }
    }
    std::vector<double> at_total(states);
    std::vector<double> cross(states);
    for (std::size_t t = 0; t < states; ++t) {
        const double at = solver.total(t);
        at_total[t] = chance[t] * at;
        cross[t] = chance[t] * at * at - squares[t];
    }
    double win = 0;
    double win_square = 0;
    double hits = 0;
    over_steps(at_total, [&](const HoldChoice& h, double w) { win += w * h.pay; });
    over_steps(squares, [&](const HoldChoice& h, double w) { win_square += w * h.pay_square; });
    over_steps(cross, [&](const HoldChoice& h, double w) { win_square += w * h.pay * h.pay; });
    over_steps(chance, [&](const HoldChoice& h, double w) { hits += w * h.hits; });
    double mean_total = 0;
    for (std::size_t t = 0; t < states; ++t) {
        mean_total += chance[t] * solver.total(t);
    }
    out.perfect_return = out.gain / bet;
    out.plain_return = choices.plain_pay * choices.plain_multiplier / kUltimateXBet;
    out.thumb_return = choices.thumb_pay * choices.thumb_multiplier / kUltimateXBet;
    out.average_multiplier = mean_total / table.lines;
    out.hit_frequency = hits;
    out.round_deviation = std::sqrt(std::max(0.0, win_square - win * win));
    return out;
}

std::vector<UltimateXHold> rank_ultimate_x_holds(const UltimateXSolution& solution,
                                                 const Game& game, const FastClassifier& classifier,
                                                 const std::array<CardId, 5>& deal, int total) {
    if (total < solution.least_total || total > solution.most_total) {
        throw std::invalid_argument("a multiplier total out of range");
    }
    const std::array<HoldOutcome, kHoldCount> holds = analyze_one_deal(game, classifier, deal);
    const std::vector<HoldOutcome> plain = holds_best_first(holds, deal);
    std::vector<UltimateXHold> out;
    for (const HoldOutcome& h : holds) {
        UltimateXHold x;
        x.mask = h.mask;
        x.plain_value = h.expected_return();
        x.win = total * x.plain_value;
        const std::vector<double> p = next_total_chances(solution.table, h.counts.data(), h.draws);
        for (std::size_t j = 0; j < p.size(); ++j) {
            x.multiplier_value += p[j] * solution.value[j];
        }
        x.plain_rank =
            static_cast<int>(std::find_if(plain.begin(), plain.end(),
                                          [&](const HoldOutcome& o) { return o.mask == h.mask; }) -
                             plain.begin());
        out.push_back(x);
    }
    std::stable_sort(out.begin(), out.end(), [](const UltimateXHold& a, const UltimateXHold& b) {
        return a.full_value() > b.full_value();
    });
    return out;
}

}  // namespace quillon::odds
