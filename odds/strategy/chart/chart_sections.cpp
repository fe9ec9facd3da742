#include "odds/strategy/chart/chart_sections.h"

#include <array>
#include <stdexcept>

namespace quillon::odds {

namespace {

constexpr std::array<std::string_view, 5> kCounts = {"no", "one", "two", "three", "four"};

}  // namespace

int wild_cards_in_deck(const Game& game) {
    return game.deuces_wild() ? 4 : game.jokers();
}

std::string section_text(int wild, const Game& game) {
    const std::string noun = game.deuces_wild() ? "deuce" : "joker";
    const bool plural = wild >= 2 || (wild == 0 && game.deuces_wild());
    return std::string(kCounts.at(static_cast<std::size_t>(wild))) + " " + noun +
           (plural ? "s" : "");
}

std::optional<SectionHeading> section_heading(std::string_view line, const Game& game) {
    for (int wild = 0; wild < static_cast<int>(kCounts.size()); ++wild) {
        for (const std::string_view noun : {"deuce", "deuces", "joker", "jokers"}) {
            const std::string heading =
                std::string(kCounts[static_cast<std::size_t>(wild)]) + " " + std::string(noun);
            if (!line.starts_with(heading)) {
                continue;
            }
            std::string_view rest = line.substr(heading.size());
            if (!rest.empty() && rest.front() != ':') {
                continue;
            }
            rest.remove_prefix(rest.empty() ? 0 : 1);
            rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
            const bool deuces = noun.starts_with("deuce");
            const bool wild_kind = deuces ? game.deuces_wild() : game.has_joker();
            if (wild_cards_in_deck(game) == 0) {
                throw std::invalid_argument("'" + heading +
                                            "' heads a section by wild cards, but " + game.name() +
                                            " has none");
            }
            if (!wild_kind) {
                throw std::invalid_argument("'" + heading + "' heads a section, but the " +
                                            std::string(deuces ? "deuce" : "joker") +
                                            " is not wild in " + game.name());
            }
            if (wild > wild_cards_in_deck(game)) {
                throw std::invalid_argument("'" + heading + "' heads a section, but the deck has " +
                                            section_text(wild_cards_in_deck(game), game));
            }
            return SectionHeading{wild, rest};
        }
    }
    return std::nullopt;
}

}  // namespace quillon::odds
