#include "odds/strategy/chart/chart_conditions.h"

#include <algorithm>
#include <bit>

#include "base/ranks.h"

namespace quillon::odds {

namespace {

std::string lower_case(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return out;
}

// A rank named by its symbol or its word ("9", "10", "j", "jack"), or -1.
int rank_named(std::string_view name) {
    for (int r = 0; r < kRankCount; ++r) {
        const auto i = static_cast<std::size_t>(r);
        if (name == lower_case(kRankSymbols[i]) || name == kRankWords[i]) {
            return r;
        }
    }
    return -1;
}

// The ranks of a list whose items `separator` parts, each named once, or 0 where an item is
// no rank (`rank_of` gives -1) or comes twice.
template <typename RankOf>
unsigned ranks_listed(std::string_view text, std::string_view separator, RankOf rank_of) {
    unsigned ranks = 0;
    while (!text.empty()) {
        const std::string_view item = text.substr(0, std::min(text.find(separator), text.size()));
        text.remove_prefix(std::min(item.size() + separator.size(), text.size()));
        const int r = rank_of(item);
        if (r < 0 || (ranks >> r & 1u) != 0) {
            return 0;
        }
        ranks |= 1u << r;
    }
    return ranks;
}

// "a 9", "an 8 or a 10" as ranks, or 0.
unsigned ranks_named(std::string_view text) {
    return ranks_listed(text, " or ", [](std::string_view item) {
        if (item.starts_with("a ")) {
            return rank_named(item.substr(2));
        }
        return item.starts_with("an ") ? rank_named(item.substr(3)) : -1;
    });
}

// "9 or 10" (ranks without their article) as ranks, or 0.
unsigned bare_ranks_named(std::string_view text) {
    return ranks_listed(text, " or ", rank_named);
}

// "a-k-10" (ranks by symbol, each once) as ranks, or 0.
unsigned rank_run_named(std::string_view text) {
    return ranks_listed(text, "-", [](std::string_view item) {
        for (int r = 0; r < kRankCount; ++r) {
            if (item == lower_case(kRankSymbols[static_cast<std::size_t>(r)])) {
                return r;
            }
        }
        return -1;
    });
}

// Takes one condition off the end of the words; false where they end in none.
bool take_condition(std::string& words, DiscardCondition& c) {
    const std::size_t comma = words.rfind(", ");
    if (comma == std::string::npos) {
        return false;
    }
    const std::string_view tail = std::string_view(words).substr(comma + 2);
    const auto flag = [&](std::string_view yes, int& field) {
        if (field < 0 && tail == yes) {
            field = 1;
            return true;
        }
        if (field < 0 && tail.starts_with("no ") && tail.substr(3) == yes) {
            field = 0;
            return true;
        }
        return false;
    };
    bool taken = flag("straight penalty", c.straight) || flag("high-card penalty", c.high) ||
                 flag("flush penalty", c.flush);
    if (!taken && c.absent == 0) {
        constexpr std::string_view with_no = "with no ";
        constexpr std::string_view discarded = " discarded";
        if (tail.starts_with(with_no) && tail.ends_with(discarded)) {
            c.absent = bare_ranks_named(
                tail.substr(with_no.size(), tail.size() - with_no.size() - discarded.size()));
            taken = c.absent != 0;
        }
    }
    if (!taken && c.suited_discards == 0 && tail.size() > 1 &&
        tail.substr(1) == " or more of its suit discarded" && (tail[0] == '2' || tail[0] == '3')) {
        c.suited_discards = tail[0] - '0';
        taken = true;
    }
    if (!taken && c.kept == 0 && tail.ends_with(" kept")) {
        c.kept = rank_run_named(tail.substr(0, tail.size() - 5));
        taken = c.kept != 0;
    }
    if (!taken && c.discarded == 0) {
        constexpr std::string_view with = "with ";
        constexpr std::string_view discarded = " discarded";
        constexpr std::string_view when = "when the discarded card is ";
        if (tail.starts_with(with) && tail.ends_with(discarded)) {
            c.discarded =
                ranks_named(tail.substr(with.size(), tail.size() - with.size() - discarded.size()));
        } else if (tail.starts_with(when)) {
            c.discarded = ranks_named(tail.substr(when.size()));
            c.only_discard = true;
        }
        taken = c.discarded != 0;
    }
    if (taken) {
        words.resize(comma);
    }
    return taken;
}

std::string discard_ranks_text(unsigned ranks) {
    std::string out;
    for (int r = 0; r < kRankCount; ++r) {
        if ((ranks >> r & 1u) != 0) {
            const bool an = r == kAce || r == 6;  // an ace, an 8
            out += std::string(out.empty() ? "" : " or ") + (an ? "an " : "a ") +
                   std::string(kRankSymbols[static_cast<std::size_t>(r)]);
        }
    }
    return out;
}

std::string bare_ranks_text(unsigned ranks) {
    std::string out;
    for (int r = 0; r < kRankCount; ++r) {
        if ((ranks >> r & 1u) != 0) {
            out += std::string(out.empty() ? "" : " or ") +
                   std::string(kRankSymbols[static_cast<std::size_t>(r)]);
        }
    }
    return out;
}

// The ranks kept, highest first: "A-K-10".
std::string rank_run_text(unsigned ranks) {
    std::string out;
    for (int r = kRankCount; r-- > 0;) {
        if ((ranks >> r & 1u) != 0) {
            out += std::string(out.empty() ? "" : "-") +
                   std::string(kRankSymbols[static_cast<std::size_t>(r)]);
        }
    }
    return out;
}

}  // namespace

std::optional<ConditionedWords> split_condition(std::string_view words) {
    ConditionedWords out{std::string(words), {}};
    while (take_condition(out.pattern, out.condition)) {
    }
    // The flush penalty alone is the words of the patterns that say it, where the game has
    // them; as a condition it joins another.
    DiscardCondition others = out.condition;
    others.flush = -1;
    if (!others.any() || out.pattern.empty()) {
        return std::nullopt;
    }
    return out;
}

std::string condition_text(const DiscardCondition& c) {
    std::string out;
    if (c.kept != 0) {
        out += ", " + rank_run_text(c.kept) + " kept";
    }
    if (c.discarded != 0) {
        out += c.only_discard ? ", when the discarded card is " + discard_ranks_text(c.discarded)
                              : ", with " + discard_ranks_text(c.discarded) + " discarded";
    }
    if (c.absent != 0) {
        out += ", with no " + bare_ranks_text(c.absent) + " discarded";
    }
    if (c.suited_discards != 0) {
        out += ", " + std::to_string(c.suited_discards) + " or more of its suit discarded";
    }
    const auto flag = [&](int field, const char* words) {
        if (field >= 0) {
            out += std::string(field == 0 ? ", no " : ", ") + words;
        }
    };
    flag(c.straight, "straight penalty");
    flag(c.high, "high-card penalty");
    flag(c.flush, "flush penalty");
    return out;
}

DiscardView discard_view(const Game& game, const RankProfile& profile,
                         const std::array<CardId, 5>& deal, HoldMask mask) {
    DiscardView view;
    unsigned kept_ranks = 0;
    int kept_suit = -1;
    bool suited = true;
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask >> i & 1u) != 0 && !is_wild(deal[i], game)) {
            kept_ranks |= 1u << engine_rank(deal[i].rank());
            view.kept = kept_ranks;
            const int s = static_cast<int>(deal[i].suit());
            suited = suited && (kept_suit < 0 || s == kept_suit);
            kept_suit = s;
        }
    }
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask >> i & 1u) != 0) {
            continue;
        }
        ++view.discards;
        if (is_wild(deal[i], game)) {
            continue;
        }
        const int r = engine_rank(deal[i].rank());
        view.ranks |= 1u << r;
        view.high = view.high || profile.high[static_cast<std::size_t>(r)];
        if (suited && kept_suit >= 0 && static_cast<int>(deal[i].suit()) == kept_suit) {
            view.flush = true;
            ++view.suited_discards;
        }
        if (kept_ranks != 0 && (kept_ranks >> r & 1u) == 0) {
            for (const unsigned s : kStraightMasks) {
                view.straight =
                    view.straight || ((s & kept_ranks) == kept_ranks && (s >> r & 1u) != 0);
            }
        }
    }
    return view;
}

bool condition_meets(const DiscardCondition& c, const DiscardView& view) {
    const auto meets = [](int asked, bool seen) { return asked < 0 || (asked == 1) == seen; };
    return (c.discarded == 0 ||
            ((view.ranks & c.discarded) != 0 && (!c.only_discard || view.discards == 1))) &&
           (view.ranks & c.absent) == 0 && (view.kept & c.kept) == c.kept &&
           view.suited_discards >= c.suited_discards && meets(c.straight, view.straight) &&
           meets(c.high, view.high) && meets(c.flush, view.flush);
}

bool condition_holds(const DiscardCondition& c, const Game& game, const RankProfile& profile,
                     const std::array<CardId, 5>& deal, HoldMask mask) {
    return condition_meets(c, discard_view(game, profile, deal, mask));
}

}  // namespace quillon::odds
