#include "odds/strategy/patterns/deal_patterns.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <exception>
#include <limits>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <type_traits>
#include <unordered_map>

#include "base/combinatorics.h"
#include "base/page_allocator.h"
#include "base/stop.h"

namespace quillon::odds {

namespace {

struct RawEntry {
    PatternKey key;
    HoldMask mask;
};

// A run of deals described by one thread, their entries already in the table's form but with
// the patterns numbered in the block's own order (keys[id]): numbered again in the table's order
// when the blocks are put together. A thread describes its deals into its own Scratch, then
// copies them into its Block at their size, so that blocks hold their entries once over.
template <class T>
using Mapped = std::vector<T, PageAllocator<T>>;
template <class T>
using Plain = std::vector<T>;

// The entries and holds of a run of deals, each in a vector of `Column`.
template <template <class> class Column>
struct Columns {
    Column<std::uint16_t> entries;
    Column<std::uint8_t> holds;
    Column<std::uint16_t> pattern;
    Column<std::uint8_t> slot;
    Column<HoldMask> mask;
    Column<std::int64_t> pays;
    Column<double> perfect;
    std::vector<PatternKey> keys;

    // Calls f(a's, b's) for each column in turn.
    template <class A, class B, class F>
    static void each(A& a, B& b, F f) {
        f(a.entries, b.entries);
        f(a.holds, b.holds);
        f(a.pattern, b.pattern);
        f(a.slot, b.slot);
        f(a.mask, b.mask);
        f(a.pays, b.pays);
        f(a.perfect, b.perfect);
        f(a.keys, b.keys);
    }
};

struct Block : Columns<Mapped> {
    std::size_t begin = 0;
    std::size_t end = 0;
};

struct Scratch : Columns<Plain> {
    std::unordered_map<PatternKey, std::uint16_t> ids;

    // Empties every column, keeping its room for the next block.
    void clear() {
        each(*this, *this, [](auto&, auto& column) { column.clear(); });
        ids.clear();
    }

    void add(PatternKey key, std::uint8_t hold_slot) {
        const auto [it, fresh] = ids.try_emplace(key, static_cast<std::uint16_t>(keys.size()));
        if (fresh) {
            if (keys.size() > kMostPatterns) {
                throw std::length_error("a game whose holds show more patterns than a table holds");
            }
            keys.push_back(key);
        }
        pattern.push_back(it->second);
        slot.push_back(hold_slot);
    }

    void copy_to(Block& block) const {
        each(*this, block, [](const auto& from, auto& to) { to.assign(from.begin(), from.end()); });
    }

    static constexpr std::size_t kMostPatterns = 0xffff;
};

// Deals a block takes: some 150,000 entries, so that a block in the making is small beside the
// table.
constexpr std::size_t kBlockDeals = 4096;

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

void describe_block(const Tallies& tallies, const RankProfile& profile,
                    const std::vector<DealClass>& deals,
                    const std::unordered_set<PatternKey>* left_out, const std::stop_token& stop,
                    Block& out, Scratch& block) {
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
    block.clear();
    block.ids.reserve(1024);
    HoldValues values;
    std::array<RawEntry, 8 * kHoldCount> found{};
    KeySlots slots;
    // A block is some tens of milliseconds of work: a stop is looked for at every deal, and the
    // block left unfinished.
    for (std::size_t d = out.begin; d < out.end; ++d) {
        if (stop.stop_requested()) {
            return;
        }
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
                    found[n++] = RawEntry{key, mask};
                } else if (preference_of(mask) > preference_of(found[i].mask)) {
                    found[i] = RawEntry{key, mask};
                }
            }
        }
        // The holds the entries keep, in mask order: a hold's slot is the kept holds of lower
        // masks.
        std::uint32_t kept = 0;
        for (std::size_t i = 0; i < n; ++i) {
            kept |= 1u << found[i].mask;
        }
        const auto slot_of = [&](HoldMask mask) {
            return static_cast<std::uint8_t>(std::popcount(kept & ((1u << mask) - 1u)));
        };
        for (unsigned m = 0; m < kHoldCount; ++m) {
            if ((kept >> m & 1u) != 0) {
                block.mask.push_back(static_cast<HoldMask>(m));
                block.pays.push_back(values[m]);
            }
        }
        block.entries.push_back(static_cast<std::uint16_t>(n));
        block.holds.push_back(static_cast<std::uint8_t>(std::popcount(kept)));
        for (std::size_t i = 0; i < n; ++i) {
            block.add(found[i].key, slot_of(found[i].mask));
        }
        block.perfect.push_back(best);
    }
    block.copy_to(out);
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
    std::vector<Block> blocks((deals.size() + kBlockDeals - 1) / kBlockDeals);
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        blocks[b].begin = b * kBlockDeals;
        blocks[b].end = std::min(deals.size(), (b + 1) * kBlockDeals);
    }
    {
        std::atomic<std::size_t> next{0};
        std::exception_ptr failure;
        std::mutex failure_lock;
        const std::stop_token stop = current_stop();
        const auto work = [&] {
            try {
                Scratch scratch;
                for (std::size_t b = next++; b < blocks.size() && !stop.stop_requested();
                     b = next++) {
                    describe_block(tallies, profile, deals, left_out, stop, blocks[b], scratch);
                }
            } catch (...) {
                const std::lock_guard lock(failure_lock);
                failure = std::current_exception();
                next = blocks.size();
            }
        };
        {
            std::vector<std::jthread> workers;
            for (unsigned t = 1; t < threads; ++t) {
                workers.emplace_back(work);
            }
            work();
        }
        if (failure) {
            std::rethrow_exception(failure);
        }
        stop_point(stop);
    }
    DealPatterns out;
    std::size_t entries = 0;
    std::size_t holds = 0;
    for (const Block& b : blocks) {
        entries += b.pattern.size();
        holds += b.mask.size();
    }
    // The table is the blocks one after another, put together one array at a time: each
    // block's part is let go once copied, so that the entries are held about once over, not
    // twice.
    out.entry_pattern.reserve(entries);
    out.entry_begin.reserve(deals.size() + 1);
    out.hold_begin.reserve(deals.size() + 1);
    out.entry_begin.push_back(0);
    out.hold_begin.push_back(0);
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
    for (Block& b : blocks) {
        // Numbered in the order the entries first show them, as one pass over all would.
        std::vector<std::uint32_t> global(b.keys.size(), kUnseen);
        std::size_t e = 0;
        for (std::size_t d = 0; d < b.entries.size(); ++d) {
            for (std::uint32_t i = 0; i < b.entries[d]; ++i, ++e) {
                std::uint32_t& g = global[b.pattern[e]];
                if (g == kUnseen) {
                    g = id_of(b.keys[b.pattern[e]]);
                    if (g > Scratch::kMostPatterns) {
                        throw std::length_error(
                            "a game whose holds show more patterns than a table holds");
                    }
                }
                out.entry_pattern.push_back(static_cast<std::uint16_t>(g));
            }
            out.entry_begin.push_back(static_cast<std::uint32_t>(out.entry_pattern.size()));
            out.hold_begin.push_back(
                static_cast<std::uint32_t>(out.hold_begin.back() + b.holds[d]));
        }
        Mapped<std::uint16_t>().swap(b.pattern);
        Mapped<std::uint16_t>().swap(b.entries);
        Mapped<std::uint8_t>().swap(b.holds);
    }
    const auto join = [&](auto& to, std::size_t size, auto part) {
        to.reserve(size);
        for (Block& b : blocks) {
            auto& from = b.*part;
            to.insert(to.end(), from.begin(), from.end());
            std::remove_reference_t<decltype(from)>().swap(from);
        }
    };
    join(out.entry_slot, entries, &Block::slot);
    join(out.hold_mask, holds, &Block::mask);
    // Pays stored in 32 bits where they all fit, else their returns whole.
    std::int64_t most = 0;
    for (const Block& b : blocks) {
        for (const std::int64_t pays : b.pays) {
            most = std::max(most, pays);
        }
    }
    const int left = tallies.deck_size() - 5;
    for (int kept = 0; kept <= 5; ++kept) {
        out.per_draw[static_cast<std::size_t>(kept)] =
            1.0 / (static_cast<double>(choose(left, 5 - kept)) *
                   static_cast<double>(tallies.game().pay_scale()));
    }
    if (most <= std::numeric_limits<std::uint32_t>::max()) {
        join(out.hold_pays, holds, &Block::pays);
    } else {
        out.wide_value.reserve(holds);
        std::size_t h = 0;
        for (Block& b : blocks) {
            for (const std::int64_t pays : b.pays) {
                out.wide_value.push_back(static_cast<double>(pays) *
                                         out.per_draw[kHoldSize[out.hold_mask[h++]]]);
            }
            Mapped<std::int64_t>().swap(b.pays);
        }
    }
    join(out.perfect, deals.size(), &Block::perfect);
    blocks.clear();
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
