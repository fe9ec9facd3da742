// A storm of random events against the machine: clicks on every button, enabled or not, keys
// and ticks of both timers. After every event what must always hold is checked, and a ledger
// of the coins kept beside the machine must match its credit meter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "game/controls.h"
#include "game/machine.h"
#include "game/meter.h"
#include "game/recording_media_control.h"

namespace quillon {
namespace {

// A hundred seeds; the sanitizer build, ten times slower, asks for fewer (QUILLON_STORM_SEEDS).
int storm_seeds() {
    const char* text = std::getenv("QUILLON_STORM_SEEDS");
    return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : 100;
}
constexpr int kEventsPerSeed = 10'000;

bool plain_meter(const std::string& caption) {
    if (caption.empty() || caption.size() > 10 || (caption.size() > 1 && caption[0] == '0')) {
        return false;
    }
    if (!std::ranges::all_of(caption, [](char ch) { return ch >= '0' && ch <= '9'; })) {
        return false;
    }
    return std::stoll(caption) <= kMeterMax;
}

bool any_face_shows(const Controls& c) {
    for (std::size_t r = 1; r <= 13; ++r) {
        if (c.spade[r].visible || c.dai[r].visible || c.club[r].visible || c.heart[r].visible) {
            return true;
        }
    }
    return c.joker[1].visible;
}

class Storm {
  public:
    explicit Storm(std::uint64_t seed)
        : random_(seed), events_(seed ^ 0x5eedULL), machine_(media_, random_) {
        machine_.load();
    }

    void run(int events) {
        for (int i = 0; i < events; ++i) {
            step();
            check();
            if (::testing::Test::HasFailure()) {
                ADD_FAILURE() << "after event " << i << ": " << last_;
                return;
            }
        }
    }

  private:
    void step() {
        const Controls& c = machine_.controls();
        const auto credit = meter_value(c.credit.caption);
        const int pick = std::uniform_int_distribution<int>(0, 99)(events_);
        if (pick < 60) {
            // Mostly a button that can act, so that play reaches deep into the double-up;
            // Clear and the sound buttons seldom, since they would keep resetting it.
            auto button = static_cast<Button>(std::uniform_int_distribution<int>(0, 19)(events_));
            if (pick < 45) {
                std::vector<Button> live;
                for (int b = 0; b < 20; ++b) {
                    const auto candidate = static_cast<Button>(b);
                    const Label& l = button_label(c, candidate);
                    const bool rare = candidate == Button::clear || candidate == Button::SoundOn ||
                                      candidate == Button::SoundOff;
                    if (l.enabled && l.visible && !rare) {
                        live.push_back(candidate);
                    }
                }
                if (!live.empty()) {
                    button = live[std::uniform_int_distribution<std::size_t>(
                        0, live.size() - 1)(events_)];
                }
            }
            last_ = "click " + std::string(button_name(button));
            const Label& label = button_label(c, button);
            if (label.enabled && label.visible) {
                expect_credit_change(button, credit);
                ++effective_[last_];
            }
            machine_.click(button);
        } else if (pick < 90) {
            const bool card = pick < 75;
            last_ = card ? "tick cardtime" : "tick jokertime";
            if (card ? c.cardtime.enabled : c.jokertime.enabled) {
                ++effective_[last_];
            }
            machine_.tick(card ? TimerId::cardtime : TimerId::jokertime);
        } else if (pick < 93) {
            last_ = "key F12";
            ledger_ = std::min(ledger_ + 100, kMeterMax);
            machine_.key_down(kKeyF12);
        } else if (pick < 96) {
            last_ = "key F11";
            machine_.key_down(kKeyF11);
        } else if (pick < 98) {
            // Any other key; those that stand for a button act as its click.
            last_ = "key other";
            int key = std::uniform_int_distribution<int>(0, 255)(events_);
            key = key == kKeyF11 || key == kKeyF12 ? 0 : key;
            if (const std::optional<Button> button = machine_.key_button(key)) {
                last_ = "key for " + std::string(button_name(*button));
                expect_credit_change(*button, credit);
                ++effective_[last_];
            }
            machine_.key_down(key);
        } else {
            last_ = pick == 98 ? "minimize" : "restore";
            pick == 98 ? machine_.minimize() : machine_.restore();
        }
    }

    void expect_credit_change(Button button, std::int64_t credit) {
        const Controls& c = machine_.controls();
        switch (button) {
            case Button::Label16:
                ledger_ -= credit >= 1 ? 1 : 0;
                bet_ += credit >= 1 ? 1 : 0;
                break;
            case Button::Label17:
                ledger_ -= credit >= 10 ? 10 : 0;
                bet_ += credit >= 10 ? 10 : 0;
                break;
            case Button::draw:
                bet_ = 0;
                break;
            case Button::payback:
                ledger_ = std::min(ledger_ + meter_value(c.win.caption), kMeterMax);
                break;
            case Button::half: {
                const std::int64_t stake = meter_value(c.Label22[0].caption);
                ledger_ = std::min(ledger_ + stake - stake / 2, kMeterMax);
                break;
            }
            case Button::clear:
                ledger_ = 20;
                bet_ = 0;
                break;
            default:
                break;
        }
    }

    void check() {
        const Controls& c = machine_.controls();
        const MachineState& s = machine_.state();
        for (const std::string* meter :
             {&c.credit.caption, &c.win.caption, &c.paid.caption, &c.hight.caption,
              &c.second.caption, &c.Label22[0].caption}) {
            ASSERT_TRUE(plain_meter(*meter)) << "meter caption '" << *meter << "'";
        }
        ASSERT_EQ(meter_value(c.credit.caption), ledger_) << "the credit does not match the ledger";
        // Whatever the route, a bet takes at most ten coins, and the draw pays for what it took.
        ASSERT_LE(bet_, 10) << "coins taken past the ten-coin bet";
        ASSERT_EQ(s.bet_coins, bet_) << "the bet counts other coins than it took";
        ASSERT_NE(c.deal.visible, c.draw.visible) << "exactly one of DEAL and DRAW shows";
        ASSERT_FALSE(c.cardtime.enabled && c.jokertime.enabled) << "both timers run";
        // Coins bet are never stranded: they can be dealt or drawn, or a double-up still runs.
        if (s.bet_coins > 0) {
            const bool can_deal = c.deal.visible && c.deal.enabled;
            const bool can_draw = c.draw.visible && c.draw.enabled;
            const bool double_up_runs = c.cardtime.enabled || c.jokertime.enabled ||
                                        c.Label3.enabled || c.double_.enabled || c.half.enabled;
            ASSERT_TRUE(can_deal || can_draw || double_up_runs)
                << "coins bet with no way to play them";
        }

        // The deck holds no card twice.
        std::set<int> in_deck;
        for (int i = 0; i <= s.cards.deck_top; ++i) {
            ASSERT_TRUE(in_deck.insert(s.cards.deck[static_cast<std::size_t>(i)].code()).second)
                << "a card twice in the deck";
        }
        // Until the first cards are dealt the hand holds nothing.
        dealt_ = dealt_ || any_face_shows(c);
        if (!dealt_) {
            return;
        }
        // The five cards on the table are distinct, hold at most one joker, and while any of them
        // shows (Clear turns them face down and refills the deck) none of them is in the deck.
        std::set<int> on_table;
        for (std::size_t slot = 0; slot < 5; ++slot) {
            const Suit suit = s.hand_suit[slot];
            const int rank = s.hand_rank[slot] == 14
                                 ? 1
                                 : s.hand_rank[slot];  // the ace as the double-up counts it
            const CardId card = suit == Suit::joker ? CardId::joker() : CardId::of(suit, rank);
            ASSERT_TRUE(on_table.insert(card.code()).second) << "a card twice on the table";
        }
        if (any_face_shows(c)) {
            for (int code : on_table) {
                ASSERT_FALSE(in_deck.contains(code))
                    << CardId::from_code(code).text() << " is on the table and in the deck";
            }
        }
        // Every visible face lies at a slot, one face per slot.
        std::array<int, 5> faces_at{};
        auto count = [&](const Picture& p) {
            if (p.visible) {
                const auto it = std::ranges::find(kSlotLeft, p.left);
                ASSERT_NE(it, kSlotLeft.end()) << "a face off the slots";
                ++faces_at[static_cast<std::size_t>(it - kSlotLeft.begin())];
            }
        };
        for (std::size_t r = 1; r <= 13; ++r) {
            count(c.spade[r]);
            count(c.dai[r]);
            count(c.club[r]);
            count(c.heart[r]);
        }
        count(c.joker[1]);
        for (int n : faces_at) {
            ASSERT_LE(n, 1) << "two faces at one slot";
        }
    }

    SeededRandom random_;
    std::mt19937_64 events_;
    RecordingMediaControl media_;
    Machine machine_;
    std::int64_t ledger_ = 20;
    std::int64_t bet_ = 0;  // coins taken for the bet of the round
    bool dealt_ = false;
    std::string last_;

  public:
    // How often each event found its control enabled: the storm must reach every corner.
    std::map<std::string, long> effective_;
};

TEST(Storm, AMillionRandomEventsKeepTheMachineWhole) {
    std::map<std::string, long> effective;
    const int seeds = storm_seeds();
    for (int seed = 1; seed <= seeds; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Storm storm(static_cast<std::uint64_t>(seed));
        storm.run(kEventsPerSeed);
        if (HasFailure()) {
            return;
        }
        for (const auto& [event, n] : storm.effective_) {
            effective[event] += n;
        }
    }
    std::cout << "  events that acted, of " << seeds * kEventsPerSeed << ":\n";
    for (const auto& [event, n] : effective) {
        std::cout << "    " << event << ": " << n << "\n";
    }
    for (const char* needed :
         {"click half", "click double", "click payback", "click clear", "tick jokertime"}) {
        // Each seed reaches every corner about once or more.
        EXPECT_GT(effective[needed], seeds) << needed;
    }
}

}  // namespace
}  // namespace quillon
