// The session's figures against a count made draw by draw: the spread of a hold's pay, the luck
// and the accuracy of a short session, and the file's lines.
#include <gtest/gtest.h>

#include <cmath>

#include "coach/deal_advice.h"
#include "coach/session.h"
#include "coach/session_file.h"

namespace quillon::coach {
namespace {

std::array<CardId, 5> cards(std::initializer_list<const char*> texts) {
    std::array<CardId, 5> out{};
    std::size_t i = 0;
    for (const char* t : texts) {
        out[i++] = CardId::parse(t).value();
    }
    return out;
}

// The mean and variance of the coins a one-card draw pays, counted over every card left.
std::pair<double, double> one_card_draw(const GameAtBet& at, std::array<CardId, 5> deal,
                                        std::size_t discard) {
    double sum = 0;
    double square = 0;
    int draws = 0;
    for (int code = 0; code < CardId::kCount; ++code) {
        const CardId c = CardId::from_code(code);
        if (std::find(deal.begin(), deal.end(), c) != deal.end()) {
            continue;
        }
        std::array<CardId, 5> hand = deal;
        hand[discard] = c;
        const double pay = static_cast<double>(at.game.pay_of(at.classifier.classify(hand))) *
                           at.coins / static_cast<double>(at.game.pay_scale());
        sum += pay;
        square += pay * pay;
        ++draws;
    }
    const double mean = sum / draws;
    return {mean, square / draws - mean * mean};
}

TEST(DealAdvice, ValueAndSpreadOfAHoldAreThoseOfItsDraws) {
    const GameAtBet at(odds::find_game("quillon", 10).value(), 10);
    const auto deal = cards({"s1", "s13", "s12", "s11", "d2"});
    const DealAdvice advice(at, nullptr, deal);
    const auto [mean, variance] = one_card_draw(at, deal, 4);
    EXPECT_NEAR(advice.value(0b01111), mean, 1e-9);
    EXPECT_NEAR(advice.variance(0b01111), variance, 1e-6);
    EXPECT_EQ(advice.best().mask, 0b01111);
    EXPECT_TRUE(advice.is_best(0b01111));
    EXPECT_EQ(advice.place_of(0b01111), 1);
    EXPECT_DOUBLE_EQ(advice.cost(0b00111), advice.value(0b01111) - advice.value(0b00111));
}

TEST(DealAdvice, TalliesGiveTheSameFiguresAsCountingDraws) {
    const odds::Game game = odds::find_game("deuces-wild-full-pay", 5).value();
    const GameAtBet at(game, 5);
    const odds::Tallies tallies(game);
    const auto deal = cards({"c2", "h10", "h11", "h12", "s5"});
    const DealAdvice slow(at, nullptr, deal);
    const DealAdvice fast(at, &tallies, deal);
    for (unsigned m = 0; m < odds::kHoldCount; ++m) {
        const auto mask = static_cast<HoldMask>(m);
        EXPECT_EQ(slow.hold(mask).pay_total, fast.hold(mask).pay_total) << m;
        EXPECT_EQ(slow.hold(mask).counts, fast.hold(mask).counts) << m;
        EXPECT_EQ(slow.hold(mask).draws, fast.hold(mask).draws) << m;
    }
}

TEST(Session, TotalsLuckAndTheFileAddUp) {
    const GameAtBet at(odds::find_game("quillon", 5).value(), 5);
    Session session;
    session.start_credit(100);
    const auto royal_draw = cards({"s1", "s13", "s12", "s11", "d2"});
    const DealAdvice first(at, nullptr, royal_draw);
    // A best hold that missed, then a costly one that hit.
    session.add(
        make_record(first, 0b01111, cards({"s1", "s13", "s12", "s11", "h3"}), "nothing", 0));
    const auto pair_deal = cards({"c9", "d9", "h2", "s5", "joker"});
    const DealAdvice second(at, nullptr, pair_deal);
    session.add(make_record(second, 0b00011, cards({"c9", "d9", "h9", "s7", "d13"}), "three", 15));
    const SessionTotals& t = session.totals();
    EXPECT_EQ(t.hands, 2);
    EXPECT_EQ(t.best_holds, 1);
    EXPECT_EQ(t.mistakes, 1);
    EXPECT_DOUBLE_EQ(t.cost, second.cost(0b00011));
    EXPECT_DOUBLE_EQ(t.accuracy(), 100 * (first.value(0b01111) + second.value(0b00011)) /
                                       (first.value(0b01111) + second.value(second.best().mask)));
    const double expected = first.value(0b01111) + second.value(0b00011);
    const double spread = std::sqrt(first.variance(0b01111) + second.variance(0b00011));
    EXPECT_DOUBLE_EQ(t.luck(), (15 - expected) / spread);
    EXPECT_DOUBLE_EQ(t.actual_net(), 15 - 10);
    const std::vector<CreditPoint> line = session.credit_line();
    ASSERT_EQ(line.size(), 3u);
    EXPECT_DOUBLE_EQ(line[2].actual, 105);
    EXPECT_DOUBLE_EQ(line[2].perfect,
                     100 + first.value(0b01111) + second.value(second.best().mask) - 10);
    const std::string csv = session_csv(session);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3);
    EXPECT_NE(csv.find("\n2,c9 d9 h2 s5 joker,5,c9 d9,"), std::string::npos) << csv;
}

}  // namespace
}  // namespace quillon::coach
