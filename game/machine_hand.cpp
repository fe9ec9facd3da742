// One hand: the deal, the hold marks, the draw and the award read from the pay table.
#include <array>

#include "game/machine.h"
#include "game/meter.h"
#include "game/pay_table.h"

namespace quillon {

void Machine::deal() {
    const auto slots = c_.slot_buttons();
    for (Label* slot : slots) {
        slot->enabled = true;
    }
    c_.Label16.enabled = c_.Label17.enabled = false;
    for (Label* slot : slots) {
        slot->fore = colors::white;
    }
    for (Label& marker : c_.Label1) {
        marker.visible = false;
    }
    c_.Label22[0].caption = c_.win.caption = c_.paid.caption = "0";
    s_.double_up_active = s_.reveal_done = s_.chosen_slot = s_.reveal_step = 0;
    // A new hand cancels whatever is left of a double-up: no tick may reach into it.
    set_timer(c_.cardtime, false);
    set_timer(c_.jokertime, false);
    whiten_pay_names();
    hide_table();
    s_.cards.refill_deck();
    s_.joker_in_hand = 0;
    s_.hand_name = HandName::none;
    s_.heart_count = s_.club_count = s_.diamond_count = s_.spade_count = 0;
    hide_backs();
    for (int slot = 0; slot <= 4; ++slot) {
        place_card(slot, draw_card(), true);
    }
    s_.sorted_rank = sort_ranks(s_.sorted_rank);
    const HandName dealt = classify_hand(s_.hand_suit, s_.sorted_rank).name;
    if (dealt != HandName::none) {
        c_.Label2[static_cast<std::size_t>(pay_row(dealt))].fore = colors::yellow;
    }
    c_.deal.visible = c_.deal.enabled = false;
    c_.draw.enabled = c_.draw.visible = true;
}

void Machine::toggle_hold(int slot) {
    const auto i = static_cast<std::size_t>(slot);
    // Label11/Label12 serve slot 0 ... Label3/Label4 slot 4.
    const auto pair = static_cast<std::size_t>((4 - slot) * 2);
    Label& hold = *c_.slot_buttons()[pair];
    Label& arrow = *c_.slot_buttons()[pair + 1];
    Label& marker = c_.Label1[i];
    marker.visible = !marker.visible;
    hold.fore = arrow.fore = marker.visible ? colors::highlight : colors::white;
    s_.hold_flags[i] = s_.hold_flags[i] != 0 ? kFalse : kTrue;
}

void Machine::draw() {
    for (int slot = 0; slot <= 4; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        if (s_.hold_flags[i] == kFalse) {
            face_of(s_.hand_suit[i], s_.hand_rank[i]).visible = false;
            place_card(slot, draw_card(), false);
        }
    }
    const Classification result = classify_hand(s_.hand_suit, s_.hand_rank);
    s_.spade_count = result.counts.spade_count;
    s_.diamond_count = result.counts.diamond_count;
    s_.club_count = result.counts.club_count;
    s_.heart_count = result.counts.heart_count;
    s_.joker_in_hand = result.counts.joker_in_hand;
    s_.hand_name = result.name;
    award();
    // The bet of the round ends with its award; the buttons below may take a new one.
    s_.round_bet_open = s_.bet_column = s_.bet_one_count = 0;
    s_.bet_coins = 0;
    if (s_.hand_name != HandName::none) {
        c_.Frame2.visible = false;
        c_.double_.enabled = c_.half.enabled = c_.payback.enabled = true;
        c_.deal.enabled = c_.draw.enabled = false;
        c_.Label16.enabled = c_.Label17.enabled = false;
        restart_music(kWinTune);
    } else {
        update_bet_buttons();
        c_.draw.enabled = c_.draw.visible = false;
        c_.deal.visible = true;
        c_.deal.enabled = false;
    }
    for (Label* slot : c_.slot_buttons()) {
        slot->enabled = false;
    }
    s_.hold_flags = {};
    alarm_when_broke();
}

void Machine::award() {
    const int coins = s_.bet_coins;
    s_.pay_column = coins >= 6 ? std::min(coins, 10) - 5 : 0;
    if (s_.hand_name != HandName::none) {
        const auto row = static_cast<std::size_t>(pay_row(s_.hand_name));
        c_.Label27.caption = kHandTitles[row];
        const std::string amount =
            (*c_.rows()[row])[static_cast<std::size_t>(s_.pay_column)].caption;
        c_.Label28.caption = "You win " + amount + " coins.";
        c_.Label22[0].caption = amount;
        c_.Label24.caption = meter_text(2 * meter_value(c_.Label22[0].caption));
    }
    c_.win.caption = c_.Label22[0].caption;
    whiten_pay_names();
}

}  // namespace quillon
