#pragma once

#include "game/hand_evaluation.h"
#include "odds/games/hand_class.h"

namespace quillon::odds {

// The name the machine gives the same five cards: single pairs pay nothing there, and both
// royals are its royal.
inline HandName machine_name(HandClass hand) {
    if (is_four_of_a_kind(hand)) {
        return HandName::four;
    }
    if (is_five_of_a_kind(hand)) {
        return HandName::five;
    }
    switch (hand) {
        case HandClass::two_pair:
            return HandName::two;
        case HandClass::three:
            return HandName::three;
        case HandClass::straight:
            return HandName::straight;
        case HandClass::flush:
            return HandName::flush;
        case HandClass::full_house:
            return HandName::full;
        case HandClass::straight_flush:
            return HandName::stfl;
        case HandClass::wild_royal:
        case HandClass::natural_royal:
            return HandName::royal;
        default:
            return HandName::none;
    }
}

}  // namespace quillon::odds
