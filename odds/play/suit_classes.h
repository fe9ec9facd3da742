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

// All classes of the game's deals: 134,459 of five natural cards, with a joker 16,432 more of a
// joker and four natural cards, and with two jokers 1,755 more of both jokers and three natural
// cards. Where the deck has two jokers a deal of one stands for the deals of either.
std::vector<DealClass> deal_classes(int jokers);

}  // namespace quillon::odds
