#include "game/hand_evaluation.h"

namespace quillon {

namespace {

constexpr std::array<std::string_view, 10> kNames = {"",     "two",  "three", "straight", "flush",
                                                     "full", "four", "stfl",  "five",     "royal"};

// The six ace-high lists: the natural one and the joker standing in for each of its cards.
constexpr std::array<std::array<std::int16_t, 5>, 6> kAceHigh = {{
    {1, 10, 11, 12, 13},
    {0, 10, 11, 12, 13},
    {0, 1, 11, 12, 13},
    {0, 1, 10, 12, 13},
    {0, 1, 10, 11, 13},
    {0, 1, 10, 11, 12},
}};

bool is_run(const std::array<std::int16_t, 5>& r, bool joker) {
    if (!joker) {
        return r[1] == r[0] + 1 && r[2] == r[1] + 1 && r[3] == r[2] + 1 && r[4] == r[3] + 1;
    }
    // Four natural cards with at most one gap of one rank, which the joker fills or extends.
    const int g1 = r[2] - r[1];
    const int g2 = r[3] - r[2];
    const int g3 = r[4] - r[3];
    return (g1 == 1 && g2 == 1 && g3 == 1) || (g1 == 2 && g2 == 1 && g3 == 1) ||
           (g1 == 1 && g2 == 2 && g3 == 1) || (g1 == 1 && g2 == 1 && g3 == 2);
}

}  // namespace

std::string_view hand_name_text(HandName name) {
    return kNames[static_cast<std::size_t>(name)];
}

std::optional<HandName> parse_hand_name(std::string_view text) {
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (kNames[i] == text) {
            return static_cast<HandName>(i);
        }
    }
    return std::nullopt;
}

int pay_row(HandName name) {
    return static_cast<int>(HandName::royal) - static_cast<int>(name);
}

std::array<std::int16_t, 5> sort_ranks(std::array<std::int16_t, 5> r) {
    for (int pass = 4; pass >= 1; --pass) {
        for (int i = 0; i < pass; ++i) {
            const auto a = static_cast<std::size_t>(i);
            if (r[a + 1] < r[a]) {
                std::swap(r[a], r[a + 1]);
            }
        }
    }
    return r;
}

Classification classify_hand(const std::array<Suit, 5>& suits,
                             const std::array<std::int16_t, 5>& ranks) {
    Classification out;
    HandCounts& c = out.counts;
    for (const Suit s : suits) {
        switch (s) {
            case Suit::spade:
                ++c.spade_count;
                break;
            case Suit::diamond:
                ++c.diamond_count;
                break;
            case Suit::club:
                ++c.club_count;
                break;
            case Suit::heart:
                ++c.heart_count;
                break;
            case Suit::joker:
                c.joker_in_hand = 1;
                break;
        }
    }
    const std::array<std::int16_t, 5> r = sort_ranks(ranks);
    const bool joker = c.joker_in_hand != 0;
    HandName& name = out.name;

    if (!joker && ((r[0] == r[1] && r[2] == r[3]) || (r[1] == r[2] && r[3] == r[4]) ||
                   (r[0] == r[1] && r[3] == r[4]))) {
        name = HandName::two;
    }
    if (joker ? (r[1] == r[2] || r[2] == r[3] || r[3] == r[4])
              : (r[0] == r[2] || r[1] == r[3] || r[2] == r[4])) {
        name = HandName::three;
    }
    const int flush_size = joker ? 4 : 5;
    const bool flush = c.spade_count == flush_size || c.diamond_count == flush_size ||
                       c.club_count == flush_size || c.heart_count == flush_size;
    if (flush) {
        name = HandName::flush;
    }
    if (joker ? (r[1] == r[2] && r[3] == r[4])
              : ((r[0] == r[1] && r[2] == r[4]) || (r[0] == r[2] && r[3] == r[4]))) {
        name = HandName::full;
    }
    if (joker ? (r[1] == r[3] || r[2] == r[4]) : (r[0] == r[3] || r[1] == r[4])) {
        name = HandName::four;
    }
    if (is_run(r, joker)) {
        name = name == HandName::flush ? HandName::stfl : HandName::straight;
    }
    if (c.joker_in_hand == 1 && r[1] == r[4]) {
        name = HandName::five;
    }
    for (const auto& list : kAceHigh) {
        if (r == list) {
            name = flush ? HandName::royal : HandName::straight;
        }
    }
    return out;
}

Classification classify_hand(const std::array<CardId, 5>& cards) {
    std::array<Suit, 5> suits{};
    std::array<std::int16_t, 5> ranks{};
    for (std::size_t i = 0; i < 5; ++i) {
        suits[i] = cards[i].suit();
        ranks[i] = static_cast<std::int16_t>(cards[i].rank());
    }
    return classify_hand(suits, ranks);
}

}  // namespace quillon
