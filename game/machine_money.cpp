// The money side: BET one, BET max, the credit's change reaction, PAYOUT, Clear and F12.
#include <array>

#include "game/machine.h"
#include "game/meter.h"
#include "game/pay_table.h"

namespace quillon {

void Machine::first_bet_of_round() {
    if (s_.round_bet_open != kFalse) {
        return;
    }
    s_.round_bet_open = kTrue;
    reset_pay_table_colours();
    write_base_values();
}

void Machine::bet_one() {
    first_bet_of_round();
    const std::int64_t credit = meter_value(c_.credit.caption);
    if (credit >= 1) {
        write_credit(credit - 1);
        c_.deal.enabled = true;
        if (meter_value(c_.credit.caption) == 0) {
            c_.Label16.enabled = false;
        }
        c_.Label17.enabled = false;
        ++s_.bet_one_count;
        if (s_.bet_one_count == 10) {
            c_.Label16.enabled = false;
        }
        if (s_.bet_one_count >= 1 && s_.bet_one_count <= 5) {
            c_.coinsuu[0].caption = kCoinHeaders[static_cast<std::size_t>(s_.bet_one_count - 1)];
            highlight_column(s_.bet_column, colors::highlight);
            const auto rows = c_.rows();
            for (std::size_t r = 0; r < rows.size(); ++r) {
                (*rows[r])[0].caption = std::to_string(kPayPerCoin[r] * s_.bet_one_count);
            }
        } else if (s_.bet_one_count >= 6 && s_.bet_one_count <= 10) {
            ++s_.bet_column;
            highlight_column(s_.bet_column - 1, colors::white);
            highlight_column(s_.bet_column, colors::highlight);
        }
    }
    ++s_.bet_coins;
    clear_hand_marks();
}

void Machine::bet_max() {
    first_bet_of_round();
    const std::int64_t credit = meter_value(c_.credit.caption);
    if (credit >= 10) {
        write_credit(credit - 10);
        c_.deal.enabled = true;
        if (meter_value(c_.credit.caption) < 10) {
            c_.Label17.enabled = false;
        }
        highlight_column(5, colors::highlight);
        c_.Label16.enabled = false;
        c_.Label17.enabled = false;
    }
    s_.bet_coins = 10;
    clear_hand_marks();
}

void Machine::credit_changed() {
    if (s_.credit_change_muted == kTrue) {
        s_.credit_change_muted = kFalse;
        return;
    }
    update_bet_buttons();
}

void Machine::payout() {
    s_.payout_high = static_cast<std::int32_t>(meter_value(c_.hight.caption));
    s_.payout_second = static_cast<std::int32_t>(meter_value(c_.second.caption));
    s_.payout_win = static_cast<std::int32_t>(meter_value(c_.win.caption));
    s_.payout_credit = static_cast<std::int32_t>(meter_value(c_.credit.caption));
    if (s_.payout_high < s_.payout_win) {
        c_.second.caption = c_.hight.caption;
        c_.hight.caption = c_.win.caption;
    }
    if (s_.payout_win < s_.payout_high && s_.payout_second < s_.payout_win) {
        c_.second.caption = c_.win.caption;
    }
    update_bet_buttons();
    return_to_betting();
    if (s_.payout_win > 0) {
        // The sum stops at the largest amount a meter holds.
        const std::int64_t total = std::int64_t{s_.payout_credit} + s_.payout_win;
        s_.payout_total = static_cast<std::int32_t>(std::min(total, kMeterMax));
        c_.paid.caption = c_.win.caption;
        write_credit(s_.payout_total);
    }
    c_.Label22[0].caption = "0";
    c_.win.caption = "0";
    c_.double_.enabled = c_.half.enabled = c_.payback.enabled = false;
    c_.clear.enabled = true;
    reset_pay_table_colours();
}

void Machine::clear() {
    c_.coinsuu[0].caption = "1st";
    c_.Label22[0].caption = c_.win.caption = c_.paid.caption = "0";
    c_.clear.back = colors::navy;
    write_credit(20);
    c_.spade[0].visible = c_.dai[0].visible = c_.club[0].visible = c_.heart[0].visible =
        c_.joker[0].visible = true;
    for (Label& marker : c_.player) {
        marker.visible = false;
    }
    for (Label& marker : c_.Label1) {
        marker.visible = false;
    }
    for (Label* slot : c_.slot_buttons()) {
        slot->enabled = false;
    }
    c_.Label16.enabled = c_.Label17.enabled = true;
    c_.deal.enabled = false;
    c_.deal.visible = true;
    c_.draw.enabled = false;
    c_.draw.visible = false;
    for (Label* slot : c_.slot_buttons()) {
        slot->fore = colors::white;
    }
    reset_pay_table_colours();
    write_base_values();
    for (std::size_t i = 1; i <= 13; ++i) {
        c_.spade[i].visible = c_.dai[i].visible = c_.club[i].visible = c_.heart[i].visible = false;
    }
    c_.joker[1].visible = false;
    s_.bet_column = s_.bet_one_count = s_.credit_change_muted = s_.round_bet_open = 0;
    s_.bet_coins = 0;
    s_.cards.refill_deck();
    s_.hold_flags = {};
    c_.double_.enabled = c_.half.enabled = c_.payback.enabled = false;
    c_.Frame2.visible = true;
    restart_music(kOrdinaryTune);
}

void Machine::add_hundred_coins() {
    const bool dead_end = only_clear_leads_on();
    s_.credit_change_muted = kTrue;
    write_credit(meter_value(c_.credit.caption) + 100);
    // Where the coins could otherwise never be bet, the bet buttons follow the new credit.
    if (dead_end) {
        update_bet_buttons();
    }
}

bool Machine::only_clear_leads_on() const {
    return s_.round_bet_open == kFalse && s_.double_up_active == kFalse && !c_.Label16.enabled &&
           !c_.Label17.enabled && !c_.deal.enabled && !c_.draw.enabled && !c_.payback.enabled &&
           !c_.double_.enabled && !c_.half.enabled;
}

}  // namespace quillon
