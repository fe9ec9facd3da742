#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace quillon::odds {

// Deals that differ only by a renaming of the suits play alike. One deal stands for each class,
// in sorted deck indices of its game, with the number of deals in the class as its weight.
struct DealClass {
    std::array<int, 5> cards{};
    std::uint32_t weight = 0;
};

// All classes of the game's deals: 134,459 of five natural cards, and with the joker 16,432 more
// of the joker and four natural cards.
std::vector<DealClass> deal_classes(bool joker);

}  // namespace quillon::odds
