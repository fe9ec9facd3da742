#include "base/rank_set.h"

#include "base/text_file.h"

#include <algorithm>
#include <array>
#include <vector>

#include "base/ranks.h"

namespace quillon::odds {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool same_word(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// The runs of consecutive ranks in a set, low to high; where `ace_low`, a lone ace beside a two
// starts the two's run.
struct Run {
    int from;
    int to;
};
std::vector<Run> runs(RankSet set, bool ace_low) {
    std::vector<Run> out;
    for (int r = 0; r < kRankCount; ++r) {
        if (!has_rank(set, r)) {
            continue;
        }
        if (!out.empty() && out.back().to == r - 1) {
            out.back().to = r;
        } else {
            out.push_back({r, r});
        }
    }
    const bool wraps = ace_low && out.size() > 1 && out.front().from == 0 &&
                       out.back().to == kAce && out.back().from == kAce;
    if (wraps) {
        out.pop_back();
        out.front().from = kAce;
    }
    return out;
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return out;
}

}  // namespace

std::optional<int> parse_rank(std::string_view word) {
    for (int r = 0; r < kRankCount; ++r) {
        const auto i = static_cast<std::size_t>(r);
        if (same_word(word, kRankPlurals[i]) || same_word(word, kRankSymbols[i])) {
            return r;
        }
    }
    if (same_word(word, "deuces")) {
        return 0;
    }
    return std::nullopt;
}

RankSetParse parse_rank_set(std::string_view text) {
    RankSetParse out;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view item = text.substr(start, comma - start);
        start = comma + 1;
        const std::size_t dash = item.find('-');
        if (dash == std::string_view::npos) {
            const std::optional<int> rank = parse_rank(item);
            if (!rank) {
                out.error = echoed(item) + " is not a rank";
                return out;
            }
            out.set |= static_cast<RankSet>(1u << *rank);
            continue;
        }
        const std::optional<int> low = parse_rank(item.substr(0, dash));
        const std::optional<int> high = parse_rank(item.substr(dash + 1));
        if (!low || !high) {
            out.error = echoed(item) + " is not a rank range";
            return out;
        }
        // An ace opening a range is low: "a-4" is the ace, 2, 3 and 4.
        int from = *low;
        if (from == kAce && *high != kAce) {
            out.set |= static_cast<RankSet>(1u << kAce);
            from = 0;
        }
        if (from > *high) {
            out.error = "the rank range " + echoed(item) + " runs backwards";
            return out;
        }
        for (int r = from; r <= *high; ++r) {
            out.set |= static_cast<RankSet>(1u << r);
        }
    }
    return out;
}

std::string_view rank_plural(int rank) {
    return kRankPlurals[static_cast<std::size_t>(rank)];
}

std::string ranks_label(RankSet set) {
    std::string out;
    for (const Run& run : runs(set, false)) {
        out += out.empty() ? "" : ", ";
        if (run.from == run.to) {
            out += kRankPlurals[static_cast<std::size_t>(run.from)];
        } else {
            out += std::string(kRankRunEnds[static_cast<std::size_t>(run.from)]) + "-" +
                   std::string(kRankRunEnds[static_cast<std::size_t>(run.to)]);
        }
    }
    return out;
}

std::string kicker_label(RankSet set) {
    const std::vector<Run> all = runs(set, true);
    if (all.size() == 1 && all[0].from == all[0].to) {
        return std::string(kRankSingulars[static_cast<std::size_t>(all[0].from)]);
    }
    std::string out;
    for (const Run& run : all) {
        out += out.empty() ? "" : ",";
        out += upper(kRankSymbols[static_cast<std::size_t>(run.from)]);
        if (run.from != run.to) {
            out += "-" + upper(kRankSymbols[static_cast<std::size_t>(run.to)]);
        }
    }
    return out;
}

}  // namespace quillon::odds
