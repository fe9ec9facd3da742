#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "odds/games/hand_class.h"
#include "odds/games/multiplier_table.h"

namespace quillon::odds {

// One paying hand of a pay table: the engine classes it takes in and what it pays, in the
// game's pay units (see Game::pay_scale).
struct PayRow {
    std::string label;
    std::int64_t pay = 0;
    std::vector<HandClass> classes;

    bool operator==(const PayRow&) const = default;
};

// A video poker game as data: the deck, its wild cards and the paying hands. Every class no row
// takes in falls into a last row, "nothing", which the game appends itself. A hand with wild
// cards is paid as the best row it can be read as.
class Game {
  public:
    // Room for fifteen paying hands and nothing; the tallies are this wide.
    static constexpr std::size_t kMaxRows = 16;
    // Pays up to this keep every exact total within 64 bits.
    static constexpr std::int64_t kMaxPay = 100'000;

    // `pay_scale` pay units make one coin per coin bet.
    Game(std::string name, Wild wild, std::vector<PayRow> paying, std::int64_t pay_scale = 1);

    const std::string& name() const { return name_; }
    Wild wild() const { return wild_; }
    int jokers() const { return joker_count(wild_); }
    bool has_joker() const { return jokers() > 0; }
    bool deuces_wild() const { return odds::deuces_wild(wild_); }
    int deck_size() const { return 52 + jokers(); }
    // The paying rows and then "nothing".
    const std::vector<PayRow>& rows() const { return rows_; }
    std::size_t row_count() const { return rows_.size(); }
    std::size_t row_of(HandClass hand) const { return row_of_[static_cast<std::size_t>(hand)]; }
    std::int64_t pay(std::size_t row) const { return rows_[row].pay; }
    std::int64_t pay_of(HandClass hand) const { return pay(row_of(hand)); }
    std::int64_t pay_scale() const { return pay_scale_; }

    // Of several readings of one hand, the one that pays most; among equal pays the higher class.
    HandClass best_reading(const ClassSet& classes) const;

    // The Ultimate X multipliers the game is played with, one table per line count, by rising
    // line count; none where the game has no Ultimate X.
    const std::vector<MultiplierTable>& multiplier_tables() const { return multipliers_; }
    const MultiplierTable* multipliers_for(int lines) const;
    void set_multiplier_tables(std::vector<MultiplierTable> tables);

    bool operator==(const Game&) const = default;

  private:
    std::string name_;
    Wild wild_;
    std::vector<PayRow> rows_;
    std::int64_t pay_scale_;
    std::array<std::size_t, kHandClassCount> row_of_{};
    std::vector<MultiplierTable> multipliers_;
};

// The built-in games, read from the pay-table files built into the program, for a bet of `coins`
// (0: the full bet). Their names are the files' stems: "quillon" (this machine),
// "jacks-or-better-9-6", "joker-kings-20-7-5", "deuces-wild-full-pay", ...
std::optional<Game> find_game(std::string_view name, int coins = 0);
std::vector<std::string_view> game_names();
Game quillon_game_table();
Game jacks_or_better_9_6();

}  // namespace quillon::odds
