#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "game/control_table.h"
#include "game/controls.h"
#include "game/machine_state.h"
#include "game/media_control.h"
#include "game/random_source.h"

namespace quillon {

enum class TimerId : std::uint8_t { cardtime, jokertime };

inline constexpr int kKeyF11 = 122;
inline constexpr int kKeyF12 = 123;
// Keys a newcomer reaches for, beyond the machine's two: Return and Space stand for DEAL and DRAW,
// 1 to 5 for the HOLD labels of slots 0 to 4.
inline constexpr int kKeyReturn = 13;
inline constexpr int kKeySpace = 32;
inline constexpr int kKey1 = 49;
inline constexpr int kKey5 = 53;

// The title of the one message box the game shows: the music device could not be opened.
inline constexpr std::string_view kDeviceErrorTitle =
    "CD プレーヤーがセットアップされていないか、正常に動作していません。";

// A stacked card that is no longer in the deck when its draw comes.
class StackedCardError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The machine behind the table window: its controls as plain data, its state, and one handler
// per window event. Every handler runs straight through; the window renders `controls()` after it.
class Machine {
  public:
    Machine(MediaControl& media, RandomSource& random);

    // Start-up. Returns the device's error message when the music could not be opened; the window
    // shows it once in a message box titled kDeviceErrorTitle.
    std::optional<std::string> load();
    // A mouse click; a click on a disabled or hidden button does nothing.
    void click(Button button);
    // A click on the card at a slot (0-4) is a click on the HOLD label under it: it holds, and in
    // the double-up it picks.
    void click_card(int slot) { click(card_button(slot)); }
    // F11, F12, and the keys that stand for a button.
    void key_down(int key_code);

    // The HOLD label under the card at a slot: Label11 for slot 0 ... Label3 for slot 4.
    static Button card_button(int slot);
    // The button a key stands for while that button can be clicked; nothing for any other key.
    // The window sends these keys on as clicks, so that they reach the machine as the mouse does.
    std::optional<Button> key_button(int key_code) const;
    // One tick of a timer; nothing happens while the timer is disabled.
    void tick(TimerId timer);
    // The music device's status event.
    void media_status();
    // Window events: minimised, any other resize (restored or resized), closed.
    void minimize();
    void restore();
    void close();

    const Controls& controls() const { return c_; }
    const MachineState& state() const { return s_; }

    // The next draws take these cards, in order, instead of random ones.
    void stack_cards(std::deque<CardId> cards) { stacked_ = std::move(cards); }

  private:
    // Money.
    void first_bet_of_round();
    void bet_one();
    void bet_max();
    void credit_changed();
    void payout();
    void clear();
    void add_hundred_coins();
    // No coin bet, no win offered and every bet button disabled: Clear alone can lead on.
    bool only_clear_leads_on() const;
    // Hand.
    void deal();
    void toggle_hold(int slot);
    void draw();
    void award();
    // Double-up.
    void start_double_up_round();
    void double_up();
    void half();
    void pick(int slot);
    void cardtime_tick();
    void jokertime_tick();
    void settle_reveal();
    void return_to_betting();
    // Music.
    void sound_on();
    void sound_off();

    // Shared operations.
    void write_credit(std::int64_t value);
    void update_bet_buttons();
    void highlight_column(int column, Color color);
    void reset_pay_table_colours();
    void write_base_values();
    void clear_hand_marks();
    void whiten_pay_names();
    void alarm_when_broke();
    CardId draw_card();
    void place_card(int slot, CardId card, bool sorted);
    Picture& face_of(Suit suit, int rank);
    void hide_table();
    void hide_backs();
    void set_timer(Timer& timer, bool enabled);
    void restart_music(std::string_view file);

    MediaControl& media_;
    RandomSource& random_;
    Controls c_;
    MachineState s_;
    std::deque<CardId> stacked_;
};

}  // namespace quillon
