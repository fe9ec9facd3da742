#pragma once

#include <array>
#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "odds/cli/odds_cli.h"
#include "odds/games/pay_table.h"
#include "odds/play/hold_analysis.h"
#include "odds/play/tallies.h"

namespace quillon::odds {

// A path in the temporary folder that no other test process uses at the same time: ctest runs
// the cases of one program as processes side by side, so the name carries the process id.
inline std::filesystem::path unique_temp_path(const std::string& stem,
                                              const std::string& extension) {
    static std::atomic<int> made{0};
    return std::filesystem::temp_directory_path() /
           (stem + std::to_string(::getpid()) + "-" + std::to_string(made++) + extension);
}

// One run of quillon-odds as the shell would see it.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline CliRun run(const std::vector<std::string_view>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = run_odds_cli(args, out, err);
    return {status, out.str(), err.str()};
}

// "s1 s13 joker h2 d7" as five cards.
inline std::array<CardId, 5> parse_deal(const std::string& text) {
    std::array<CardId, 5> cards{};
    std::istringstream in(text);
    for (CardId& c : cards) {
        std::string word;
        in >> word;
        c = CardId::parse(word).value();
    }
    return cards;
}

// The cards a hold keeps, in the deal's order ("s1 s13"); "(draw five)" where it keeps none.
inline std::string held_cards(const std::array<CardId, 5>& deal, HoldMask mask) {
    std::string held;
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask >> i & 1u) != 0) {
            held += (held.empty() ? "" : " ") + deal[i].text();
        }
    }
    return held.empty() ? "(draw five)" : held;
}

// Tallies take a moment to build, so each built-in game's are built once, when first asked for.
inline const Tallies& shared_tallies(const std::string& game) {
    static std::mutex lock;
    static std::map<std::string, std::unique_ptr<const Tallies>> built;
    const std::scoped_lock hold(lock);
    std::unique_ptr<const Tallies>& tallies = built[game];
    if (!tallies) {
        std::optional<Game> found = find_game(game);
        if (!found) {
            throw std::invalid_argument("no built-in game " + game);
        }
        tallies = std::make_unique<const Tallies>(std::move(*found));
    }
    return *tallies;
}

}  // namespace quillon::odds
