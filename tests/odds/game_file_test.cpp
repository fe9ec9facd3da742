// Pay-table files: the built-in ones, the parse of each statement, and the files refused.
#include <gtest/gtest.h>

#include <algorithm>

#include "odds/games/builtin_games.h"
#include "odds/games/game_file.h"
#include "odds/play/fast_classifier.h"
#include "tests/odds/bad_game_file.h"

namespace quillon::odds {
namespace {

using HC = HandClass;

std::vector<HandClass> pairs_from(HandClass lowest) {
    std::vector<HandClass> pairs;
    for (auto c = static_cast<int>(lowest); c <= static_cast<int>(HC::pair_ace); ++c) {
        pairs.push_back(static_cast<HandClass>(c));
    }
    return pairs;
}

// Four of each of `ranks` beside each of `kickers`, rank by rank: ranks and kickers as bits.
std::vector<HandClass> fours(unsigned ranks, unsigned kickers = 0x1fff) {
    std::vector<HandClass> out;
    for (int q = 0; q < kRankCount; ++q) {
        for (int k = 0; k < kRankCount; ++k) {
            if ((ranks >> q & 1u) != 0 && (kickers >> k & 1u) != 0) {
                out.push_back(four_of(q, k));
            }
        }
    }
    return out;
}
// The same less the classes of `less`.
std::vector<HandClass> without(std::vector<HandClass> all, const std::vector<HandClass>& less) {
    std::erase_if(all, [&](HandClass c) { return std::ranges::find(less, c) != less.end(); });
    return all;
}
std::vector<HandClass> four_deuces() {
    std::vector<HandClass> out = fours(1u);
    for (int k = 0; k < kRankCount; ++k) {
        out.push_back(four_deuces_with(k));
    }
    return out;
}
std::vector<HandClass> fives() {
    std::vector<HandClass> out;
    for (int r = 0; r < kRankCount; ++r) {
        out.push_back(five_of(r));
    }
    return out;
}
constexpr unsigned kAces = 1u << 12;
constexpr unsigned kTwoToFour = 0b111u;
constexpr unsigned kFiveToKing = 0x1fffu & ~kAces & ~kTwoToFour;
const std::vector<HandClass> kEveryFour = fours(0x1fff);

// The tables as their makers publish them, for the full bet of five coins (a royal 4000).
Game jacks_9_6_by_hand() {
    return Game("Jacks or Better 9/6", Wild::none,
                {{"royal flush", 800, {HC::natural_royal}},
                 {"straight flush", 50, {HC::straight_flush}},
                 {"four of a kind", 25, kEveryFour},
                 {"full house", 9, {HC::full_house}},
                 {"flush", 6, {HC::flush}},
                 {"straight", 4, {HC::straight}},
                 {"three of a kind", 3, {HC::three}},
                 {"two pair", 2, {HC::two_pair}},
                 {"jacks or better", 1, pairs_from(HC::pair_jack)}});
}

Game joker_kings_by_hand() {
    return Game("Joker Poker (kings or better) 20/7/5", Wild::joker,
                {{"natural royal", 800, {HC::natural_royal}},
                 {"five of a kind", 200, fives()},
                 {"wild royal", 100, {HC::wild_royal}},
                 {"straight flush", 50, {HC::straight_flush}},
                 {"four of a kind", 20, kEveryFour},
                 {"full house", 7, {HC::full_house}},
                 {"flush", 5, {HC::flush}},
                 {"straight", 3, {HC::straight}},
                 {"three of a kind", 2, {HC::three}},
                 {"two pair", 1, {HC::two_pair}},
                 {"kings or better", 1, pairs_from(HC::pair_king)}});
}

// Each four of a kind goes to the most specific line given.
Game double_double_by_hand() {
    return Game(
        "Double Double Bonus 9/6", Wild::none,
        {{"royal flush", 800, {HC::natural_royal}},
         {"straight flush", 50, {HC::straight_flush}},
         {"four aces with 2-4", 400, fours(kAces, kTwoToFour)},
         {"four 2s-4s with A-4", 160, fours(kTwoToFour, kTwoToFour | kAces)},
         {"four aces", 160, without(fours(kAces), fours(kAces, kTwoToFour))},
         {"four 2s-4s", 80, without(fours(kTwoToFour), fours(kTwoToFour, kTwoToFour | kAces))},
         {"four 5s-kings", 50, fours(kFiveToKing)},
         {"full house", 9, {HC::full_house}},
         {"flush", 6, {HC::flush}},
         {"straight", 4, {HC::straight}},
         {"three of a kind", 3, {HC::three}},
         {"two pair", 1, {HC::two_pair}},
         {"jacks or better", 1, pairs_from(HC::pair_jack)}});
}

Game deuces_full_pay_by_hand() {
    return Game("Deuces Wild full pay", Wild::deuces,
                {{"natural royal", 800, {HC::natural_royal}},
                 {"four deuces", 200, four_deuces()},
                 {"wild royal", 25, {HC::wild_royal}},
                 {"five of a kind", 15, fives()},
                 {"straight flush", 9, {HC::straight_flush}},
                 {"four of a kind", 5, fours(0x1fff & ~1u)},
                 {"full house", 3, {HC::full_house}},
                 {"flush", 2, {HC::flush}},
                 {"straight", 2, {HC::straight}},
                 {"three of a kind", 1, {HC::three}}});
}

struct ByHand {
    std::string_view name;
    Game (*definition)();
};

class BuiltinFile : public ::testing::TestWithParam<ByHand> {};

TEST_P(BuiltinFile, ParsesToTheTableAsPublished) {
    const std::optional<Game> game = find_game(GetParam().name);
    ASSERT_TRUE(game.has_value());
    // The table as published; the Ultimate X multipliers some files add are tested apart.
    Game pays = *game;
    pays.set_multiplier_tables({});
    EXPECT_EQ(pays, GetParam().definition());
}

INSTANTIATE_TEST_SUITE_P(Games, BuiltinFile,
                         ::testing::Values(ByHand{"jacks-or-better-9-6", jacks_9_6_by_hand},
                                           ByHand{"joker-kings-20-7-5", joker_kings_by_hand},
                                           ByHand{"double-double-bonus-9-6", double_double_by_hand},
                                           ByHand{"deuces-wild-full-pay",
                                                  deuces_full_pay_by_hand}));

TEST(BuiltinGames, EveryShippedFileParsesForEveryBet) {
    const std::vector<std::string_view> names = game_names();
    for (const std::string_view wanted :
         {"quillon", "jacks-or-better-9-6", "jacks-or-better-8-5", "joker-kings-20-7-5",
          "bonus-poker-8-5", "double-bonus-10-7-5", "double-double-bonus-9-6",
          "deuces-wild-full-pay", "deuces-wild-nsu", "triple-double-bonus-9-7",
          "aces-and-faces-8-5", "super-double-bonus-9-5", "double-double-bonus-10-6",
          "loose-deuces-17-10", "bonus-deuces-wild-13-4-3", "double-joker-9-5",
          "deuces-and-joker-wild"}) {
        EXPECT_NE(std::find(names.begin(), names.end(), wanted), names.end()) << wanted;
    }
    EXPECT_EQ(names.front(), "quillon");
    for (const EmbeddedText& file : builtin_games()) {
        for (int coins = 0; coins <= 10; ++coins) {
            const Game game = parse_game(file.text, std::string(file.name), coins);
            EXPECT_EQ(game.rows().back().label, "nothing");
            EXPECT_EQ(game.row_of(HC::nothing), game.row_count() - 1) << file.name;
        }
    }
}

// Pays per coin for a bet: the full-bet figure only for the full bet, decimals kept exact.
struct BetCase {
    std::string_view text;
    int coins;
    std::int64_t royal;
    std::int64_t pair;
    std::int64_t scale;
};

class PaysForABet : public ::testing::TestWithParam<BetCase> {};

TEST_P(PaysForABet, AreWholeUnitsOfTheBet) {
    const Game game = parse_game(GetParam().text, "bet.game", GetParam().coins);
    EXPECT_EQ(game.pay_of(HC::natural_royal), GetParam().royal);
    EXPECT_EQ(game.pay_of(HC::pair_ace), GetParam().pair);
    EXPECT_EQ(game.pay_scale(), GetParam().scale);
}

constexpr std::string_view kRoyal4000 = "wild none\nroyal 250 4000@5\npair 1 jacks\n";
constexpr std::string_view kHalves = "wild none\nroyal 250.5\npair 0.5 aces  # half a coin\n";

INSTANTIATE_TEST_SUITE_P(
    Files, PaysForABet,
    ::testing::Values(BetCase{kRoyal4000, kFullBet, 800, 1, 1}, BetCase{kRoyal4000, 5, 800, 1, 1},
                      BetCase{kRoyal4000, 1, 250, 1, 1}, BetCase{kRoyal4000, 4, 250, 1, 1},
                      // 250.5 and 0.5 per coin: 501 and 1 half coins.
                      BetCase{kHalves, kFullBet, 501, 1, 2}, BetCase{kHalves, 2, 501, 1, 2},
                      BetCase{"wild none\nroyal 250 4001@5\npair 1 jacks", 5, 4001, 5, 5},
                      BetCase{"wild none\nroyal 800 8000@10\npair 1 jacks", 0, 800, 1, 1}));

TEST(GameFile, NamesTheGameAfterItsFileWhenTheFileDoesNot) {
    const Game game = parse_game("wild joker\nfive 100\n", "dir/my-table.game");
    EXPECT_EQ(game.name(), "my-table");
    EXPECT_EQ(parse_game("name  Jacks  8/5 # mine\nwild none\nflush 5", "x").name(), "Jacks  8/5");
}

TEST_P(BadGameFile, IsRefusedWithItsLine) {
    try {
        parse_game(GetParam().text, "bad.game");
        FAIL() << "accepted";
    } catch (const GameFileError& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadGameFile,
    ::testing::Values(
        BadFile{"wild none\nroyal 800\nquads 25\n", "bad.game:3: unknown word 'quads'"},
        BadFile{"wild none\nflush 6\n\n# again\nflush 5\n",
                "bad.game:5: 'flush' is given twice (first on line 2)"},
        BadFile{"name Jacks\nroyal 800\nflush 5\n",
                "bad.game:3: no 'wild' line: none, joker, deuces, jokers or deuces joker"},
        BadFile{"wild none\nroyal 800\nflush -5\n", "bad.game:3: a negative pay '-5'"},
        BadFile{"wild joker\nroyal 800\nfour-deuces 200\n",
                "bad.game:3: 'four-deuces' needs 'wild deuces'"},
        BadFile{"wild none\nfive 100\n", "bad.game:2: 'five' needs wild cards"},
        BadFile{"wild none\nwild joker\n", "bad.game:2: 'wild' is given twice"},
        BadFile{"wild joker deuces\n",
                "bad.game:1: 'wild' takes none, joker, deuces, jokers or deuces joker"},
        BadFile{"wild deuces\nroyal 800\nfive-wilds 2000\n",
                "bad.game:3: 'five-wilds' needs 'wild deuces joker'"},
        BadFile{"wild jokers\nroyal 800\nfour-deuces 200\n",
                "bad.game:3: 'four-deuces' needs 'wild deuces'"},
        BadFile{"wild none\nflush five\n", "bad.game:2: 'five' is not a pay"},
        BadFile{"wild none\nflush\n", "bad.game:2: 'flush' needs its pay per coin"},
        BadFile{"wild none\npair 1\n",
                "bad.game:2: 'pair' needs its least paying rank (twos to aces)"},
        BadFile{"wild none\npair 1 knaves\n", "bad.game:2: unexpected 'knaves' after 'pair'"},
        BadFile{"wild none\nroyal 250 4000@5\nflush 5 60@10\n",
                "bad.game:3: the full bet is 5 coins above"},
        BadFile{"wild none\nroyal 250 4000@0\n", "bad.game:2: '@0' is not a number of coins"},
        BadFile{"wild none\nroyal 200000\n",
                "bad.game:2: pays this large or this finely divided cannot be counted exactly"},
        BadFile{"wild none\nroyal 0.00001\n",
                "bad.game:2: the pay '0.00001' is too large or too finely divided"},
        BadFile{"wild none\n# nothing pays\n", "bad.game:2: no paying hands"},
        BadFile{"", "bad.game:1: no 'wild' line: none, joker, deuces, jokers or deuces joker"}));

// Two jokers, or the deuces and a joker: the deck, and the lines the wild cards can make.
TEST(GameFile, ReadsTheDecksOfTwoJokersAndOfDeucesWithAJoker) {
    const Game jokers = parse_game("wild jokers\nroyal 800\nfive 50\nwild-royal 100\n", "j");
    EXPECT_EQ(jokers.deck_size(), 54);
    EXPECT_EQ(jokers.jokers(), 2);
    EXPECT_FALSE(jokers.deuces_wild());
    EXPECT_EQ(jokers.pay_of(five_of(0)), 50);
    const Game five = parse_game(
        "wild deuces joker\nfive-wilds 2000\nroyal 800\nfour-deuces 25\nwild-royal 12\n", "d");
    EXPECT_EQ(five.deck_size(), 53);
    EXPECT_EQ(five.jokers(), 1);
    EXPECT_TRUE(five.deuces_wild());
    EXPECT_EQ(five.pay_of(HC::five_wilds), 2000);
    EXPECT_EQ(five.pay_of(four_deuces_with(kAce)), 25);
    EXPECT_EQ(five.rows().front().label, "four deuces and a joker");
    // Without a line of their own the five wild cards are paid as the best hand they make.
    const Game plain = parse_game("wild deuces joker\nfour-deuces 200\nwild-royal 25\n", "p");
    const FastClassifier fast(plain);
    const HC hand =
        fast.classify(CardId::of(Suit::spade, 2), CardId::of(Suit::heart, 2),
                      CardId::of(Suit::club, 2), CardId::joker(), CardId::of(Suit::diamond, 2));
    EXPECT_EQ(plain.pay_of(hand), 200);
}

TEST(GameFile, ReportsAFileThatCannotBeRead) {
    EXPECT_THROW(read_game_file("/nonexistent/quillon.game"), GameFileError);
}

}  // namespace
}  // namespace quillon::odds
