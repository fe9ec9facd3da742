#pragma once

#include <QString>

namespace quillon::trainer {

// The most coins a practice table bets (a line's bet at Ultimate X).
inline constexpr int kMaxCoins = 10;

// Coins as the practice tables show them: whole coins bare, else to the cent.
inline QString coins_text(double coins) {
    return QString::number(coins, 'f',
                           coins == static_cast<double>(static_cast<long long>(coins)) ? 0 : 2);
}

}  // namespace quillon::trainer
