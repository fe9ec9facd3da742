#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/hand_evaluation.h"
#include "odds/hand_class.h"

namespace quillon::odds {

// One paying hand of a pay table: the engine classes it takes in and what it pays per coin.
struct PayRow {
    std::string label;
    std::int64_t pay = 0;
    std::vector<HandClass> classes;
    // The machine's own name for the hand, where the table is the machine's.
    std::optional<HandName> machine_name;
};

// A video poker game as data: the deck and the paying hands, best first. Every class no row
// takes in falls into a last row, "nothing", which the game appends itself. A class is assumed
// to pay at least as much as any weaker class the same five cards could also be read as.
class Game {
  public:
    // Room for joker poker's eleven paying hands and nothing; the tallies are this wide.
    static constexpr std::size_t kMaxRows = 12;
    // Pays per coin up to this keep every exact total within 64 bits.
    static constexpr std::int64_t kMaxPay = 100'000;

    Game(std::string name, bool joker, std::vector<PayRow> paying);

    const std::string& name() const { return name_; }
    bool has_joker() const { return joker_; }
    int deck_size() const { return joker_ ? 53 : 52; }
    // The paying rows and then "nothing".
    const std::vector<PayRow>& rows() const { return rows_; }
    std::size_t row_count() const { return rows_.size(); }
    std::size_t row_of(HandClass hand) const { return row_of_[static_cast<std::size_t>(hand)]; }
    std::int64_t pay(std::size_t row) const { return rows_[row].pay; }

  private:
    std::string name_;
    bool joker_;
    std::vector<PayRow> rows_;
    std::array<std::size_t, kHandClassCount> row_of_{};
};

// The machine's own table, the default.
Game quillon_game_table();
Game jacks_or_better_9_6();
Game joker_kings_20_7_5();

// The built-in games by name: "quillon", "jacks-or-better-9-6", "joker-kings-20-7-5".
std::optional<Game> find_game(std::string_view name);
std::vector<std::string_view> game_names();

}  // namespace quillon::odds
