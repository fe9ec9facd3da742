#include "odds/report/odds_json.h"

#include <nlohmann/json.hpp>

#include "odds/report/figures.h"

namespace quillon::odds {

namespace {

using Json = nlohmann::ordered_json;

Json cards_json(const std::array<CardId, 5>& deal, HoldMask mask) {
    Json cards = Json::array();
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask >> i & 1u) != 0) {
            cards.push_back(deal[i].text());
        }
    }
    return cards;
}

Json hold_json(const Game& game, const std::array<CardId, 5>& deal, const HoldOutcome& hold) {
    Json finals = Json::array();
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        const auto count = static_cast<std::uint64_t>(hold.counts[r]);
        finals.push_back(
            {{"hand", game.rows()[r].label},
             {"count", count},
             {"probability", static_cast<double>(count) / static_cast<double>(hold.draws)},
             {"probability_exact", fraction(count, static_cast<std::uint64_t>(hold.draws))}});
    }
    return {{"hold", cards_json(deal, hold.mask)},
            {"return", hold.expected_return()},
            {"return_exact", hold_exact(hold)},
            {"draws", hold.draws},
            {"final_hands", std::move(finals)}};
}

Json pay_rows(const Game& game) {
    Json rows = Json::array();
    for (const PayRow& row : game.rows()) {
        rows.push_back(
            {{"hand", row.label},
             {"pays", static_cast<double>(row.pay) / static_cast<double>(game.pay_scale())},
             {"pays_exact", fraction(static_cast<std::uint64_t>(row.pay),
                                     static_cast<std::uint64_t>(game.pay_scale()))}});
    }
    return rows;
}

}  // namespace

Json holds_json(const Game& game, const std::array<CardId, 5>& deal,
                const std::array<HoldOutcome, kHoldCount>& holds, std::optional<HoldMask> hold) {
    const std::vector<HoldOutcome> ranked = holds_best_first(holds);
    Json all = Json::array();
    for (const HoldOutcome& h : ranked) {
        all.push_back(hold_json(game, deal, h));
    }
    Json dealt = Json::array();
    for (const CardId card : deal) {
        dealt.push_back(card.text());
    }
    Json out = {{"game", game.name()}, {"deal", std::move(dealt)}};
    out["best"] = hold_json(game, deal, ranked.front());
    if (hold) {
        const HoldOutcome& mine = holds[*hold];
        out["checked"] = hold_json(game, deal, mine);
        out["gives_up"] = given_up(ranked.front(), mine);
        out["gives_up_exact"] = given_up_exact(ranked.front(), mine);
    }
    out["holds"] = std::move(all);
    return out;
}

Json game_return_json(const Game& game, const GameReturn& result) {
    const auto scale = static_cast<Wide>(result.total) * static_cast<Wide>(result.pay_scale);
    Json finals = Json::array();
    std::uint64_t hits = 0;
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        const std::uint64_t count = result.counts[r];
        hits += result.pays[r] > 0 ? count : 0;
        const Wide share = static_cast<Wide>(count) * static_cast<Wide>(result.pays[r]);
        finals.push_back(
            {{"hand", game.rows()[r].label},
             {"pays", static_cast<double>(result.pays[r]) / static_cast<double>(result.pay_scale)},
             {"pays_exact",
              fraction(static_cast<Wide>(result.pays[r]), static_cast<Wide>(result.pay_scale))},
             {"count", count},
             {"probability", result.probability(r)},
             {"probability_exact", fraction(count, result.total)},
             {"return", static_cast<double>(share) / static_cast<double>(scale)},
             {"return_exact", fraction(share, scale)}});
    }
    return {{"game", game.name()},
            {"wild", wild_text(game.wild())},
            {"deck", game.deck_size()},
            {"return", result.return_rate()},
            {"return_exact", return_exact(result)},
            {"hit_frequency", result.hit_frequency()},
            {"hit_frequency_exact", fraction(hits, result.total)},
            {"standard_deviation", result.standard_deviation()},
            {"deals", result.deals},
            {"weight_per_deal", result.weight_per_deal},
            {"total", result.total},
            {"final_hands", std::move(finals)}};
}

namespace {

Json games_json(const std::vector<GameSummary>& games) {
    Json list = Json::array();
    for (const GameSummary& g : games) {
        list.push_back({{"name", g.name},
                        {"game", g.game.name()},
                        {"wild", wild_text(g.game.wild())},
                        {"return", g.result.return_rate()},
                        {"return_exact", return_exact(g.result)},
                        {"pay_table", pay_rows(g.game)}});
    }
    return {{"games", std::move(list)}};
}

Json double_up_json(const DoubleUpOdds& odds) {
    const auto n = static_cast<std::uint64_t>(odds.pairs);
    const auto share = [&](std::int64_t count) {
        return Json{{"count", count},
                    {"probability", static_cast<double>(count) / static_cast<double>(n)},
                    {"probability_exact", fraction(static_cast<std::uint64_t>(count), n)}};
    };
    Json half = Json::array();
    for (const std::int64_t stake : {1, 2, 3, 5, 10, 11}) {
        half.push_back(
            {{"stake", stake}, {"value", odds.half_value(stake) / static_cast<double>(stake)}});
    }
    return {{"pairs", n},
            {"win", share(odds.wins)},
            {"tie", share(odds.ties)},
            {"loss", share(odds.losses)},
            {"double", odds.double_value()},
            {"double_exact", fraction(static_cast<std::uint64_t>(2 * odds.wins + odds.ties), n)},
            {"double_until_decided", odds.double_until_decided()},
            {"double_until_decided_exact",
             fraction(static_cast<std::uint64_t>(2 * odds.wins),
                      static_cast<std::uint64_t>(odds.wins + odds.losses))},
            {"half", std::move(half)}};
}

}  // namespace

void print_games_json(std::ostream& out, const std::vector<GameSummary>& games) {
    out << games_json(games).dump(2) << "\n";
}

void print_double_up_json(std::ostream& out, const DoubleUpOdds& odds) {
    out << double_up_json(odds).dump(2) << "\n";
}

}  // namespace quillon::odds
