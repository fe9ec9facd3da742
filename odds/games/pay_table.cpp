#include "odds/games/pay_table.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace quillon::odds {

Game::Game(std::string name, Wild wild, std::vector<PayRow> paying, std::int64_t pay_scale)
    : name_(std::move(name)), wild_(wild), rows_(std::move(paying)), pay_scale_(pay_scale) {
    if (pay_scale_ < 1) {
        throw std::invalid_argument("a pay scale below one");
    }
    constexpr std::size_t kUnset = kMaxRows;
    row_of_.fill(kUnset);
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        if (rows_[r].pay < 0 || rows_[r].pay > kMaxPay) {
            throw std::invalid_argument("a pay out of range");
        }
        for (const HandClass hand : rows_[r].classes) {
            if (row_of_[static_cast<std::size_t>(hand)] != kUnset) {
                throw std::invalid_argument("a hand class pays in two rows");
            }
            row_of_[static_cast<std::size_t>(hand)] = r;
        }
    }
    const std::size_t nothing = rows_.size();
    std::vector<HandClass> rest;
    for (std::size_t c = 0; c < kHandClassCount; ++c) {
        if (row_of_[c] == kUnset) {
            row_of_[c] = nothing;
            rest.push_back(static_cast<HandClass>(c));
        }
    }
    rows_.push_back(PayRow{"nothing", 0, std::move(rest)});
    if (rows_.size() > kMaxRows) {
        throw std::invalid_argument("too many pay rows");
    }
}

HandClass Game::best_reading(const ClassSet& classes) const {
    HandClass best = HandClass::nothing;
    classes.for_each([&](HandClass hand) {
        if (pay_of(hand) >= pay_of(best)) {
            best = hand;
        }
    });
    return best;
}

const MultiplierTable* Game::multipliers_for(int lines) const {
    for (const MultiplierTable& table : multipliers_) {
        if (table.lines == lines) {
            return &table;
        }
    }
    return nullptr;
}

void Game::set_multiplier_tables(std::vector<MultiplierTable> tables) {
    for (const MultiplierTable& table : tables) {
        if (table.earned.size() != rows_.size() || table.earned.back() != 1 || table.lines < 1 ||
            table.lines > kMostUltimateXLines) {
            throw std::invalid_argument("a multiplier table that does not fit the game");
        }
        for (const int m : table.earned) {
            if (m < 1 || m > kMostMultiplier) {
                throw std::invalid_argument("a multiplier out of range");
            }
        }
    }
    std::sort(tables.begin(), tables.end(),
              [](const MultiplierTable& a, const MultiplierTable& b) { return a.lines < b.lines; });
    multipliers_ = std::move(tables);
}

}  // namespace quillon::odds
