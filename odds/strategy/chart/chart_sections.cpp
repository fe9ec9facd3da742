#include "odds/strategy/chart/chart_sections.h"

#include <array>
#include <stdexcept>

namespace quillon::odds {

namespace {

constexpr std::array<std::string_view, 6> kCounts = {"no", "one", "two", "three", "four", "five"};

// The words of a heading's wild cards: deuces, jokers, or wild cards where the game has both.
enum class Noun { deuce, joker, wild_card };

std::string noun_text(Noun noun, bool plural) {
    switch (noun) {
        case Noun::deuce:
            return plural ? "deuces" : "deuce";
        case Noun::joker:
            return plural ? "jokers" : "joker";
        case Noun::wild_card:
            return plural ? "wild cards" : "wild card";
    }
    return "";
}

Noun game_noun(const Game& game) {
    if (game.deuces_wild() && game.has_joker()) {
        return Noun::wild_card;
    }
    return game.deuces_wild() ? Noun::deuce : Noun::joker;
}

// Whether the game's deck has the wild cards a heading names. "Wild cards" are those of any
// game with wild cards; where the deck has deuces and the joker, a heading of either alone
// would count only some of the wild cards dealt.
bool names_the_wild_cards(Noun noun, const Game& game) {
    switch (noun) {
        case Noun::deuce:
            return game.deuces_wild() && !game.has_joker();
        case Noun::joker:
            return game.has_joker() && !game.deuces_wild();
        case Noun::wild_card:
            return true;
    }
    return false;
}

}  // namespace

int wild_cards_in_deck(const Game& game) {
    return (game.deuces_wild() ? 4 : 0) + game.jokers();
}

std::string section_text(int wild, const Game& game) {
    const Noun noun = game_noun(game);
    const bool plural = wild >= 2 || (wild == 0 && noun != Noun::joker);
    return std::string(kCounts.at(static_cast<std::size_t>(wild))) + " " + noun_text(noun, plural);
}

std::string section_heading_text(int wild, const Game& game) {
    std::string heading = section_text(wild, game);
    heading.front() = static_cast<char>(heading.front() - 'a' + 'A');
    return heading + ":";
}

std::optional<SectionHeading> section_heading(std::string_view line, const Game& game) {
    for (int wild = 0; wild < static_cast<int>(kCounts.size()); ++wild) {
        for (const Noun noun : {Noun::deuce, Noun::joker, Noun::wild_card}) {
            for (const bool plural : {true, false}) {
                const std::string heading = std::string(kCounts[static_cast<std::size_t>(wild)]) +
                                            " " + noun_text(noun, plural);
                if (!line.starts_with(heading)) {
                    continue;
                }
                std::string_view rest = line.substr(heading.size());
                if (!rest.empty() && rest.front() != ':') {
                    continue;
                }
                rest.remove_prefix(rest.empty() ? 0 : 1);
                rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
                if (wild_cards_in_deck(game) == 0) {
                    throw std::invalid_argument("'" + heading +
                                                "' heads a section by wild cards, but " +
                                                game.name() + " has none");
                }
                if (!names_the_wild_cards(noun, game)) {
                    const bool deuce = noun == Noun::deuce;
                    if (deuce ? game.deuces_wild() : game.has_joker()) {
                        throw std::invalid_argument(
                            "'" + heading + "' heads a section, but the wild cards of " +
                            game.name() + " are deuces and the joker: say '" +
                            section_text(wild, game) + "'");
                    }
                    throw std::invalid_argument("'" + heading + "' heads a section, but the " +
                                                std::string(deuce ? "deuce" : "joker") +
                                                " is not wild in " + game.name());
                }
                if (wild > wild_cards_in_deck(game)) {
                    throw std::invalid_argument("'" + heading +
                                                "' heads a section, but the deck has " +
                                                section_text(wild_cards_in_deck(game), game));
                }
                return SectionHeading{wild, rest};
            }
        }
    }
    return std::nullopt;
}

}  // namespace quillon::odds
