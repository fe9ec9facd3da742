#include "odds/game_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <fstream>
#include <numeric>
#include <optional>
#include <sstream>
#include <vector>

namespace quillon::odds {

namespace {

using HC = HandClass;

enum class Needs : std::uint8_t { any, wild, deuces };

// A hand word of the file: the classes it takes in unless a more specific word is also given.
struct HandWord {
    std::string_view word;
    std::string_view label;
    ClassSet covers;
    Needs needs;
};

constexpr ClassSet bits(std::initializer_list<HC> hands) {
    ClassSet set = 0;
    for (const HC h : hands) {
        set |= class_bit(h);
    }
    return set;
}

constexpr ClassSet kFours =
    bits({HC::four_5_k, HC::four_2_4, HC::four_2_4_kicker, HC::four_aces, HC::four_aces_kicker});

constexpr std::array<HandWord, 18> kHandWords = {{
    {"royal", "royal flush", bits({HC::natural_royal}), Needs::any},
    {"wild-royal", "wild royal", bits({HC::wild_royal}), Needs::wild},
    {"five", "five of a kind", bits({HC::five}), Needs::wild},
    {"four-deuces", "four deuces", bits({HC::four_deuces, HC::four_deuces_ace}), Needs::deuces},
    {"four-deuces-ace", "four deuces with an ace", bits({HC::four_deuces_ace}), Needs::deuces},
    {"straight-flush", "straight flush", bits({HC::straight_flush}), Needs::any},
    {"four", "four of a kind", kFours, Needs::any},
    {"four-aces", "four aces", bits({HC::four_aces, HC::four_aces_kicker}), Needs::any},
    {"four-2-4", "four 2s-4s", bits({HC::four_2_4, HC::four_2_4_kicker}), Needs::any},
    {"four-5-k", "four 5s-kings", bits({HC::four_5_k}), Needs::any},
    {"four-aces-kicker", "four aces with 2-4", bits({HC::four_aces_kicker}), Needs::any},
    {"four-2-4-kicker", "four 2s-4s with A-4", bits({HC::four_2_4_kicker}), Needs::any},
    {"full-house", "full house", bits({HC::full_house}), Needs::any},
    {"flush", "flush", bits({HC::flush}), Needs::any},
    {"straight", "straight", bits({HC::straight}), Needs::any},
    {"three", "three of a kind", bits({HC::three}), Needs::any},
    {"two-pair", "two pair", bits({HC::two_pair}), Needs::any},
    {"pair", "pair", 0, Needs::any},
}};

constexpr std::array<std::string_view, kRankCount> kRankWords = {
    "twos",  "threes", "fours", "fives",  "sixes", "sevens", "eights",
    "nines", "tens",   "jacks", "queens", "kings", "aces"};

// A pay as written: digits / 10^places.
struct Decimal {
    std::int64_t digits = 0;
    int places = 0;
};

constexpr int kMostPlaces = 4;
constexpr std::int64_t kMostDigits = 1'000'000'000'000;

struct HandLine {
    const HandWord* word = nullptr;
    int line = 0;
    Decimal per_coin;
    std::optional<Decimal> full_pay;
    int full_coins = 0;
    int pair_rank = -1;
};

// "games/jacks.game" names the game "jacks" where the file gives no name.
std::string stem(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    return file.substr(0, file.find('.'));
}

std::int64_t power_of_ten(int places) {
    std::int64_t p = 1;
    for (int i = 0; i < places; ++i) {
        p *= 10;
    }
    return p;
}

class Parser {
  public:
    explicit Parser(const std::string& source) : source_(source) {}

    Game parse(std::string_view text, int coins) {
        std::istringstream in{std::string(text)};
        std::string raw;
        while (std::getline(in, raw)) {
            ++line_;
            statement(raw);
        }
        return finish(coins);
    }

  private:
    [[noreturn]] void fail(int line, const std::string& message) const {
        throw GameFileError(source_ + ":" + std::to_string(line) + ": " + message);
    }

    void statement(std::string raw) {
        raw = raw.substr(0, raw.find('#'));
        std::istringstream words(raw);
        std::string keyword;
        if (!(words >> keyword)) {
            return;
        }
        std::vector<std::string> args;
        for (std::string w; words >> w;) {
            args.push_back(w);
        }
        if (keyword == "name") {
            if (name_) {
                fail(line_, "'name' is given twice");
            }
            if (args.empty()) {
                fail(line_, "'name' needs the game's name");
            }
            const std::size_t from = raw.find_first_not_of(" \t", raw.find("name") + 4);
            const std::size_t to = raw.find_last_not_of(" \t\r");
            name_ = raw.substr(from, to + 1 - from);
            return;
        }
        if (keyword == "wild") {
            wild_statement(args);
            return;
        }
        const auto word = std::find_if(kHandWords.begin(), kHandWords.end(),
                                       [&](const HandWord& w) { return w.word == keyword; });
        if (word == kHandWords.end()) {
            fail(line_, "unknown word '" + keyword + "'");
        }
        hand_statement(*word, args);
    }

    void wild_statement(const std::vector<std::string>& args) {
        if (wild_) {
            fail(line_, "'wild' is given twice");
        }
        static constexpr std::array<std::pair<std::string_view, Wild>, 3> kKinds = {
            {{"none", Wild::none}, {"joker", Wild::joker}, {"deuces", Wild::deuces}}};
        for (const auto& [word, kind] : kKinds) {
            if (args.size() == 1 && args[0] == word) {
                wild_ = kind;
                return;
            }
        }
        fail(line_, "'wild' takes none, joker or deuces");
    }

    void hand_statement(const HandWord& word, const std::vector<std::string>& args) {
        for (const HandLine& h : hands_) {
            if (h.word == &word) {
                fail(line_, "'" + std::string(word.word) + "' is given twice (first on line " +
                                std::to_string(h.line) + ")");
            }
        }
        if (args.empty()) {
            fail(line_, "'" + std::string(word.word) + "' needs its pay per coin");
        }
        HandLine hand{&word, line_, decimal(args[0]), std::nullopt, 0, -1};
        for (std::size_t i = 1; i < args.size(); ++i) {
            const std::string& a = args[i];
            const std::size_t at = a.find('@');
            if (at != std::string::npos && !hand.full_pay) {
                hand.full_pay = decimal(a.substr(0, at));
                hand.full_coins = whole_coins(a.substr(at + 1));
                continue;
            }
            const auto rank = std::find(kRankWords.begin(), kRankWords.end(), a);
            if (word.word == "pair" && rank != kRankWords.end() && hand.pair_rank < 0) {
                hand.pair_rank = static_cast<int>(rank - kRankWords.begin());
                continue;
            }
            fail(line_, "unexpected '" + a + "' after '" + std::string(word.word) + "'");
        }
        if (word.word == "pair" && hand.pair_rank < 0) {
            fail(line_, "'pair' needs its least paying rank (tens, jacks, queens, kings, aces)");
        }
        hands_.push_back(hand);
    }

    Decimal decimal(const std::string& text) const {
        if (text.starts_with('-')) {
            fail(line_, "a negative pay '" + text + "'");
        }
        Decimal d;
        bool point = false;
        bool any = false;
        for (const char c : text) {
            if (c == '.' && !point) {
                point = true;
            } else if (c >= '0' && c <= '9') {
                d.digits = d.digits * 10 + (c - '0');
                d.places += point ? 1 : 0;
                any = true;
                if (d.digits >= kMostDigits || d.places > kMostPlaces) {
                    fail(line_, "the pay '" + text + "' is too large or too finely divided");
                }
            } else {
                fail(line_, "'" + text + "' is not a pay");
            }
        }
        if (!any) {
            fail(line_, "'" + text + "' is not a pay");
        }
        return d;
    }

    int whole_coins(const std::string& text) const {
        int coins = 0;
        for (const char c : text) {
            if (c < '0' || c > '9' || coins > kMostCoins) {
                fail(line_, "'@" + text + "' is not a number of coins");
            }
            coins = coins * 10 + (c - '0');
        }
        if (coins < 1 || coins > kMostCoins) {
            fail(line_, "'@" + text + "' is not a number of coins");
        }
        return coins;
    }

    Game finish(int coins) {
        const int last = std::max(line_, 1);
        if (!wild_) {
            fail(last, "no 'wild' line: none, joker or deuces");
        }
        if (hands_.empty()) {
            fail(last, "no paying hands");
        }
        if (hands_.size() >= Game::kMaxRows) {
            fail(hands_[Game::kMaxRows - 1].line,
                 "at most " + std::to_string(Game::kMaxRows - 1) + " paying hands");
        }
        int full_bet = 0;
        for (const HandLine& h : hands_) {
            if (h.word->needs == Needs::deuces && *wild_ != Wild::deuces) {
                fail(h.line, "'" + std::string(h.word->word) + "' needs 'wild deuces'");
            }
            if (h.word->needs == Needs::wild && *wild_ == Wild::none) {
                fail(h.line, "'" + std::string(h.word->word) + "' needs wild cards");
            }
            if (h.full_pay && full_bet != 0 && h.full_coins != full_bet) {
                fail(h.line, "the full bet is " + std::to_string(full_bet) + " coins above");
            }
            full_bet = h.full_pay ? h.full_coins : full_bet;
        }
        const int bet = coins != kFullBet ? coins : (full_bet != 0 ? full_bet : 5);
        return build(bet);
    }

    // The pay of each line for the whole bet, in the largest unit that keeps every pay whole.
    Game build(int bet) const {
        int places = 0;
        std::vector<Decimal> totals;
        for (const HandLine& h : hands_) {
            Decimal total = h.full_pay && h.full_coins == bet
                                ? *h.full_pay
                                : Decimal{h.per_coin.digits * bet, h.per_coin.places};
            totals.push_back(total);
            places = std::max(places, total.places);
        }
        const std::int64_t whole_bet = bet * power_of_ten(places);
        std::int64_t unit = whole_bet;
        for (Decimal& t : totals) {
            t.digits *= power_of_ten(places - t.places);
            unit = std::gcd(unit, t.digits);
        }
        std::vector<PayRow> rows;
        ClassSet claimed = 0;
        std::vector<std::size_t> by_specificity(hands_.size());
        std::iota(by_specificity.begin(), by_specificity.end(), 0);
        const auto covers = [&](std::size_t i) { return covered(hands_[i]); };
        std::stable_sort(by_specificity.begin(), by_specificity.end(),
                         [&](std::size_t a, std::size_t b) {
                             return std::popcount(covers(a)) < std::popcount(covers(b));
                         });
        std::vector<ClassSet> taken(hands_.size());
        for (const std::size_t i : by_specificity) {
            taken[i] = covers(i) & ~claimed;
            claimed |= taken[i];
        }
        for (std::size_t i = 0; i < hands_.size(); ++i) {
            const std::int64_t pay = totals[i].digits / unit;
            if (pay > Game::kMaxPay) {
                fail(hands_[i].line,
                     "pays this large or this finely divided cannot be counted "
                     "exactly");
            }
            PayRow row{label(hands_[i]), pay, {}};
            for (std::size_t c = 0; c < kHandClassCount; ++c) {
                if ((taken[i] >> c & 1u) != 0) {
                    row.classes.push_back(static_cast<HandClass>(c));
                }
            }
            rows.push_back(std::move(row));
        }
        std::string name = name_.value_or(stem(source_));
        return Game(std::move(name), *wild_, std::move(rows), whole_bet / unit);
    }

    static ClassSet covered(const HandLine& h) {
        if (h.word->word != "pair") {
            return h.word->covers;
        }
        ClassSet set = 0;
        for (int r = h.pair_rank; r < kRankCount; ++r) {
            set |= class_bit(pair_of(r));
        }
        return set;
    }

    std::string label(const HandLine& h) const {
        if (h.word->word == "pair") {
            return std::string(kRankWords[static_cast<std::size_t>(h.pair_rank)]) + " or better";
        }
        if (h.word->word == "royal" && *wild_ != Wild::none) {
            return "natural royal";
        }
        return std::string(h.word->label);
    }

    const std::string& source_;
    int line_ = 0;
    std::optional<std::string> name_;
    std::optional<Wild> wild_;
    std::vector<HandLine> hands_;
};

}  // namespace

Game parse_game(std::string_view text, const std::string& source, int coins) {
    if (coins < 0 || coins > kMostCoins) {
        throw GameFileError(source + ": cannot bet " + std::to_string(coins) + " coins");
    }
    return Parser(source).parse(text, coins);
}

Game read_game_file(const std::string& path, int coins) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw GameFileError(path + ": cannot be read");
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parse_game(text.str(), path, coins);
}

std::vector<std::string_view> hand_words() {
    std::vector<std::string_view> words;
    for (const HandWord& word : kHandWords) {
        words.push_back(word.word);
    }
    return words;
}

}  // namespace quillon::odds
