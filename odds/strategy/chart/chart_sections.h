#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "odds/games/pay_table.h"

// Sections of a chart by the number of wild cards dealt, as published deuces charts read: "four
// deuces", "three deuces", "two deuces", "one deuce", "no deuces" (with the joker: "one joker",
// "no joker"; "two wild cards" where the deck has deuces and the joker). A heading stands alone
// on its line, or before a colon and the section's first line ("one deuce: straight"). A deal
// plays the lines of its own section and the lines above the first heading, in the file's order.
namespace quillon::odds {

// A heading's count of wild cards and the words after its colon ("" where none).
struct SectionHeading {
    int wild = 0;
    std::string_view rest;
};

// The heading a line (lower case, single spaces) starts with, or nothing. Throws
// std::invalid_argument with the reason where the line is a heading the game cannot have: a
// game without wild cards, the other wild card, more wild cards than the deck has.
std::optional<SectionHeading> section_heading(std::string_view line, const Game& game);

// The heading of a section in the game's words: "two deuces", "no joker", "one wild card".
std::string section_text(int wild, const Game& game);

// The heading as a chart file writes it, as published charts do: "Two deuces:".
std::string section_heading_text(int wild, const Game& game);

// How many wild cards the game's deck has: its deuces and jokers, or none.
int wild_cards_in_deck(const Game& game);

}  // namespace quillon::odds
