#include "odds/strategy/chart/chart_phrases.h"

#include <algorithm>
#include <array>
#include <bit>

#include "base/ranks.h"

namespace quillon::odds {

namespace {

// The rank of a symbol as the words write it in lower case ("10", "j", "a"), or -1.
int rank_of(std::string_view symbol) {
    for (int r = 0; r < kRankCount; ++r) {
        std::string lower(kRankSymbols[static_cast<std::size_t>(r)]);
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](char c) { return static_cast<char>(c | 0x20); });
        if (symbol == lower) {
            return r;
        }
    }
    return -1;
}

// "10-j-q" as a set of ranks, or 0 where a symbol is no rank or a rank is named twice.
unsigned ranks_of(std::string_view item) {
    unsigned ranks = 0;
    int count = 0;
    while (!item.empty()) {
        const std::size_t dash = std::min(item.find('-'), item.size());
        const int r = rank_of(item.substr(0, dash));
        if (r < 0) {
            return 0;
        }
        ranks |= 1u << r;
        ++count;
        item.remove_prefix(std::min(dash + 1, item.size()));
    }
    return std::popcount(ranks) == count ? ranks : 0u;
}

// "10-J-Q": the program's way, lowest first and the ace high.
std::string ranks_text(unsigned ranks) {
    std::string out;
    for (int r = 0; r < kRankCount; ++r) {
        if ((ranks >> r & 1u) != 0) {
            out +=
                (out.empty() ? "" : "-") + std::string(kRankSymbols[static_cast<std::size_t>(r)]);
        }
    }
    return out;
}

int straights_through(unsigned ranks) {
    int n = 0;
    for (const unsigned s : kStraightMasks) {
        n += (s & ranks) == ranks ? 1 : 0;
    }
    return n;
}

// The tie rule's order of named cards: the most straights first, then the higher cards.
void tie_rule_order(std::vector<unsigned>& sets) {
    const auto higher = [](unsigned a, unsigned b) {
        for (int r = kRankCount - 1; r >= 0; --r) {
            const bool in_a = (a >> r & 1u) != 0;
            if (in_a != ((b >> r & 1u) != 0)) {
                return in_a;
            }
        }
        return false;
    };
    std::stable_sort(sets.begin(), sets.end(), [&](unsigned a, unsigned b) {
        const int sa = straights_through(a);
        const int sb = straights_through(b);
        return sa != sb ? sa > sb : higher(a, b);
    });
}

std::optional<Phrase> named_parts(std::string_view prefix, const std::vector<unsigned>& listed,
                                  const KnownWords& known) {
    std::vector<unsigned> sets = listed;
    tie_rule_order(sets);
    Phrase phrase;
    for (const unsigned ranks : sets) {
        std::string part = std::string(prefix) + ranks_text(ranks);
        if (!known(part)) {
            return std::nullopt;
        }
        phrase.parts.push_back(std::move(part));
    }
    return phrase;
}

// "suited 10-J, 10-Q or 10-K": named cards of one kind, listed.
std::optional<Phrase> named_list(std::string_view words, const KnownWords& known) {
    std::string_view prefix;
    for (const std::string_view p : {"suited ", "unsuited "}) {
        if (words.starts_with(p)) {
            prefix = p;
        }
    }
    const std::size_t last_or = words.rfind(" or ");
    if (prefix.empty() || last_or == std::string_view::npos) {
        return std::nullopt;
    }
    std::vector<std::string_view> items;
    std::string_view head = words.substr(prefix.size(), last_or - prefix.size());
    while (!head.empty()) {
        const std::size_t comma = std::min(head.find(", "), head.size());
        items.push_back(head.substr(0, comma));
        head.remove_prefix(std::min(comma + 2, head.size()));
    }
    items.push_back(words.substr(last_or + 4));
    std::vector<unsigned> sets;
    for (const std::string_view item : items) {
        const unsigned ranks = ranks_of(item);
        if (ranks == 0 || std::find(sets.begin(), sets.end(), ranks) != sets.end()) {
            return std::nullopt;
        }
        sets.push_back(ranks);
    }
    const std::string prefix_text = prefix == "suited " ? "suited " : "unsuited ";
    return named_parts(prefix_text, sets, known);
}

// "2 to a royal flush, 1 high card, no ace": the named suited cards it stands for, where the
// program does not say the ace of a draw of that many high cards.
std::optional<Phrase> royal_by_ace(std::string_view words, const RankProfile& profile,
                                   const KnownWords& known) {
    if (!profile.pairs_pay || profile.wild_cards) {
        return std::nullopt;
    }
    for (const int cards : {2, 3}) {
        const std::string start = std::to_string(cards) + " to a royal flush, ";
        if (!words.starts_with(start)) {
            continue;
        }
        std::string_view rest = words.substr(start.size());
        for (int high = 0; high <= cards; ++high) {
            const std::string count = high == 0   ? "no high card, "
                                      : high == 1 ? "1 high card, "
                                                  : std::to_string(high) + " high cards, ";
            if (!rest.starts_with(count)) {
                continue;
            }
            const std::string_view ace = rest.substr(count.size());
            if (ace != "no ace" && ace != "with the ace") {
                return std::nullopt;
            }
            std::vector<unsigned> sets;
            for (unsigned ranks = 0; ranks < (1u << kRankCount); ++ranks) {
                const unsigned royal = ranks >> kTen << kTen;
                if (royal != ranks || std::popcount(ranks) != cards ||
                    ((ranks >> kAce & 1u) != 0) != (ace == "with the ace")) {
                    continue;
                }
                int n = 0;
                for (int r = kTen; r < kRankCount; ++r) {
                    n += (ranks >> r & 1u) != 0 && profile.high[static_cast<std::size_t>(r)];
                }
                if (n == high) {
                    sets.push_back(ranks);
                }
            }
            return sets.empty() ? std::nullopt : named_parts("suited ", sets, known);
        }
    }
    return std::nullopt;
}

// "any pat paying hand": every made hand that needs all five cards, kept whole.
std::optional<Phrase> pat_hands(const KnownWords& known) {
    Phrase phrase;
    for (const char* hand : {"royal flush", "natural royal", "wild royal", "five of a kind",
                             "straight flush", "full house", "flush", "straight"}) {
        if (known(hand)) {
            phrase.parts.emplace_back(hand);
        }
    }
    return phrase.parts.empty() ? std::nullopt : std::optional<Phrase>(std::move(phrase));
}

// The deuces-wild draws of four natural cards that published charts name without the words
// the program adds. In deuces wild 3-4-5-6 waits for a seven alone (a two is a deuce), so it is
// not an outside straight and the published words leave it out already.
std::optional<Phrase> deuces_draws(std::string_view words, const KnownWords& known) {
    const std::string outside_mixed = "4 to an outside straight, not 3-4-5-6, mixed suits";
    const std::vector<std::string> straight_flush = {
        "4 to a straight flush, not a royal, no gaps, not 3-4-5-6",
        "4 to a straight flush, not a royal, 1 gap, not A-3-4-5",
        "4 to a straight flush, not a royal, no gaps, 3-4-5-6",
        "4 to a straight flush, not a royal, 1 gap, A-3-4-5"};
    Phrase phrase;
    if (words == "4 to an outside straight, mixed suits") {
        phrase.parts = {outside_mixed};
    } else if (words == "4 to an outside straight") {
        // Suited 10-J-Q-K is a royal draw and an outside straight: a line above must take it.
        phrase.parts = {straight_flush.front(), outside_mixed};
        phrase.above = {"4 to a royal flush"};
    } else if (words == "4 to a flush") {
        phrase.parts = straight_flush;
        phrase.parts.emplace_back("4 to a flush, no straight in it");
        phrase.above = {"4 to a royal flush"};
    } else {
        return std::nullopt;
    }
    for (const std::vector<std::string>* list : {&phrase.parts, &phrase.above}) {
        for (const std::string& w : *list) {
            if (!known(w)) {
                return std::nullopt;
            }
        }
    }
    return phrase;
}

}  // namespace

std::optional<Phrase> published_phrase(std::string_view words, const Game& game,
                                       const RankProfile& profile, const KnownWords& known) {
    if (words == "any pat paying hand") {
        return pat_hands(known);
    }
    if (game.deuces_wild()) {
        if (auto phrase = deuces_draws(words, known)) {
            return phrase;
        }
    }
    if (auto phrase = named_list(words, known)) {
        return phrase;
    }
    return royal_by_ace(words, profile, known);
}

}  // namespace quillon::odds
