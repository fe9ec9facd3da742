#include "odds/games/pay_changes.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "base/text_file.h"

namespace quillon::odds {

namespace {

// The file's short words for the rows of its labels.
struct ShortWord {
    std::string_view word;
    std::string_view label;
};
constexpr std::array<ShortWord, 12> kShortWords = {{
    {"royal", "royal flush"},
    {"royal", "natural royal"},
    {"wild-royal", "wild royal"},
    {"five", "five of a kind"},
    {"straight-flush", "straight flush"},
    {"four", "four of a kind"},
    {"full-house", "full house"},
    {"flush", "flush"},
    {"straight", "straight"},
    {"three", "three of a kind"},
    {"two-pair", "two pair"},
    {"pair", ""},
}};

// Lower case, with spaces and underscores as hyphens.
std::string folded(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == ' ' || c == '_') {
            out += '-';
        } else if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c - 'A' + 'a');
        } else {
            out += c;
        }
    }
    return out;
}

std::string name_of(const Game& game, std::size_t row) {
    const std::string& label = game.rows()[row].label;
    for (const ShortWord& w : kShortWords) {
        if (label == w.label || (w.word == "pair" && label.ends_with(" or better"))) {
            return std::string(w.word);
        }
    }
    return folded(label);
}

}  // namespace

PayChange parse_pay_change(std::string_view text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos || equals == 0 || equals + 1 == text.size()) {
        throw PayChangeError("takes HAND=AMOUNT (royal=1200), not " + echoed(text));
    }
    return {std::string(text.substr(0, equals)), std::string(text.substr(equals + 1))};
}

std::vector<std::string> pay_line_names(const Game& game) {
    std::vector<std::string> names;
    for (std::size_t row = 0; row + 1 < game.row_count(); ++row) {
        names.push_back(name_of(game, row));
    }
    return names;
}

std::size_t pay_row_named(const Game& game, std::string_view line) {
    const std::string wanted = folded(line);
    const std::vector<std::string> names = pay_line_names(game);
    for (std::size_t row = 0; row < names.size(); ++row) {
        if (names[row] == wanted || folded(game.rows()[row].label) == wanted) {
            return row;
        }
    }
    std::string list;
    for (const std::string& name : names) {
        list += (list.empty() ? "" : ", ") + name;
    }
    throw PayChangeError(game.name() + " has no line " + echoed(line) + " (its lines: " + list +
                         ")");
}

Game with_pay(const Game& game, std::size_t row, Decimal per_coin) {
    const std::int64_t ten = power_of_ten(per_coin.places);
    std::int64_t scale = game.pay_scale() * ten;
    std::vector<std::int64_t> pays;
    for (std::size_t r = 0; r + 1 < game.row_count(); ++r) {
        pays.push_back(r == row ? per_coin.digits * game.pay_scale() : game.pay(r) * ten);
    }
    std::int64_t unit = scale;
    for (const std::int64_t pay : pays) {
        unit = std::gcd(unit, pay);
    }
    scale /= unit;
    std::vector<PayRow> rows(game.rows().begin(), game.rows().end() - 1);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        rows[r].pay = pays[r] / unit;
        if (rows[r].pay > Game::kMaxPay) {
            throw PayChangeError(
                "pays this large or this finely divided cannot be counted exactly");
        }
    }
    Game changed(game.name(), game.wild(), std::move(rows), scale);
    // A meter changes what a line pays, not the multipliers a line earns.
    changed.set_multiplier_tables(game.multiplier_tables());
    return changed;
}

Game with_pays(const Game& game, std::span<const PayChange> changes) {
    Game out = game;
    for (const PayChange& change : changes) {
        const std::size_t row = pay_row_named(out, change.line);
        const DecimalParse amount = parse_decimal(change.per_coin);
        switch (amount.fault) {
            case DecimalFault::none:
                break;
            case DecimalFault::negative:
                throw PayChangeError("a negative pay " + echoed(change.per_coin));
            case DecimalFault::too_fine:
                throw PayChangeError("the pay " + echoed(change.per_coin) +
                                     " is too large or too finely divided");
            case DecimalFault::not_a_pay:
                throw PayChangeError(echoed(change.per_coin) + " is not a pay");
        }
        out = with_pay(out, row, amount.value);
    }
    return out;
}

}  // namespace quillon::odds
