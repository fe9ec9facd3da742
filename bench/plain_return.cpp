// A plain calculator of the return of Jacks or Better 9/6, written apart from the odds engine to
// time it against: every five-card hand is classified and its pay added to each of its 32
// subsets; each deal then values its 32 holds from those sums, with the discards taken out by
// inclusion and exclusion, and keeps the best. One thread, no tables but the sums.
// Usage: plain_return   (prints the return per coin bet with five coins)
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kDeck = 52;

// Pays per coin with five coins: royal 800, straight flush 50, four 25, full house 9, flush 6,
// straight 4, three 3, two pair 2, jacks or better 1.
int pay_of(const std::array<int, 5>& cards) {
    std::array<int, 13> ranks{};
    bool flush = true;
    for (const int c : cards) {
        ++ranks[static_cast<std::size_t>(c / 4)];
        flush = flush && c % 4 == cards[0] % 4;
    }
    int pairs = 0;
    int three = 0;
    int four = 0;
    int high_pair = 0;
    int distinct = 0;
    int low = 13;
    int high = -1;
    for (int r = 0; r < 13; ++r) {
        const int n = ranks[static_cast<std::size_t>(r)];
        if (n == 0) {
            continue;
        }
        ++distinct;
        low = std::min(low, r);
        high = std::max(high, r);
        pairs += n == 2 ? 1 : 0;
        three += n == 3 ? 1 : 0;
        four += n == 4 ? 1 : 0;
        high_pair += n == 2 && r >= 9 ? 1 : 0;  // jacks (rank 9) to aces (rank 12)
    }
    const bool wheel = distinct == 5 && ranks[12] == 1 && ranks[0] == 1 && ranks[1] == 1 &&
                       ranks[2] == 1 && ranks[3] == 1;
    const bool straight = distinct == 5 && (high - low == 4 || wheel);
    if (straight && flush) {
        return low == 8 ? 800 : 50;  // ten to ace
    }
    if (four == 1) {
        return 25;
    }
    if (three == 1 && pairs == 1) {
        return 9;
    }
    if (flush) {
        return 6;
    }
    if (straight) {
        return 4;
    }
    if (three == 1) {
        return 3;
    }
    if (pairs == 2) {
        return 2;
    }
    return high_pair;
}

std::uint64_t binomial(int n, int k) {
    if (k < 0 || k > n) {
        return 0;
    }
    std::uint64_t out = 1;
    for (int i = 1; i <= k; ++i) {
        out = out * static_cast<std::uint64_t>(n - k + i) / static_cast<std::uint64_t>(i);
    }
    return out;
}

std::array<std::array<std::uint64_t, 6>, kDeck + 1> g_choose;
std::array<std::uint64_t, 7> g_offset;  // where the subsets of each size start

// A sorted subset's place among all subsets of up to five cards.
std::size_t subset_index(const int* cards, int size) {
    std::uint64_t index = g_offset[static_cast<std::size_t>(size)];
    for (int i = 0; i < size; ++i) {
        index += g_choose[static_cast<std::size_t>(cards[i])][static_cast<std::size_t>(i + 1)];
    }
    return static_cast<std::size_t>(index);
}

}  // namespace

int main() {
    for (int n = 0; n <= kDeck; ++n) {
        for (int k = 0; k <= 5; ++k) {
            g_choose[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)] = binomial(n, k);
        }
    }
    g_offset[0] = 0;
    for (int k = 0; k <= 5; ++k) {
        g_offset[static_cast<std::size_t>(k + 1)] =
            g_offset[static_cast<std::size_t>(k)] + binomial(kDeck, k);
    }
    std::vector<std::int64_t> sums(static_cast<std::size_t>(g_offset[6]), 0);
    std::array<int, 5> hand{};
    std::array<int, 5> part{};
    const auto for_each_hand = [&](auto&& visit) {
        for (hand[0] = 0; hand[0] < kDeck; ++hand[0]) {
            for (hand[1] = hand[0] + 1; hand[1] < kDeck; ++hand[1]) {
                for (hand[2] = hand[1] + 1; hand[2] < kDeck; ++hand[2]) {
                    for (hand[3] = hand[2] + 1; hand[3] < kDeck; ++hand[3]) {
                        for (hand[4] = hand[3] + 1; hand[4] < kDeck; ++hand[4]) {
                            visit();
                        }
                    }
                }
            }
        }
    };
    // Every hand's pay, added to each of its subsets.
    for_each_hand([&] {
        const int pay = pay_of(hand);
        for (unsigned mask = 0; mask < 32; ++mask) {
            int size = 0;
            for (int i = 0; i < 5; ++i) {
                if ((mask >> i & 1u) != 0) {
                    part[static_cast<std::size_t>(size++)] = hand[static_cast<std::size_t>(i)];
                }
            }
            sums[subset_index(part.data(), size)] += pay;
        }
    });
    // Every deal: each hold's pay over its draws, the discards excluded.
    long double total = 0.0L;
    for_each_hand([&] {
        std::int64_t best_pay = -1;
        std::uint64_t best_draws = 1;
        for (unsigned hold = 0; hold < 32; ++hold) {
            std::int64_t pay = 0;
            const unsigned discards = 31u & ~hold;
            for (unsigned extra = discards;; extra = (extra - 1) & discards) {
                int size = 0;
                for (int i = 0; i < 5; ++i) {
                    if (((hold | extra) >> i & 1u) != 0) {
                        part[static_cast<std::size_t>(size++)] = hand[static_cast<std::size_t>(i)];
                    }
                }
                const int taken = __builtin_popcount(extra);
                pay += (taken % 2 == 0 ? 1 : -1) * sums[subset_index(part.data(), size)];
                if (extra == 0) {
                    break;
                }
            }
            const std::uint64_t draws = binomial(kDeck - 5, 5 - __builtin_popcount(hold));
            if (static_cast<long double>(pay) * best_draws >
                static_cast<long double>(best_pay) * draws) {
                best_pay = pay;
                best_draws = draws;
            }
        }
        total += static_cast<long double>(best_pay) / static_cast<long double>(best_draws);
    });
    std::printf("Jacks or Better 9/6: return %.6Lf%%\n",
                100.0L * total / static_cast<long double>(binomial(kDeck, 5)));
    return 0;
}
