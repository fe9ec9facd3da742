// Every meter stays a whole number from 0 to 2147483647, however far F12, doubling and PAYOUT
// push it: no wrap, no sign, no exponent.
#include <gtest/gtest.h>

#include <deque>
#include <sstream>

#include "game/machine.h"
#include "game/meter.h"
#include "game/recording_media_control.h"

namespace quillon {
namespace {

class Bounds : public ::testing::Test {
  protected:
    Bounds() { machine.load(); }

    void stack(const std::string& cards) {
        std::deque<CardId> ids;
        std::istringstream in(cards);
        for (std::string word; in >> word;) {
            ids.push_back(CardId::parse(word).value());
        }
        machine.stack_cards(std::move(ids));
    }
    // BET max, then a royal flush held whole: a win of 10000.
    void win_royal() {
        machine.click(Button::Label17);
        stack("s1 s10 s11 s12 s13");
        machine.click(Button::deal);
        for (Button b :
             {Button::Label3, Button::Label5, Button::Label7, Button::Label9, Button::Label11}) {
            machine.click(b);
        }
        machine.click(Button::draw);
    }
    // A double-up round that the picked ace wins against the dealer's 2.
    void win_round(Button how) {
        stack("s2 h1 d3 c4 h5");
        machine.click(how);
        machine.click(Button::Label10);
        for (int i = 0; i < 6; ++i) {
            machine.tick(TimerId::cardtime);
        }
    }
    const std::string& caption(const Label& l) const { return l.caption; }

    RecordingMediaControl media;
    SeededRandom random{1};
    Machine machine{media, random};
};

TEST_F(Bounds, F12StopsAtTheLargestCredit) {
    const Controls& c = machine.controls();
    for (int i = 0; i < 21'474'837; ++i) {
        machine.key_down(kKeyF12);
    }
    EXPECT_EQ(caption(c.credit), "2147483647");
    machine.key_down(kKeyF12);
    EXPECT_EQ(caption(c.credit), "2147483647");
    // The bet buttons still work from there.
    machine.click(Button::Label17);
    EXPECT_EQ(caption(c.credit), "2147483637");
}

TEST_F(Bounds, DoublingStopsAtTheLargestStakeAndPayoutStopsAtTheLargestCredit) {
    const Controls& c = machine.controls();
    win_royal();
    EXPECT_EQ(caption(c.win), "10000");
    // 10000 doubled 18 times passes 2^31.
    for (int i = 0; i < 18; ++i) {
        win_round(Button::double_);
    }
    EXPECT_EQ(caption(c.Label22[0]), "2147483647");
    EXPECT_EQ(caption(c.win), "2147483647");
    EXPECT_EQ(caption(c.Label24), "2147483647");
    machine.click(Button::payback);
    EXPECT_EQ(caption(c.credit), "2147483647");
    EXPECT_EQ(caption(c.hight), "2147483647");
    EXPECT_EQ(caption(c.paid), "2147483647");
}

TEST_F(Bounds, HalfSplitsStakesAboveTheSixteenBitRange) {
    const Controls& c = machine.controls();
    win_royal();
    win_round(Button::double_);
    win_round(Button::double_);
    EXPECT_EQ(caption(c.win), "40000");
    const auto credit = meter_value(caption(c.credit));
    stack("s2 h1 d3 c4 h5");
    machine.click(Button::half);
    EXPECT_EQ(caption(c.paid), "20000");
    EXPECT_EQ(caption(c.win), "20000");
    EXPECT_EQ(caption(c.Label24), "40000");
    EXPECT_EQ(meter_value(caption(c.credit)), credit + 20000);
    // An odd stake: 80001 pays 40001 and keeps 40000 at stake.
    machine.click(Button::Label10);
    for (int i = 0; i < 6; ++i) {
        machine.tick(TimerId::cardtime);
    }
    EXPECT_EQ(caption(c.win), "40000");
}

TEST(Meter, ReadsAndWritesPlainIntegersWithinTheBounds) {
    EXPECT_EQ(meter_value("0"), 0);
    EXPECT_EQ(meter_value("2147483647"), 2147483647);
    EXPECT_EQ(meter_value("99999999999999999999"), kMeterMax);
    EXPECT_EQ(meter_value("-5"), 0);
    EXPECT_EQ(meter_value("1e9"), 0);
    EXPECT_EQ(meter_value(""), 0);
    EXPECT_EQ(meter_text(-1), "0");
    EXPECT_EQ(meter_text(std::int64_t{1} << 40), "2147483647");
}

}  // namespace
}  // namespace quillon
