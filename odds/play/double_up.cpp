#include "odds/play/double_up.h"

namespace quillon::odds {

DoubleUpOdds double_up_odds() {
    DoubleUpOdds odds;
    for (int dealer = 0; dealer < CardId::kCount; ++dealer) {
        for (int player = 0; player < CardId::kCount; ++player) {
            if (player == dealer) {
                continue;
            }
            ++odds.pairs;
            const CardId d = CardId::from_code(dealer);
            if (d.is_joker()) {
                ++odds.losses;
                continue;
            }
            const int theirs = double_up_count(d.rank());
            const int mine = double_up_count(CardId::from_code(player).rank());
            if (mine > theirs) {
                ++odds.wins;
            } else if (mine < theirs) {
                ++odds.losses;
            } else {
                ++odds.ties;
            }
        }
    }
    return odds;
}

double DoubleUpOdds::double_value() const {
    return static_cast<double>(2 * wins + ties) / static_cast<double>(pairs);
}

double DoubleUpOdds::double_until_decided() const {
    return static_cast<double>(2 * wins) / static_cast<double>(wins + losses);
}

double DoubleUpOdds::half_value(std::int64_t coins) const {
    const std::int64_t played = coins / 2;
    return static_cast<double>(coins - played) + static_cast<double>(played) * double_value();
}

}  // namespace quillon::odds
