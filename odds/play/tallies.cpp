#include "odds/play/tallies.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "base/combinatorics.h"
#include "base/page_allocator.h"
#include "base/stop.h"
#include "base/threads.h"

namespace quillon::odds {

namespace {

// Past a few cores the shares' own sums cost more than the cores save.
constexpr unsigned kMostParts = 4;

using Sums =
    std::vector<Tallies::Lanes<std::uint32_t>, PageAllocator<Tallies::Lanes<std::uint32_t>>>;

void add_lanes(const Tallies::Lanes<std::uint32_t>& from, Tallies::Lanes<std::uint32_t>& to) {
    for (std::size_t lane = 0; lane < Tallies::kLanes; ++lane) {
        to[lane] += from[lane];
    }
}

// Adds the tallies of the (k+1)-sets whose highest card lies from `first` to before `last` to
// the k-sets inside them.
template <std::size_t K, typename From>
void add_to_smaller(const std::vector<From>& larger, int first, int last, Sums& sums) {
    if (first >= last) {
        return;
    }
    std::array<int, K + 1> x{};
    for (std::size_t i = 0; i < K; ++i) {
        x[i] = static_cast<int>(i);
    }
    x[K] = first;
    std::size_t rank = choose(first, K + 1);
    do {
        for (std::size_t drop = 0; drop <= K; ++drop) {
            std::size_t sub = 0;
            for (std::size_t i = 0; i <= K; ++i) {
                if (i != drop) {
                    sub += choose(x[i], static_cast<int>(i < drop ? i + 1 : i));
                }
            }
            for (std::size_t lane = 0; lane < Tallies::kLanes; ++lane) {
                sums[sub][lane] += larger[rank].counts[lane];
            }
        }
        ++rank;
    } while (next_subset(x, last));
}

// The same for the four-card sets whose highest card d lies from `first` to before `last`, in
// the order of their ranks: for each b < c < d, the sets a b c d as a runs lie in consecutive
// ranks, and so do the three-card sets a c d, a b d and a b c that they hold; b c d gathers in a
// local sum.
template <>
void add_to_smaller<3, Tallies::Four>(const std::vector<Tallies::Four>& larger, int first, int last,
                                      Sums& sums) {
    for (int d = std::max(first, 3); d < last; ++d) {
        for (int c = 2; c < d; ++c) {
            for (int b = 1; b < c; ++b) {
                const Tallies::Four* abcd = &larger[choose(b, 2) + choose(c, 3) + choose(d, 4)];
                Tallies::Lanes<std::uint32_t>* acd = &sums[choose(c, 2) + choose(d, 3)];
                Tallies::Lanes<std::uint32_t>* abd = &sums[choose(b, 2) + choose(d, 3)];
                Tallies::Lanes<std::uint32_t>* abc = &sums[choose(b, 2) + choose(c, 3)];
                Tallies::Lanes<std::uint32_t> bcd{};
                for (std::size_t a = 0; a < static_cast<std::size_t>(b); ++a) {
                    // Widened once into a copy, which tells the compiler that the sums it goes to
                    // do not overlap it: each sum is then a few vector adds.
                    Tallies::Lanes<std::uint32_t> from{};
                    for (std::size_t lane = 0; lane < Tallies::kLanes; ++lane) {
                        from[lane] = abcd[a].counts[lane];
                    }
                    add_lanes(from, acd[a]);
                    add_lanes(from, abd[a]);
                    add_lanes(from, abc[a]);
                    add_lanes(from, bcd);
                }
                add_lanes(bcd, sums[static_cast<std::size_t>(b) + choose(c, 2) + choose(d, 3)]);
            }
        }
    }
}

// Adds the tallies of every (k+1)-set to the k-sets inside it. Each hand holding a k-set is
// then counted once for each of the (5 - k) cards it adds, so the sums are divided by that. The
// larger sets are shared out by their highest card, in parts of about as many sets, each part
// into sums of its own on a core of its own; whole numbers, so they add up alike however shared.
template <std::size_t K, typename From, typename To>
void tally_from_larger(const std::vector<From>& larger, std::vector<To>& smaller, int deck,
                       unsigned parts) {
    std::vector<int> bounds{static_cast<int>(K)};
    for (unsigned t = 1; t < parts; ++t) {
        int top = bounds.back();
        while (top < deck && choose(top, K + 1) * parts < choose(deck, K + 1) * t) {
            ++top;
        }
        bounds.push_back(top);
    }
    bounds.push_back(deck);
    std::vector<Sums> shares(parts, Sums(choose(deck, K)));
    on_threads(parts,
               [&](unsigned t) { add_to_smaller<K>(larger, bounds[t], bounds[t + 1], shares[t]); });
    Sums& sums = shares[0];
    for (unsigned t = 1; t < parts; ++t) {
        for (std::size_t s = 0; s < sums.size(); ++s) {
            for (std::size_t lane = 0; lane < Tallies::kLanes; ++lane) {
                sums[s][lane] += shares[t][s][lane];
            }
        }
    }
    smaller.resize(sums.size());
    using Count = typename decltype(To::counts)::value_type;
    constexpr std::uint32_t kRepeats = 5 - K;
    for (std::size_t s = 0; s < sums.size(); ++s) {
        for (std::size_t lane = 0; lane < Tallies::kLanes; ++lane) {
            smaller[s].counts[lane] = static_cast<Count>(sums[s][lane] / kRepeats);
        }
    }
}

}  // namespace

Tallies::Tallies(Game game) : game_(std::move(game)), classifier_(game_) {
    for (std::size_t c = 0; c < kHandClassCount; ++c) {
        row_of_class_[c] = static_cast<std::uint8_t>(game_.row_of(static_cast<HandClass>(c)));
    }
    for (int i = 0; i < deck_size(); ++i) {
        words_.push_back(classifier_.word(deck_card(i, game_.has_joker())));
    }
    tally_hands();
    tally_smaller_sets();
    add_up_values();
}

std::size_t Tallies::row_of_hand(const std::array<int, 5>& cards) const {
    std::uint64_t sum = 0;
    for (const int c : cards) {
        sum += word_of(c);
    }
    return row_of_sum(sum);
}

void Tallies::tally_hands() {
    const int n = deck_size();
    four_.assign(choose(n, 4), Four{});
    // The hands whose highest card is e take work in proportion to C(e, 4): those from `split`
    // up, about half of all, are counted on a second core into counts of their own, then added
    // in. Counts are whole numbers, so the tallies are the same however they are shared.
    int split = n;
    while (split > 5 && 2 * choose(split - 1, 5) > choose(n, 5)) {
        --split;
    }
    if (n < 20 || default_threads() < 2) {
        split = n;
    }
    // The second core's counts live a moment beside the tallies: straight from the system and
    // back to it, not left in the heap.
    std::vector<Four, PageAllocator<Four>> upper;
    const std::stop_token stop = current_stop();
    on_threads(split < n ? 2 : 1, [&](unsigned t) {
        if (t == 1) {
            upper.assign(four_.size(), Four{});
            tally_hands_from(split, n, stop, upper.data());
        } else {
            tally_hands_from(4, split, stop, four_.data());
        }
    });
    stop_point(stop);
    // The lanes of a four-card set added at once, as one vector of bytes.
    using Bytes = std::uint8_t __attribute__((vector_size(kLanes)));
    for (std::size_t i = 0; i < upper.size(); ++i) {
        Bytes mine;
        Bytes theirs;
        std::memcpy(&mine, four_[i].counts.data(), sizeof mine);
        std::memcpy(&theirs, upper[i].counts.data(), sizeof theirs);
        mine += theirs;
        std::memcpy(four_[i].counts.data(), &mine, sizeof mine);
    }
}

void Tallies::tally_hands_from(int first, int last, const std::stop_token& stop, Four* four) const {
    // Hands a < b < c < d < e; of their five four-card subsets, the four that hold `a` lie in
    // consecutive ranks as `a` runs, and the one without it gathers in a local count. A caller
    // that stops the work has it given up at the next highest card.
    for (int e = first; e < last && !stop.stop_requested(); ++e) {
        const std::uint64_t we = words_[static_cast<std::size_t>(e)];
        for (int d = 3; d < e; ++d) {
            const std::uint64_t wde = we + words_[static_cast<std::size_t>(d)];
            for (int c = 2; c < d; ++c) {
                const std::uint64_t wcde = wde + words_[static_cast<std::size_t>(c)];
                for (int b = 1; b < c; ++b) {
                    const std::uint64_t wbcde = wcde + words_[static_cast<std::size_t>(b)];
                    Four* acde = &four[choose(c, 2) + choose(d, 3) + choose(e, 4)];
                    Four* abde = &four[choose(b, 2) + choose(d, 3) + choose(e, 4)];
                    Four* abce = &four[choose(b, 2) + choose(c, 3) + choose(e, 4)];
                    Four* abcd = &four[choose(b, 2) + choose(c, 3) + choose(d, 4)];
                    Lanes<std::uint8_t> bcde{};
                    for (std::size_t a = 0; a < static_cast<std::size_t>(b); ++a) {
                        const std::size_t row = row_of_sum(wbcde + words_[a]);
                        ++acde[a].counts[row];
                        ++abde[a].counts[row];
                        ++abce[a].counts[row];
                        ++abcd[a].counts[row];
                        ++bcde[row];
                    }
                    Lanes<std::uint8_t>& into = four[static_cast<std::size_t>(b) + choose(c, 2) +
                                                     choose(d, 3) + choose(e, 4)]
                                                    .counts;
                    for (std::size_t lane = 0; lane < kLanes; ++lane) {
                        into[lane] = static_cast<std::uint8_t>(into[lane] + bcde[lane]);
                    }
                }
            }
        }
    }
}

void Tallies::tally_smaller_sets() {
    const int n = deck_size();
    // The four-card sets are many, the rest few.
    tally_from_larger<3>(four_, three_, n, std::min(default_threads(), kMostParts));
    tally_from_larger<2>(three_, two_, n, 1);
    tally_from_larger<1>(two_, one_, n, 1);
    std::vector<None> whole;
    tally_from_larger<0>(one_, whole, n, 1);
    none_ = whole.front();
}

void Tallies::add_up_values() {
    Lanes<std::int64_t> pays{};
    for (std::size_t r = 0; r < game_.row_count(); ++r) {
        pays[r] = game_.pay(r);
    }
    const auto weigh = [&](auto& tally) {
        std::int64_t sum = 0;
        for (std::size_t lane = 0; lane < kLanes; ++lane) {
            sum += pays[lane] * tally.counts[lane];
        }
        tally.value = static_cast<decltype(tally.value)>(sum);
    };
    // The four-card sets are most of the work: their upper half on a second core, while this one
    // weighs the lower half and the smaller sets.
    const unsigned parts = default_threads() < 2 ? 1 : 2;
    const std::size_t half = four_.size() / parts;
    on_threads(parts, [&](unsigned t) {
        if (t == 1) {
            for (std::size_t i = half; i < four_.size(); ++i) {
                weigh(four_[i]);
            }
            return;
        }
        for (std::size_t i = 0; i < half; ++i) {
            weigh(four_[i]);
        }
        for (Three& s : three_) {
            weigh(s);
        }
        for (Two& s : two_) {
            weigh(s);
        }
        for (One& s : one_) {
            weigh(s);
        }
        weigh(none_);
    });
}

}  // namespace quillon::odds
