#pragma once

// A card kept alone, or beside the joker alone, in a joker game where no pair pays (the least
// paying hand two pair or better). Every card is a straight draw there, and which one to keep, or
// none, turns on the discards beside it:
// - a lone card says whether a discard shares its suit, "nine alone, flush penalty", as a flush
//   is then harder to make;
// - a lone card, with its flush penalty, may also say how many of the straights through it are
//   clear, those that need none of the ranks thrown away beside it (another card of its own rank
//   takes nothing from it): "queen alone, no flush penalty, 2 straights clear". A spot card lies
//   in up to five straights, and a nine beside a discarded ten keeps only 5-9;
// - a lone card may say as many clear straights or more, whatever its penalty, "queen alone, 2
//   or more straights clear", where that count is not the most the card can have;
// - one card alone, whatever its rank, with three clear straights or more may say its penalty
//   and that count, or the count alone: "one card alone, no flush penalty, 3 straights clear";
// - a card kept beside the joker may say its clear straights too: "joker + ace, no straight
//   clear" beside a discarded king and five.
namespace quillon::odds::lone_cards {

// The straights through `rank` that need none of the ranks in `gone` (a rank mask; the rank's
// own bit is ignored). The ace makes the lowest straight and the highest.
int clear_count(int rank, unsigned gone);

}  // namespace quillon::odds::lone_cards
