#include "odds/known/worked_out.h"

namespace quillon::odds {

bool WorkedOutFor::same_pays(const Game& game) const {
    if (pay_scale != game.pay_scale() || pays.size() != game.row_count()) {
        return false;
    }
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        if (pays[r] != game.pay(r)) {
            return false;
        }
    }
    return true;
}

}  // namespace quillon::odds
