#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "odds/games/game_file.h"

// Pay tables of every deck drawn at random from a seed, for tests that must hold for any valid
// table, not only the built-in ones.
namespace quillon::odds {

enum class Deck { plain, joker, deuces };

inline const char* deck_name(Deck deck) {
    return deck == Deck::plain ? "none" : deck == Deck::joker ? "joker" : "deuces";
}

// The text of a valid pay-table file of the deck: every hand word the deck can pay, each line
// kept or left out and paid at random, in an order a real table might use or not.
class RandomTables {
  public:
    RandomTables(Deck deck, std::uint32_t seed) : deck_(deck), random_(seed) {}

    // The next table the reader takes (tables it refuses, such as those that pay no hand at
    // all, are drawn again).
    std::string next() {
        for (;;) {
            std::string text = draw();
            try {
                parse_game(text, "random.game");
                return text;
            } catch (const GameFileError&) {
            }
        }
    }

  private:
    int pay(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }

    void line(std::string& text, const std::string& words, int low, int high, double keep = 0.9) {
        if (chance(keep)) {
            text += words + " " + std::to_string(pay(low, high)) + "\n";
        }
    }

    std::string draw() {
        std::string text = std::string("wild ") + deck_name(deck_) + "\n";
        line(text, "royal", 200, 1000, 1.0);
        if (deck_ == Deck::deuces) {
            line(text, "four-deuces", 100, 1000);
            line(text, "wild-royal", 10, 50);
            if (chance(0.3)) {
                line(text, "five 7-q", 10, 150);
            }
            line(text, "five", 5, 160);
        } else if (deck_ == Deck::joker) {
            line(text, "five", 50, 200);
            line(text, "wild-royal", 25, 100);
        }
        line(text, "straight-flush", 8, 100);
        if (deck_ == Deck::plain && chance(0.4)) {
            line(text, "four-aces", 80, 400);
            line(text, "four-2-4", 40, 160);
            text += "four " + std::to_string(pay(20, 50)) + "\n";
            if (chance(0.4)) {
                line(text, "four-aces-kicker", 160, 400);
                line(text, "four-2-4-kicker", 80, 160);
            }
        } else {
            line(text, "four", deck_ == Deck::plain ? 20 : 2, deck_ == Deck::plain ? 50 : 20, 1.0);
        }
        line(text, "full-house", deck_ == Deck::plain ? 5 : 2, 12);
        line(text, "flush", deck_ == Deck::plain ? 4 : 1, 9);
        line(text, "straight", deck_ == Deck::plain ? 3 : 1, 6);
        line(text, "three", 1, 4);
        line(text, "two-pair", 1, 3, deck_ == Deck::deuces ? 0.2 : 0.9);
        if (chance(deck_ == Deck::deuces ? 0.2 : 0.9)) {
            static constexpr const char* kLeast[] = {"tens", "jacks", "queens", "kings", "aces"};
            text += "pair 1 " + std::string(kLeast[pay(0, 4)]) + "\n";
        }
        return text;
    }

    Deck deck_;
    std::mt19937 random_;
};

}  // namespace quillon::odds
