#include "odds/strategy/patterns/pattern_entries.h"

#include "base/stop.h"

namespace quillon::odds {

namespace {

// The words of one entry `step` deals after the pattern's one before.
std::size_t words_of(std::uint32_t step) {
    return step - 1 < PatternEntries::kLongStep ? 1 : 3;
}

}  // namespace

PatternEntries::PatternEntries(const DealPatterns& table)
    : begin_(table.keys.size() + 1, 0), count_(table.keys.size(), 0) {
    constexpr std::uint32_t kNone = ~std::uint32_t{0};
    // Sized first, then written: the words are held once, at their size.
    std::vector<std::uint32_t> last(table.keys.size(), kNone);
    // The size of each pattern's holds, or kMixed where they differ.
    constexpr std::uint8_t kUnknown = 0xff;
    constexpr std::uint8_t kMixed = 0xfe;
    std::vector<std::uint8_t> size(table.keys.size(), kUnknown);
    bool whole = !table.wide_value.empty();
    // Each pass over the entries takes some tens of milliseconds: a caller that stops the work
    // is heard every few thousand deals.
    const std::stop_token stop = current_stop();
    for (std::uint32_t d = 0; d < table.deal_count(); ++d) {
        if ((d & 0xfffu) == 0) {
            stop_point(stop);
        }
        for (std::uint32_t e = table.entry_begin[d]; e < table.entry_begin[d + 1]; ++e) {
            const std::uint32_t p = table.pattern(e);
            begin_[p + 1] += words_of(d - last[p]);
            last[p] = d;
            ++count_[p];
            const std::uint8_t held = kHoldSize[table.mask(d, e)];
            size[p] = size[p] == kUnknown || size[p] == held ? held : kMixed;
            whole = whole || size[p] == kMixed;
        }
    }
    for (std::size_t p = 0; p < table.keys.size(); ++p) {
        begin_[p + 1] += begin_[p];
    }
    words_.resize(begin_.back());
    std::vector<std::size_t> at(begin_.begin(), begin_.end() - 1);
    first_.assign(table.keys.size() + 1, 0);
    for (std::size_t p = 0; p < table.keys.size(); ++p) {
        first_[p + 1] = first_[p] + count_[p];
    }
    per_draw_.assign(table.keys.size(), 0.0);
    if (whole) {
        whole_.resize(first_.back());
    } else {
        pays_.resize(first_.back());
        for (std::size_t p = 0; p < table.keys.size(); ++p) {
            per_draw_[p] = size[p] == kUnknown ? 0.0 : table.per_draw[size[p]];
        }
    }
    std::vector<std::size_t> next(first_.begin(), first_.end() - 1);
    last.assign(table.keys.size(), kNone);
    for (std::uint32_t d = 0; d < table.deal_count(); ++d) {
        if ((d & 0xfffu) == 0) {
            stop_point(stop);
        }
        for (std::uint32_t e = table.entry_begin[d]; e < table.entry_begin[d + 1]; ++e) {
            const std::uint32_t p = table.pattern(e);
            const std::uint32_t step = d - last[p];
            last[p] = d;
            const std::uint32_t slot = table.entry_slot[e];
            if (whole) {
                whole_[next[p]++] = table.value(d, e);
            } else {
                pays_[next[p]++] = table.hold_pays[table.hold(d, e)];
            }
            if (words_of(step) == 1) {
                words_[at[p]++] = static_cast<std::uint16_t>((step - 1) << kSlotBits | slot);
            } else {
                words_[at[p]++] = static_cast<std::uint16_t>(kLongStep << kSlotBits | slot);
                words_[at[p]++] = static_cast<std::uint16_t>(d & 0xffffu);
                words_[at[p]++] = static_cast<std::uint16_t>(d >> 16);
            }
        }
    }
}

}  // namespace quillon::odds
