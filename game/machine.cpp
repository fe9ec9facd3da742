#include "game/machine.h"

#include <array>

#include "game/meter.h"
#include "game/pay_table.h"

namespace quillon {

namespace {

// The slot under each slot button, Label3 to Label12.
int slot_of(Button button) {
    return 4 - (static_cast<int>(button) - static_cast<int>(Button::Label3)) / 2;
}

}  // namespace

Machine::Machine(MediaControl& media, RandomSource& random)
    : media_(media), random_(random), c_(Controls::at_startup()) {}

void Machine::click(Button button) {
    const Label& label = button_label(c_, button);
    if (!label.enabled || !label.visible) {
        return;
    }
    switch (button) {
        case Button::Label16:
            return bet_one();
        case Button::Label17:
            return bet_max();
        case Button::deal:
            return deal();
        case Button::draw:
            return draw();
        case Button::payback:
            return payout();
        case Button::clear:
            return clear();
        case Button::double_:
            return double_up();
        case Button::half:
            return half();
        case Button::SoundOn:
            return sound_on();
        case Button::SoundOff:
            return sound_off();
        default:
            break;
    }
    const int slot = slot_of(button);
    if (s_.double_up_active == kFalse) {
        toggle_hold(slot);
    } else if (slot >= 1) {
        pick(slot);
    }
}

void Machine::key_down(int key_code) {
    if (key_code == kKeyF12) {
        add_hundred_coins();
    } else if (key_code == kKeyF11) {
        restart_music(kOrdinaryTune);
    } else if (const std::optional<Button> button = key_button(key_code)) {
        click(*button);
    }
}

Button Machine::card_button(int slot) {
    return static_cast<Button>(static_cast<int>(Button::Label3) + 2 * (4 - slot));
}

std::optional<Button> Machine::key_button(int key_code) const {
    std::optional<Button> button;
    if (key_code >= kKey1 && key_code <= kKey5) {
        button = card_button(key_code - kKey1);
    } else if (key_code == kKeyReturn || key_code == kKeySpace) {
        // DEAL and DRAW share a place; the one that shows is the one the key presses.
        button = c_.deal.visible ? Button::deal : Button::draw;
    }
    if (button) {
        const Label& label = button_label(c_, *button);
        if (!label.enabled || !label.visible) {
            return std::nullopt;
        }
    }
    return button;
}

void Machine::tick(TimerId timer) {
    if (timer == TimerId::cardtime && c_.cardtime.enabled) {
        cardtime_tick();
    } else if (timer == TimerId::jokertime && c_.jokertime.enabled) {
        jokertime_tick();
    }
}

void Machine::write_credit(std::int64_t value) {
    c_.credit.caption = meter_text(value);
    credit_changed();
}

void Machine::update_bet_buttons() {
    const std::int64_t credit = meter_value(c_.credit.caption);
    // A bet holds ten coins at most, and BET max only opens one. Coins bet while a double-up runs
    // (HALF pays into the credit, which frees the buttons) count like any others: the end of that
    // double-up must not offer BET max again, nor an eleventh coin.
    c_.Label17.enabled = credit >= 10 && s_.bet_coins == 0;
    c_.Label16.enabled = credit >= 1 && s_.bet_coins < 10;
}

void Machine::highlight_column(int column, Color color) {
    const auto col = static_cast<std::size_t>(column);
    c_.coinsuu[col].fore = color;
    for (Row* row : c_.rows()) {
        (*row)[col].fore = color;
    }
}

void Machine::reset_pay_table_colours() {
    for (int column = 0; column <= 5; ++column) {
        highlight_column(column, colors::white);
    }
}

void Machine::write_base_values() {
    const auto rows = c_.rows();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        (*rows[r])[0].caption = std::to_string(kPayPerCoin[r]);
    }
}

void Machine::clear_hand_marks() {
    s_.joker_in_hand = 0;
    s_.heart_count = s_.diamond_count = s_.club_count = s_.spade_count = 0;
    whiten_pay_names();
    for (Label& marker : c_.Label1) {
        marker.visible = false;
    }
}

void Machine::whiten_pay_names() {
    for (Label& name : c_.Label2) {
        name.fore = colors::white;
    }
}

void Machine::alarm_when_broke() {
    if (meter_value(c_.credit.caption) == 0 && meter_value(c_.win.caption) == 0) {
        c_.clear.back = colors::red;
    }
}

CardId Machine::draw_card() {
    if (!stacked_.empty()) {
        const CardId card = stacked_.front();
        stacked_.pop_front();
        const int index = s_.cards.find(card);
        if (index < 0) {
            throw StackedCardError("card " + card.text() + " is not in the deck");
        }
        return s_.cards.take(index);
    }
    return s_.cards.draw_card(random_.next_unit());
}

Picture& Machine::face_of(Suit suit, int rank) {
    if (suit == Suit::joker) {
        return c_.joker[1];
    }
    return c_.faces(static_cast<int>(suit))[static_cast<std::size_t>(rank)];
}

void Machine::place_card(int slot, CardId card, bool sorted) {
    const auto i = static_cast<std::size_t>(slot);
    s_.hand_suit[i] = card.suit();
    s_.hand_rank[i] = static_cast<std::int16_t>(card.rank());
    if (sorted) {
        s_.sorted_rank[i] = s_.hand_rank[i];
    }
    Picture& face = face_of(card.suit(), card.rank());
    face.left = kSlotLeft[i];
    face.visible = true;
}

void Machine::hide_table() {
    for (std::size_t i = 1; i <= 13; ++i) {
        c_.spade[i].visible = c_.dai[i].visible = c_.club[i].visible = c_.heart[i].visible = false;
    }
    for (std::size_t i = 1; i <= 10; ++i) {
        c_.joker[i].visible = false;
    }
}

void Machine::hide_backs() {
    c_.joker[0].visible = c_.spade[0].visible = c_.dai[0].visible = c_.club[0].visible =
        c_.heart[0].visible = false;
}

void Machine::set_timer(Timer& timer, bool enabled) {
    if (enabled && !timer.enabled) {
        ++timer.starts;
    }
    timer.enabled = enabled;
}

}  // namespace quillon
