// The double-up: DOUBLE and HALF start a round, the player picks a card, and one of two timers
// settles it: the reveal of the picked card, or the joker loss.
#include <array>

#include "game/machine.h"
#include "game/meter.h"

namespace quillon {

void Machine::start_double_up_round() {
    c_.clear.enabled = false;
    s_.double_up_active = kTrue;
    c_.spade[0].visible = c_.dai[0].visible = c_.club[0].visible = c_.heart[0].visible =
        c_.joker[0].visible = true;
    for (std::size_t i = 1; i <= 13; ++i) {
        c_.spade[i].visible = c_.dai[i].visible = c_.club[i].visible = c_.heart[i].visible = false;
    }
    c_.joker[1].visible = false;
    const auto slots = c_.slot_buttons();
    for (Label* slot : slots) {
        slot->fore = colors::white;
    }
    for (Label& marker : c_.Label1) {
        marker.visible = false;
    }
    c_.Label11.enabled = c_.Label12.enabled = false;
    c_.double_.enabled = c_.half.enabled = c_.payback.enabled = false;
    s_.cards.refill_deck();
    for (int slot = 0; slot <= 4; ++slot) {
        place_card(slot, draw_card(), true);
    }
    c_.spade[0].visible = false;
    if (s_.hand_suit[0] == Suit::joker) {
        set_timer(c_.jokertime, true);
        s_.joker_step = 0;
        for (Label* slot : slots) {
            slot->enabled = false;
        }
    } else {
        // Label3 ... Label10: the labels of slots 4 down to 1.
        for (std::size_t i = 0; i < 8; ++i) {
            slots[i]->enabled = true;
        }
    }
}

void Machine::double_up() {
    start_double_up_round();
}

void Machine::half() {
    c_.clear.enabled = false;
    const std::int64_t stake = meter_value(c_.Label22[0].caption);
    s_.half_odd = static_cast<std::int16_t>(stake % 2);
    s_.half_stake = static_cast<std::int32_t>(stake / 2);
    // The larger half, with the odd coin, is paid; the smaller half stays at stake.
    const std::int64_t paid = stake - s_.half_stake;
    c_.win.caption = meter_text(s_.half_stake);
    c_.Label22[0].caption = meter_text(s_.half_stake);
    c_.Label24.caption = meter_text(2 * std::int64_t{s_.half_stake});
    c_.paid.caption = meter_text(paid);
    write_credit(meter_value(c_.credit.caption) + paid);
    start_double_up_round();
}

void Machine::pick(int slot) {
    c_.player[static_cast<std::size_t>(slot)].visible = true;
    const auto slots = c_.slot_buttons();
    for (std::size_t i = 0; i < 8; ++i) {
        slots[i]->enabled = false;
    }
    s_.chosen_slot = static_cast<std::int16_t>(slot);
    set_timer(c_.cardtime, true);
}

void Machine::cardtime_tick() {
    if (s_.chosen_slot >= 1 && s_.chosen_slot <= 4) {
        if (s_.reveal_step >= 1 && s_.reveal_step <= 4) {
            // The three cards not picked turn left to right, the picked one last.
            std::array<int, 4> order{};
            std::size_t n = 0;
            for (int slot = 1; slot <= 4; ++slot) {
                if (slot != s_.chosen_slot) {
                    order[n++] = slot;
                }
            }
            order[3] = s_.chosen_slot;
            const std::array<Picture*, 5> backs = {&c_.spade[0], &c_.dai[0], &c_.club[0],
                                                   &c_.heart[0], &c_.joker[0]};
            backs[static_cast<std::size_t>(order[static_cast<std::size_t>(s_.reveal_step - 1)])]
                ->visible = false;
        }
        if (s_.reveal_step > 4) {
            s_.reveal_done = kTrue;
        } else {
            ++s_.reveal_step;
        }
    }
    if (s_.reveal_done == kTrue) {
        settle_reveal();
    }
    alarm_when_broke();
}

void Machine::settle_reveal() {
    const auto dealer = std::size_t{0};
    const auto picked = static_cast<std::size_t>(s_.chosen_slot);
    s_.hand_rank[dealer] = static_cast<std::int16_t>(double_up_count(s_.hand_rank[dealer]));
    s_.hand_rank[picked] = static_cast<std::int16_t>(double_up_count(s_.hand_rank[picked]));
    if (s_.hand_rank[dealer] < s_.hand_rank[picked]) {
        const std::int64_t stake = 2 * meter_value(c_.Label22[0].caption);
        c_.Label22[0].caption = meter_text(stake);
        c_.Label24.caption = meter_text(2 * meter_value(c_.Label22[0].caption));
        c_.win.caption = c_.Label22[0].caption;
        c_.double_.enabled = c_.half.enabled = c_.payback.enabled = true;
    } else if (s_.hand_rank[picked] < s_.hand_rank[dealer]) {
        c_.Label22[0].caption = c_.win.caption = "0";
        return_to_betting();
        c_.clear.enabled = true;
        update_bet_buttons();
        reset_pay_table_colours();
    }
    if (s_.sorted_rank[dealer] == s_.sorted_rank[picked]) {
        c_.double_.enabled = c_.half.enabled = true;
    }
    s_.reveal_done = s_.reveal_step = s_.chosen_slot = 0;
    for (std::size_t i = 1; i <= 4; ++i) {
        c_.player[i].visible = false;
    }
    set_timer(c_.cardtime, false);
}

void Machine::jokertime_tick() {
    switch (s_.joker_step) {
        case 0:
            break;
        case 1:
        case 2:
        case 3:
        case 4: {
            // Slot 1 to 4 turns into a pale mask.
            const std::array<Picture*, 4> backs = {&c_.dai[0], &c_.club[0], &c_.heart[0],
                                                   &c_.joker[0]};
            const auto step = static_cast<std::size_t>(s_.joker_step);
            c_.joker[step + 1].visible = true;
            backs[step - 1]->visible = false;
            break;
        }
        case 5:
            for (std::size_t i = 1; i <= 5; ++i) {
                c_.joker[i].visible = false;
            }
            for (std::size_t i = 6; i <= 10; ++i) {
                c_.joker[i].visible = true;
            }
            break;
        default:
            s_.joker_step = 0;
            set_timer(c_.jokertime, false);
            c_.Label22[0].caption = c_.win.caption = "0";
            return_to_betting();
            update_bet_buttons();
            reset_pay_table_colours();
            s_.reveal_done = s_.reveal_step = s_.chosen_slot = 0;
            for (std::size_t i = 1; i <= 4; ++i) {
                c_.player[i].visible = false;
            }
            set_timer(c_.cardtime, false);
            alarm_when_broke();
            break;
    }
    ++s_.joker_step;
    c_.clear.enabled = true;
}

void Machine::return_to_betting() {
    c_.Frame2.visible = true;
    restart_music(kOrdinaryTune);
    c_.draw.enabled = c_.draw.visible = false;
    c_.deal.visible = true;
    // Coins bet while the double-up ran (HALF pays into the credit) can still be dealt.
    c_.deal.enabled = s_.bet_coins > 0;
}

}  // namespace quillon
