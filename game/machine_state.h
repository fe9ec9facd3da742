#pragma once

#include <array>
#include <cstdint>

#include "base/card.h"
#include "game/deck.h"
#include "game/hand_evaluation.h"

namespace quillon {

// The variables of the table window that outlive one event. Flags are -1 for true, 0 for false.
// Amounts are not here: they live in the captions of the meters and the pay table.
struct MachineState {
    std::int16_t credit_change_muted = 0;  // F12's write leaves the bet buttons alone
    std::int16_t bet_one_count = 0;        // coins bet with BET one this round
    std::int16_t bet_column = 0;           // the column BET one lights
    Deck cards;                            // deck, deck_top, drawn_index
    std::int16_t heart_count = 0;
    std::int16_t diamond_count = 0;
    std::int16_t club_count = 0;
    std::int16_t spade_count = 0;
    std::array<Suit, 5> hand_suit{};  // per slot; Suit::joker for the joker
    std::array<std::int16_t, 5> hand_rank{};
    std::array<std::int16_t, 5> sorted_rank{};
    std::array<std::int16_t, 5> hold_flags{};
    std::int16_t round_bet_open = 0;
    std::int16_t joker_in_hand = 0;
    HandName hand_name = HandName::none;
    std::int32_t payout_high = 0;
    std::int32_t payout_second = 0;
    std::int32_t payout_win = 0;
    std::int32_t bet_coins = 0;
    std::int32_t pay_column = 0;
    std::int32_t payout_credit = 0;
    std::int32_t payout_total = 0;
    std::int16_t double_up_active = 0;
    std::int16_t reveal_done = 0;
    std::int16_t chosen_slot = 0;
    std::int16_t reveal_step = 0;
    std::int16_t joker_step = 0;
    std::int16_t half_odd = 0;
    std::int32_t half_stake = 0;  // wide, so that any stake a meter holds can be halved
    std::int16_t resize_seen = 0;
    std::int16_t sound_off = 0;
};

inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

}  // namespace quillon
