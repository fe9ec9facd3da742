#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/card.h"

namespace quillon {

// The paying hands, worst first; `none` pays nothing.
enum class HandName : std::uint8_t {
    none,
    two,
    three,
    straight,
    flush,
    full,
    four,
    stfl,
    five,
    royal
};

// "royal", "five", ... "two", or "" for a hand that pays nothing.
std::string_view hand_name_text(HandName name);
std::optional<HandName> parse_hand_name(std::string_view text);

// The pay-table row of a paying hand: 0 for royal down to 8 for two pair.
int pay_row(HandName name);

// What the classification counts on its way; the machine keeps these as state.
struct HandCounts {
    std::int16_t spade_count = 0;
    std::int16_t diamond_count = 0;
    std::int16_t club_count = 0;
    std::int16_t heart_count = 0;
    std::int16_t joker_in_hand = 0;
};

struct Classification {
    HandName name = HandName::none;
    HandCounts counts;
};

// Classifies five cards with the joker wild. The tests run from two pair upwards and a later
// hit replaces an earlier one, so every hand gets its best name.
Classification classify_hand(const std::array<Suit, 5>& suits,
                             const std::array<std::int16_t, 5>& ranks);
Classification classify_hand(const std::array<CardId, 5>& cards);

// The ranks in ascending order, the joker's 0 first: the exchange sort the deal applies.
std::array<std::int16_t, 5> sort_ranks(std::array<std::int16_t, 5> ranks);

}  // namespace quillon
