#include "odds/strategy/patterns/pattern_words.h"

#include <algorithm>
#include <bit>
#include <set>
#include <utility>

#include "base/ranks.h"
#include "odds/strategy/patterns/edge_words.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/words/distinction.h"

namespace quillon::odds {

using namespace pattern_key;

namespace {

// "2-4", "A-4", "A, 2 or 4": the kickers of a group, runs joined.
std::string kicker_text(unsigned ranks) {
    // Read from the ace played low: A, 2, 3, ..., K.
    std::vector<std::pair<int, int>> runs;
    for (int i = 0; i < kRankCount; ++i) {
        const int r = (i + kAce) % kRankCount;
        if ((ranks >> r & 1u) == 0) {
            continue;
        }
        if (!runs.empty() && runs.back().second == i - 1) {
            runs.back().second = i;
        } else {
            runs.emplace_back(i, i);
        }
    }
    const auto symbol = [](int i) {
        return std::string(kRankSymbols[static_cast<std::size_t>((i + kAce) % kRankCount)]);
    };
    std::string text;
    for (std::size_t n = 0; n < runs.size(); ++n) {
        text += n == 0 ? "" : n + 1 == runs.size() ? " or " : ", ";
        const auto [from, to] = runs[n];
        text += from == to ? symbol(from) : symbol(from) + "-" + symbol(to);
    }
    return text;
}

std::string wild_prefix(unsigned wild, const RankProfile& profile) {
    if (wild == 0) {
        return "";
    }
    return wild == 1 ? profile.wild_name + " + "
                     : std::to_string(wild) + " " + profile.wild_plural + " + ";
}

std::string named_text(PatternKey key, const RankProfile& profile) {
    const unsigned ranks = get(key, kRanks);
    const int k = std::popcount(ranks);
    const std::string prefix = wild_prefix(get(key, kWild), profile);
    if (k == 1) {
        const auto r = static_cast<std::size_t>(std::countr_zero(ranks));
        const std::string penalty = get(key, kPenalty) == 1   ? ", flush penalty"
                                    : get(key, kPenalty) == 2 ? ", no flush penalty"
                                                              : "";
        return prefix.empty() ? std::string(kRankWords[r]) + " alone" + penalty
                              : prefix + std::string(kRankWords[r]);
    }
    std::string text = prefix + (get(key, kSuited) != 0 ? "suited " : "unsuited ");
    bool first = true;
    for (std::size_t r = 0; r < kRankCount; ++r) {
        if ((ranks >> r & 1u) != 0) {
            text += first ? "" : "-";
            text += kRankSymbols[r];
            first = false;
        }
    }
    return text + std::string(penalty_text(key));
}

// The rank sets at the ace end the draw's words list, with those the distinctions add.
std::string edge_words(PatternKey key, const RankProfile& profile) {
    std::vector<unsigned> more;
    bool list_all = false;
    for (const Distinction* d : distinctions_for(profile, kEdgeSets)) {
        list_all = d->edge_sets(key, profile, more) || list_all;
    }
    return edge_text(key, profile, std::move(more), list_all);
}

// The name a distinction gives the draw in place of its family's words; empty where none does.
std::string draw_name(PatternKey key, const RankProfile& profile) {
    for (const Distinction* d : distinctions_for(profile, kDrawName)) {
        if (std::string name = d->draw_name(key, profile); !name.empty()) {
            return name;
        }
    }
    return {};
}

std::string draw_text(PatternKey key, const RankProfile& profile) {
    if (get(key, kNamed) != 0) {
        return named_text(key, profile);
    }
    const int wild = static_cast<int>(get(key, kWild));
    const int k = static_cast<int>(get(key, kHeld)) - wild;
    const Family family = family_of(key);
    const std::string prefix = wild_prefix(static_cast<unsigned>(wild), profile);
    const int gaps = static_cast<int>(get(key, kGaps));
    const bool any_gaps = get(key, kAnyGaps) != 0;
    std::string text;
    bool gaps_said = false;
    switch (family) {
        case Family::royal:
            text = std::to_string(k) + " to a royal flush";
            break;
        case Family::straight_flush:
            text = std::to_string(k) + " to a straight flush, not a royal";
            break;
        case Family::flush:
            text = std::to_string(k) + " to a flush, no straight in it";
            break;
        case Family::straight:
            if (const std::string name = k == 4 && wild == 0 ? draw_name(key, profile) : "";
                !name.empty()) {
                text = name;
                gaps_said = true;
            } else if (k == 4 && wild == 0 && !any_gaps) {
                text = gaps == 0 ? "4 to an outside straight" : "4 to an inside straight";
                gaps_said = true;
            } else {
                text = std::to_string(k) + " to a straight";
            }
            text += ", mixed suits";
            break;
        case Family::plain:
            if (k == 1) {
                const bool high = get(key, kHigh) != 0;
                const std::string name = draw_name(key, profile);
                text = !name.empty()                                   ? name
                       : get(key, kAnyHigh) != 0 || !profile.pairs_pay ? "one card"
                       : high                                          ? "a high card"
                                                                       : "a low card";
                text += wild == 0 ? " alone" + std::string(penalty_text(key)) : "";
                gaps_said = true;
            } else {
                text = count_text(k, "card", "cards") + ", mixed suits";
                text += k + wild >= 3 ? ", no straight in them" : "";
            }
            break;
    }
    text = prefix + text;
    if ((family == Family::straight_flush || family == Family::straight) && !gaps_said &&
        !any_gaps) {
        text += gaps == 0 ? ", no gaps" : ", " + count_text(gaps, "gap", "gaps");
        text += edge_words(key, profile);
    }
    const bool single = family == Family::plain && k == 1;
    if (counts_high(family, k + wild, profile) && get(key, kAnyHigh) == 0 && !single) {
        const int high = static_cast<int>(get(key, kHigh));
        text += high == 0 ? ", no high card" : ", " + count_text(high, "high card", "high cards");
    }
    return text;
}

// "aces", "twos to fours": a run of ranks that play alike.
std::string rank_range(unsigned ranks) {
    const auto low = static_cast<std::size_t>(std::countr_zero(ranks));
    const auto high = static_cast<std::size_t>(std::bit_width(ranks) - 1);
    return low == high ? std::string(kRankPlurals[low])
                       : std::string(kRankPlurals[low]) + " to " + std::string(kRankPlurals[high]);
}

std::string pair_text(unsigned row, const Game& game, const RankProfile& profile) {
    if (!profile.pairs_pay) {
        return "pair";
    }
    if (row != kNoRow && game.pay(row) > 0) {
        return "high pair (" + game.rows()[row].label + ")";
    }
    return "low pair";
}

std::string sets_text(PatternKey key, const Game& game, const RankProfile& profile) {
    const unsigned top = get(key, kTop);
    const unsigned second = get(key, kSecond);
    const unsigned group = get(key, kRanks);
    std::string text;
    if (top == 4) {
        text = group != 0 ? "four " + rank_range(group) : "four of a kind";
    } else if (top == 3) {
        text = second == 2  ? "full house"
               : group != 0 ? "three " + rank_range(group)
                            : "three of a kind";
    } else {
        text = second == 2 ? "two pair" : pair_text(get(key, kRow), game, profile);
        if (group != 0) {
            const bool paren = text.back() == ')';
            text = paren ? text.substr(0, text.size() - 1) + ", " + rank_range(group) + ")"
                         : text + " (" + rank_range(group) + ")";
        }
    }
    text = wild_prefix(get(key, kWild), profile) + text;
    const auto kickers = static_cast<int>(get(key, kKickers));
    if (kickers == 0) {
        return text;
    }
    const unsigned paying =
        group != 0 ? profile.group_kickers[static_cast<std::size_t>(std::countr_zero(group))] : 0;
    const unsigned kicker = get(key, kKickerPays);
    if (paying == 0 || kicker == 0) {
        return text + " + " + count_text(kickers, "kicker", "kickers");
    }
    const std::string list = kicker_text(paying);
    if (kicker == 1) {
        return kickers == 1 ? text + " + " + list + " kicker"
                            : text + " + " + std::to_string(kickers) + " kickers, one " + list;
    }
    return kickers == 1 ? text + " + 1 kicker, not " + list
                        : text + " + " + std::to_string(kickers) + " kickers, none " + list;
}

// A paying hand of five cards by its row; where fewer cards can hold the same hand (four of a
// kind made with a wild card beside a pair), the words say that all five are kept.
std::string made_text(const PayRow& row) {
    const bool fewer = std::any_of(row.classes.begin(), row.classes.end(), [](HandClass c) {
        return c == HandClass::three || c == HandClass::two_pair || is_pair(c) ||
               is_four_of_a_kind(c);
    });
    return fewer ? row.label + ", all five cards" : row.label;
}

// Deals that show every hold shape: the held cards first, then cards that fill the deal, with
// or without one of the held suit among the discards.
class Shapes {
  public:
    Shapes(const Game& game, const RankProfile& profile) : game_(game), profile_(profile) {
        wild_count_ = wild_card_count(game.wild());
    }

    std::vector<PatternKey> all() {
        for (int wild = 0; wild <= wild_count_; ++wild) {
            std::vector<int> ranks;
            naturals(wild, ranks, 0);
        }
        std::vector<PatternKey> out(seen_.begin(), seen_.end());
        return out;
    }

  private:
    // Every multiset of natural ranks, at most four of a rank, beside `wild` wild cards.
    void naturals(int wild, std::vector<int>& ranks, int from) {
        emit(wild, ranks);
        if (static_cast<int>(ranks.size()) + wild == 5) {
            return;
        }
        for (int r = from; r < kRankCount; ++r) {
            if ((profile_.naturals >> r & 1u) == 0 ||
                std::count(ranks.begin(), ranks.end(), r) == 4) {
                continue;
            }
            ranks.push_back(r);
            naturals(wild, ranks, r);
            ranks.pop_back();
        }
    }

    // The wild cards of the deck in turn: the deuces first, then the jokers.
    CardId wild_card(int w) const {
        if (game_.deuces_wild() && w < 4) {
            return card(0, w);
        }
        return w == (game_.deuces_wild() ? 4 : 0) ? CardId::joker() : CardId::second_joker();
    }

    static CardId card(int rank, int suit) {
        return CardId::of(static_cast<Suit>(suit), (rank + 1) % kRankCount + 1);
    }

    void emit(int wild, const std::vector<int>& ranks) {
        const auto k = static_cast<int>(ranks.size());
        const bool distinct = std::adjacent_find(ranks.begin(), ranks.end()) == ranks.end();
        for (int suited = 0; suited <= (distinct && k >= 2 ? 1 : 0); ++suited) {
            for (int penalty = 0; penalty <= 1; ++penalty) {
                std::array<CardId, 5> deal{};
                std::size_t n = 0;
                for (int w = 0; w < wild && n < 5; ++w) {
                    deal[n++] = wild_card(w);
                }
                for (int i = 0; i < k && n < 5; ++i) {
                    deal[n++] = card(ranks[static_cast<std::size_t>(i)], suited != 0 ? 0 : i % 4);
                }
                const auto held = static_cast<HoldMask>((1u << n) - 1);
                // Fillers: a natural card of the held suit first where asked, then others.
                for (int r = kRankCount - 1; r >= 0 && n < 5; --r) {
                    if ((profile_.naturals >> r & 1u) == 0 ||
                        std::find(ranks.begin(), ranks.end(), r) != ranks.end()) {
                        continue;
                    }
                    const bool first = n == static_cast<std::size_t>(k + wild);
                    deal[n] = card(r, penalty != 0 && first ? 0 : 1 + static_cast<int>(n) % 3);
                    ++n;
                }
                for (const PatternKey key : patterns_of(game_, profile_, deal, held)) {
                    seen_.insert(key);
                }
            }
        }
    }

    const Game& game_;
    const RankProfile& profile_;
    int wild_count_ = 0;
    std::set<PatternKey> seen_;
};

}  // namespace

std::string pattern_text(PatternKey key, const Game& game, const RankProfile& profile) {
    for (const Distinction* d : distinctions_for(profile, kWholeWords)) {
        if (std::string words = d->whole_words(key, game, profile); !words.empty()) {
            return words;
        }
    }
    switch (kind_of(key)) {
        case Kind::nothing:
            return "discard everything";
        case Kind::wild_alone:
            return get(key, kWild) == 1
                       ? profile.wild_name + " alone"
                       : std::to_string(get(key, kWild)) + " " + profile.wild_plural + " alone";
        case Kind::made_five:
            if (get(key, kRow) != kNoRow) {
                return made_text(game.rows()[get(key, kRow)]);
            }
            return "any paying hand of all five cards";
        case Kind::sets:
            return sets_text(key, game, profile);
        case Kind::draw: {
            // What the distinctions' fields add to the draw's words.
            std::string text = draw_text(key, profile);
            for (const Distinction* d : distinctions_for(profile, kDrawWords)) {
                text += d->draw_words(key, profile);
            }
            return text;
        }
    }
    return "?";
}

std::string high_card_text(const RankProfile& profile) {
    if (!profile.pairs_pay) {
        return "";
    }
    std::vector<std::string> names;
    for (std::size_t r = 0; r < kRankCount; ++r) {
        if (profile.high[r]) {
            names.emplace_back(kRankPlurals[r]);
        }
    }
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += i == 0 ? "" : i + 1 == names.size() ? " and " : ", ";
        text += names[i];
    }
    text += ", the ranks whose pair pays";
    return profile.high[kAce] ? text + " (the ace counts as a high card)" : text;
}

std::vector<PatternKey> vocabulary(const Game& game, const RankProfile& profile) {
    std::vector<PatternKey> out = Shapes(game, profile).all();
    for (const Distinction* d : distinctions_for(profile, kVocabulary)) {
        d->add_vocabulary(game, profile, out);
    }
    return out;
}

}  // namespace quillon::odds
