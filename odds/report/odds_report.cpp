#include "odds/report/odds_report.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "odds/report/columns.h"
#include "odds/report/figures.h"

namespace quillon::odds {

namespace {

std::size_t column_width(const PayRow& row) {
    return std::max<std::size_t>(row.label.size(), 9) + 2;
}

}  // namespace

std::string held_cards(const std::array<CardId, 5>& deal, HoldMask mask) {
    std::string text;
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask >> i & 1u) != 0) {
            text += text.empty() ? "" : " ";
            text += deal[i].text();
        }
    }
    return text.empty() ? "(draw five)" : text;
}

std::string hold_exact(const HoldOutcome& hold) {
    return fraction(static_cast<Wide>(hold.pay_total),
                    static_cast<Wide>(hold.draws) * static_cast<Wide>(hold.pay_scale));
}

double given_up(const HoldOutcome& best, const HoldOutcome& hold) {
    return best.expected_return() - hold.expected_return();
}

std::string given_up_exact(const HoldOutcome& best, const HoldOutcome& hold) {
    // best.pay / best.draws - hold.pay / hold.draws, over the common scale; never negative.
    const Wide numerator = static_cast<Wide>(best.pay_total) * static_cast<Wide>(hold.draws) -
                           static_cast<Wide>(hold.pay_total) * static_cast<Wide>(best.draws);
    const Wide denominator = static_cast<Wide>(best.draws) * static_cast<Wide>(hold.draws) *
                             static_cast<Wide>(best.pay_scale);
    return fraction(numerator, denominator);
}

std::string return_exact(const GameReturn& result) {
    return fraction(result.pay_total(),
                    static_cast<Wide>(result.total) * static_cast<Wide>(result.pay_scale));
}

std::string wild_text(Wild wild) {
    return std::string(wild_words(wild));
}

void print_holds(std::ostream& out, const Game& game, const std::array<CardId, 5>& deal,
                 const std::array<HoldOutcome, kHoldCount>& holds) {
    out << "game " << game.name() << ", deal";
    for (const CardId card : deal) {
        out << ' ' << card.text();
    }
    out << "\nthe 32 holds, best first: the expected return per coin, then the chance of each "
           "final hand\nties: "
        << kTieRuleText << "\n\n";
    constexpr std::size_t kHoldWidth = 22;
    out << pad_right("hold", kHoldWidth) << pad_left("return", 12);
    for (const PayRow& row : game.rows()) {
        out << pad_left(row.label, column_width(row));
    }
    out << "  exact\n";
    for (const HoldOutcome& hold : holds_best_first(holds, deal)) {
        out << pad_right(held_cards(deal, hold.mask), kHoldWidth)
            << pad_left(fixed(hold.expected_return(), 6), 12);
        for (std::size_t r = 0; r < game.row_count(); ++r) {
            const double chance =
                100.0 * static_cast<double>(hold.counts[r]) / static_cast<double>(hold.draws);
            out << pad_left(fixed(chance, 4) + "%", column_width(game.rows()[r]));
        }
        out << "  " << hold_exact(hold) << "\n";
    }
}

void print_hold_check(std::ostream& out, const Game& game, const std::array<CardId, 5>& deal,
                      const std::array<HoldOutcome, kHoldCount>& holds, HoldMask hold) {
    const HoldOutcome best = holds_best_first(holds, deal).front();
    const HoldOutcome& mine = holds[hold];
    out << "game " << game.name() << ", deal";
    for (const CardId card : deal) {
        out << ' ' << card.text();
    }
    out << "\n\n";
    const auto line = [&](std::string_view what, const HoldOutcome& h) {
        out << pad_right(std::string(what), 16) << pad_right(held_cards(deal, h.mask), 22)
            << fixed(h.expected_return(), 6) << " per coin  (exactly " << hold_exact(h) << ")\n";
    };
    line("your hold", mine);
    line("the best hold", best);
    out << pad_right("you give up", 38) << fixed(given_up(best, mine), 6) << " per coin  (exactly "
        << given_up_exact(best, mine) << ")\n";
}

void print_game_return(std::ostream& out, const Game& game, const GameReturn& result) {
    out << "game " << game.name() << " (" << game.deck_size() << " cards, wild "
        << wild_text(game.wild()) << "), every deal played with its best hold\n"
        << "ties: " << kTieRuleText << "\n"
        << result.deals << " deals; each deal's draws weighted to " << result.weight_per_deal
        << ", " << result.total << " final hands in all\n\n";
    std::size_t label_width = 12;
    for (const PayRow& row : game.rows()) {
        label_width = std::max(label_width, row.label.size() + 2);
    }
    const auto scale = static_cast<double>(result.pay_scale);
    out << pad_right("final hand", label_width) << pad_left("pays", 8) << pad_left("count", 20)
        << pad_left("probability", 16) << pad_left("return", 12) << "\n";
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        const double share = static_cast<double>(result.counts[r]) *
                             static_cast<double>(result.pays[r]) /
                             (static_cast<double>(result.total) * scale);
        out << pad_right(game.rows()[r].label, label_width)
            << pad_left(pay_text(result.pays[r], result.pay_scale), 8)
            << pad_left(std::to_string(result.counts[r]), 20)
            << pad_left(fixed(result.probability(r), 12), 16) << pad_left(fixed(share, 6), 12)
            << "\n";
    }
    out << pad_right("total", label_width) << pad_left("", 8)
        << pad_left(std::to_string(result.total), 20) << pad_left(fixed(1.0, 12), 16)
        << pad_left(fixed(result.return_rate(), 6), 12) << "\n\n";
    out << "return              " << fixed(100.0 * result.return_rate(), 6) << "%  (exactly "
        << return_exact(result) << ")\n";
    out << "hit frequency       " << fixed(100.0 * result.hit_frequency(), 6) << "%\n";
    out << "standard deviation  " << fixed(result.standard_deviation(), 6)
        << " coins per coin bet\n";
}

void print_games(std::ostream& out, const std::vector<GameSummary>& games) {
    std::size_t wild_width = 8;
    for (const GameSummary& g : games) {
        wild_width = std::max(wild_width, wild_text(g.game.wild()).size() + 2);
    }
    out << "the built-in games, each played with the best hold of every deal\n\n"
        << pad_right("name", 26) << pad_right("wild", wild_width) << pad_left("return", 12)
        << "  title\n";
    for (const GameSummary& g : games) {
        out << pad_right(std::string(g.name), 26) << pad_right(wild_text(g.game.wild()), wild_width)
            << pad_left(fixed(100.0 * g.result.return_rate(), 4) + "%", 12) << "  " << g.game.name()
            << "\n";
    }
}

void print_double_up(std::ostream& out, const DoubleUpOdds& odds) {
    const auto n = static_cast<std::uint64_t>(odds.pairs);
    const auto line = [&](std::string_view what, std::int64_t count) {
        out << pad_right(std::string(what), 6) << pad_left(std::to_string(count), 6) << " of " << n
            << "  = " << pad_left(fraction(static_cast<std::uint64_t>(count), n), 8) << "  "
            << fixed(100.0 * static_cast<double>(count) / static_cast<double>(n), 6) << "%\n";
    };
    out << "one round of the double-up: a fresh 53-card deck, the dealer's card against the "
           "picked one\n(joker 15, ace 14, king 13 ... 2; a dealt joker loses at once)\n\n";
    line("win", odds.wins);
    line("tie", odds.ties);
    line("loss", odds.losses);
    const auto decided = static_cast<std::uint64_t>(odds.wins + odds.losses);
    out << "\nDOUBLE, one round (a tie keeps the stake):  " << fixed(odds.double_value(), 6)
        << " per coin staked  (exactly "
        << fraction(static_cast<std::uint64_t>(2 * odds.wins + odds.ties), n) << ")\n";
    out << "DOUBLE until decided (ties played again):   " << fixed(odds.double_until_decided(), 6)
        << " per coin staked  (exactly "
        << fraction(static_cast<std::uint64_t>(2 * odds.wins), decided) << ")\n";
    out << "HALF (the larger half paid, the rest doubled once), per coin staked:\n";
    for (const std::int64_t stake : {1, 2, 3, 5, 10, 11}) {
        out << "  stake " << pad_left(std::to_string(stake), 3) << ":  "
            << fixed(odds.half_value(stake) / static_cast<double>(stake), 6) << "\n";
    }
}

double hold_deviation(const Game& game, const HoldOutcome& hold) {
    const auto draws = static_cast<double>(hold.draws);
    const auto scale = static_cast<double>(game.pay_scale());
    double squares = 0.0;
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        const double pay = static_cast<double>(game.pay(r)) / scale;
        squares += static_cast<double>(hold.counts[r]) / draws * pay * pay;
    }
    const double mean = hold.expected_return();
    return std::sqrt(std::max(0.0, squares - mean * mean));
}

void print_hold_rounds(std::ostream& out, const Game& game, const std::array<CardId, 5>& deal,
                       const std::vector<HoldOutcome>& shown, int play) {
    out << "\na round of " << play
        << " hands on this deal, each drawing apart from the held cards, in bets of one hand's "
           "bet:\n";
    for (const HoldOutcome& h : shown) {
        out << "  " << pad_right(held_cards(deal, h.mask), 22) << "returns "
            << fixed(play * h.expected_return(), 6) << " per round, standard deviation "
            << fixed(std::sqrt(static_cast<double>(play)) * hold_deviation(game, h), 6) << "\n";
    }
}

}  // namespace quillon::odds
