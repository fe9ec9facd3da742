#include "odds/pay_table.h"

#include <stdexcept>
#include <utility>

namespace quillon::odds {

namespace {

using HC = HandClass;

constexpr std::string_view kQuillon = "quillon";
constexpr std::string_view kJacks = "jacks-or-better-9-6";
constexpr std::string_view kJokerKings = "joker-kings-20-7-5";

PayRow machine_row(HandName name, std::int64_t pay, std::vector<HandClass> classes) {
    return PayRow{std::string(hand_name_text(name)), pay, std::move(classes), name};
}

PayRow row(std::string_view label, std::int64_t pay, std::vector<HandClass> classes) {
    return PayRow{std::string(label), pay, std::move(classes), std::nullopt};
}

}  // namespace

Game::Game(std::string name, bool joker, std::vector<PayRow> paying)
    : name_(std::move(name)), joker_(joker), rows_(std::move(paying)) {
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
    rows_.push_back(PayRow{"nothing", 0, std::move(rest), HandName::none});
    if (rows_.size() > kMaxRows) {
        throw std::invalid_argument("too many pay rows");
    }
}

Game quillon_game_table() {
    return Game(std::string(kQuillon), true,
                {
                    machine_row(HandName::royal, 1000, {HC::natural_royal, HC::wild_royal}),
                    machine_row(HandName::five, 500, {HC::five}),
                    machine_row(HandName::stfl, 100, {HC::straight_flush}),
                    machine_row(HandName::four, 20, {HC::four}),
                    machine_row(HandName::full, 8, {HC::full_house}),
                    machine_row(HandName::flush, 5, {HC::flush}),
                    machine_row(HandName::straight, 4, {HC::straight}),
                    machine_row(HandName::three, 3, {HC::three}),
                    machine_row(HandName::two, 2, {HC::two_pair}),
                });
}

Game jacks_or_better_9_6() {
    return Game(
        std::string(kJacks), false,
        {
            row("royal flush", 800, {HC::natural_royal}),
            row("straight flush", 50, {HC::straight_flush}),
            row("four of a kind", 25, {HC::four}),
            row("full house", 9, {HC::full_house}),
            row("flush", 6, {HC::flush}),
            row("straight", 4, {HC::straight}),
            row("three of a kind", 3, {HC::three}),
            row("two pair", 2, {HC::two_pair}),
            row("jacks or better", 1, {HC::pair_jack, HC::pair_queen, HC::pair_king, HC::pair_ace}),
        });
}

Game joker_kings_20_7_5() {
    return Game(std::string(kJokerKings), true,
                {
                    row("natural royal", 800, {HC::natural_royal}),
                    row("five of a kind", 200, {HC::five}),
                    row("joker royal", 100, {HC::wild_royal}),
                    row("straight flush", 50, {HC::straight_flush}),
                    row("four of a kind", 20, {HC::four}),
                    row("full house", 7, {HC::full_house}),
                    row("flush", 5, {HC::flush}),
                    row("straight", 3, {HC::straight}),
                    row("three of a kind", 2, {HC::three}),
                    row("two pair", 1, {HC::two_pair}),
                    row("kings or better", 1, {HC::pair_king, HC::pair_ace}),
                });
}

std::optional<Game> find_game(std::string_view name) {
    if (name == kQuillon) {
        return quillon_game_table();
    }
    if (name == kJacks) {
        return jacks_or_better_9_6();
    }
    if (name == kJokerKings) {
        return joker_kings_20_7_5();
    }
    return std::nullopt;
}

std::vector<std::string_view> game_names() {
    return {kQuillon, kJacks, kJokerKings};
}

}  // namespace quillon::odds
