#include "odds/strategy/deal_patterns.h"

#include <algorithm>
#include <thread>
#include <unordered_map>

#include "odds/combinatorics.h"

namespace quillon::odds {

namespace {

struct RawEntry {
    PatternKey key;
    HoldMask mask;
    double value;
};

// One thread's deals, their entries already in the table's form but with the patterns
// numbered in the thread's own order (keys[id]): numbered again in the table's order when the
// shares are put together.
struct Share {
    std::vector<std::uint32_t> counts;
    std::vector<std::uint32_t> pattern;
    std::vector<HoldMask> mask;
    std::vector<double> value;
    std::vector<double> perfect;
    std::vector<PatternKey> keys;
    std::unordered_map<PatternKey, std::uint32_t> ids;

    void add(const RawEntry& e) {
        const auto [it, fresh] = ids.try_emplace(e.key, static_cast<std::uint32_t>(keys.size()));
        if (fresh) {
            keys.push_back(e.key);
        }
        pattern.push_back(it->second);
        mask.push_back(e.mask);
        value.push_back(e.value);
    }
};

// The entry each pattern key of one deal has, by hashing: a deal shows some hundred keys,
// which a search through the entries found so far compares one by one.
class KeySlots {
  public:
    // Starts a new deal.
    void clear() {
        if (++round_ == 0) {
            slot_.fill(Slot{});
            round_ = 1;
        }
    }

    // The entry of `key`, or `next` (which it becomes) if the deal has not shown it yet.
    std::size_t find_or_add(PatternKey key, std::size_t next) {
        std::size_t h = static_cast<std::size_t>((key * 0x9e3779b97f4a7c15ull) >> (64 - kBits));
        for (;; h = (h + 1) & (kSize - 1)) {
            Slot& s = slot_[h];
            if (s.round != round_) {
                s = Slot{key, round_, static_cast<std::uint32_t>(next)};
                return next;
            }
            if (s.key == key) {
                return s.entry;
            }
        }
    }

  private:
    static constexpr unsigned kBits = 10;
    static constexpr std::size_t kSize = std::size_t{1} << kBits;
    struct Slot {
        PatternKey key = 0;
        std::uint32_t round = 0;
        std::uint32_t entry = 0;
    };
    std::array<Slot, kSize> slot_{};
    std::uint32_t round_ = 0;
};

void describe_share(const Tallies& tallies, const RankProfile& profile,
                    const std::vector<DealClass>& deals, std::size_t begin, std::size_t end,
                    const std::unordered_set<PatternKey>* left_out, Share& share) {
    if (left_out != nullptr && left_out->empty()) {
        left_out = nullptr;
    }
    const Game& game = tallies.game();
    const int left = tallies.deck_size() - 5;
    std::array<double, 6> per_draw{};
    for (int kept = 0; kept <= 5; ++kept) {
        per_draw[static_cast<std::size_t>(kept)] =
            1.0 /
            (static_cast<double>(choose(left, 5 - kept)) * static_cast<double>(game.pay_scale()));
    }
    share.ids.reserve(4096);
    HoldValues values;
    std::array<RawEntry, 8 * kHoldCount> found{};
    KeySlots slots;
    for (std::size_t d = begin; d < end; ++d) {
        const SortedDeal sorted(deals[d].cards);
        value_holds(tallies, sorted, values);
        const std::array<CardId, 5> cards = class_cards(deals[d], game.has_joker());
        // The tie rule's order of the deal's holds, worked out only for holds that share a
        // pattern.
        HoldPreferences preference_of(game, cards);
        std::size_t n = 0;
        double best = 0.0;
        slots.clear();
        for (unsigned m = 0; m < kHoldCount; ++m) {
            const auto mask = static_cast<HoldMask>(m);
            const double value = static_cast<double>(values[m]) * per_draw[kHoldSize[m]];
            best = std::max(best, value);
            for (const PatternKey key : patterns_of(game, profile, cards, mask)) {
                if (left_out != nullptr && left_out->contains(key)) {
                    continue;
                }
                const std::size_t i = slots.find_or_add(key, n);
                if (i == n) {
                    found[n++] = RawEntry{key, mask, value};
                } else if (preference_of(mask) > preference_of(found[i].mask)) {
                    found[i] = RawEntry{key, mask, value};
                }
            }
        }
        share.counts.push_back(static_cast<std::uint32_t>(n));
        for (std::size_t i = 0; i < n; ++i) {
            share.add(found[i]);
        }
        share.perfect.push_back(best);
    }
}

}  // namespace

double DealPatterns::total_weight() const {
    double total = 0.0;
    for (const DealClass& d : deals) {
        total += d.weight;
    }
    return total;
}

std::array<CardId, 5> class_cards(const DealClass& deal, bool joker) {
    std::array<CardId, 5> cards{};
    for (std::size_t i = 0; i < 5; ++i) {
        cards[i] = deck_card(deal.cards[i], joker);
    }
    return cards;
}

DealPatterns deal_patterns(const Tallies& tallies, const RankProfile& profile,
                           std::vector<DealClass> deals, unsigned threads,
                           const std::unordered_set<PatternKey>* left_out) {
    threads = std::max(1u, threads);
    std::vector<Share> shares(threads);
    const std::size_t per = (deals.size() + threads - 1) / threads;
    {
        std::vector<std::jthread> workers;
        for (unsigned t = 1; t < threads; ++t) {
            workers.emplace_back([&, t] {
                describe_share(tallies, profile, deals, std::min(deals.size(), t * per),
                               std::min(deals.size(), (t + 1) * per), left_out, shares[t]);
            });
        }
        describe_share(tallies, profile, deals, 0, std::min(deals.size(), per), left_out,
                       shares[0]);
    }
    DealPatterns out;
    std::size_t entries = 0;
    for (const Share& s : shares) {
        entries += s.pattern.size();
    }
    // The table is the shares one after another. Each share is let go once copied, so that the
    // entries are held about once over, not twice.
    out.pattern.reserve(entries);
    out.mask.reserve(entries);
    out.value.reserve(entries);
    out.entry_begin.reserve(deals.size() + 1);
    out.entry_begin.push_back(0);
    std::unordered_map<PatternKey, std::uint32_t> ids;
    ids.reserve(4096);
    const auto id_of = [&](PatternKey key) {
        const auto [it, fresh] = ids.try_emplace(key, static_cast<std::uint32_t>(out.keys.size()));
        if (fresh) {
            out.keys.push_back(key);
        }
        return it->second;
    };
    out.discard_all = id_of(discard_everything());
    constexpr std::uint32_t kUnseen = ~std::uint32_t{0};
    for (Share& s : shares) {
        // Numbered in the order the entries first show them, as one pass over all would.
        std::vector<std::uint32_t> global(s.keys.size(), kUnseen);
        std::size_t e = 0;
        for (std::size_t d = 0; d < s.counts.size(); ++d) {
            for (std::uint32_t i = 0; i < s.counts[d]; ++i, ++e) {
                std::uint32_t& g = global[s.pattern[e]];
                if (g == kUnseen) {
                    g = id_of(s.keys[s.pattern[e]]);
                }
                out.pattern.push_back(g);
            }
            out.entry_begin.push_back(static_cast<std::uint32_t>(out.pattern.size()));
        }
        std::vector<std::uint32_t>().swap(s.pattern);
        out.mask.insert(out.mask.end(), s.mask.begin(), s.mask.end());
        std::vector<HoldMask>().swap(s.mask);
        out.value.insert(out.value.end(), s.value.begin(), s.value.end());
        std::vector<double>().swap(s.value);
        out.perfect.insert(out.perfect.end(), s.perfect.begin(), s.perfect.end());
    }
    out.parents.resize(out.keys.size());
    for (std::size_t p = 0; p < out.keys.size(); ++p) {
        for (const PatternKey key : coarser_patterns(out.keys[p], profile)) {
            if (const auto it = ids.find(key); it != ids.end()) {
                out.parents[p].push_back(it->second);
            }
        }
    }
    out.deals = std::move(deals);
    return out;
}

}  // namespace quillon::odds
