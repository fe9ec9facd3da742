#include "odds/games/game_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <numeric>
#include <optional>
#include <sstream>
#include <variant>
#include <vector>

#include "base/rank_set.h"
#include "base/regular_file.h"
#include "base/text_file.h"
#include "odds/games/multiplier_lines.h"
#include "odds/games/pay_decimal.h"

namespace quillon::odds {

namespace {

using HC = HandClass;

enum class Needs : std::uint8_t { any, wild, deuces, deuces_joker };

// How a hand word's line reads: a word and its pay; `pair PAY RANK`; `four [RANKS [kicker
// RANKS]] PAY`; `five [RANKS] PAY`. A short form of four of a kind fixes its ranks.
enum class Form : std::uint8_t { plain, pair, four, five, fixed_four };

struct HandWord {
    std::string_view word;
    std::string_view label;
    Form form;
    Needs needs;
    HC hand = HC::nothing;         // the class of a plain word
    RankSet ranks = kEveryRank;    // a short form's four
    RankSet kickers = kEveryRank;  // and its kicker
};

constexpr RankSet ranks_of(std::initializer_list<int> ranks) {
    RankSet set = 0;
    for (const int r : ranks) {
        set |= static_cast<RankSet>(1u << r);
    }
    return set;
}
constexpr RankSet kAces = ranks_of({kAce});
constexpr RankSet kTwoToFour = ranks_of({0, 1, 2});
constexpr RankSet kFiveToKing = ranks_of({3, 4, 5, 6, 7, 8, 9, 10, 11});
constexpr RankSet kAceToFour = kAces | kTwoToFour;
constexpr RankSet kTwos = ranks_of({0});

constexpr std::array<HandWord, 19> kHandWords = {{
    {"royal", "royal flush", Form::plain, Needs::any, HC::natural_royal},
    {"wild-royal", "wild royal", Form::plain, Needs::wild, HC::wild_royal},
    {"five", "five of a kind", Form::five, Needs::wild},
    {"four-deuces", "", Form::fixed_four, Needs::deuces, HC::nothing, kTwos},
    {"four-deuces-ace", "", Form::fixed_four, Needs::deuces, HC::nothing, kTwos, kAces},
    {"straight-flush", "straight flush", Form::plain, Needs::any, HC::straight_flush},
    {"four", "", Form::four, Needs::any},
    {"four-aces", "", Form::fixed_four, Needs::any, HC::nothing, kAces},
    {"four-2-4", "", Form::fixed_four, Needs::any, HC::nothing, kTwoToFour},
    {"four-5-k", "", Form::fixed_four, Needs::any, HC::nothing, kFiveToKing},
    {"four-aces-kicker", "", Form::fixed_four, Needs::any, HC::nothing, kAces, kTwoToFour},
    {"four-2-4-kicker", "", Form::fixed_four, Needs::any, HC::nothing, kTwoToFour, kAceToFour},
    {"full-house", "full house", Form::plain, Needs::any, HC::full_house},
    {"flush", "flush", Form::plain, Needs::any, HC::flush},
    {"straight", "straight", Form::plain, Needs::any, HC::straight},
    {"three", "three of a kind", Form::plain, Needs::any, HC::three},
    {"two-pair", "two pair", Form::plain, Needs::any, HC::two_pair},
    {"pair", "", Form::pair, Needs::any},
    {"five-wilds", "four deuces and a joker", Form::plain, Needs::deuces_joker, HC::five_wilds},
}};

struct HandLine {
    const HandWord* word = nullptr;
    int line = 0;
    Decimal per_coin;
    std::optional<Decimal> full_pay;
    int full_coins = 0;
    int pair_rank = -1;
    RankSet ranks = kEveryRank;
    RankSet kickers = kEveryRank;
    // The words before the pay that pick the hands, as an Ultimate X line names them.
    std::vector<std::string> naming;

    bool same_pays(const HandLine& other) const {
        return per_coin == other.per_coin && full_pay == other.full_pay &&
               full_coins == other.full_coins;
    }
};

// "games/jacks.game" names the game "jacks" where the file gives no name.
std::string stem(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    return file.substr(0, file.find('.'));
}

bool is_pay_text(std::string_view text) {
    return !text.empty() &&
           ((text[0] >= '0' && text[0] <= '9') || text[0] == '.' || text[0] == '-');
}

// The lines a hand with no line of its own is also: a royal is a straight flush, a flush and a
// straight; four of a kind and a full house are three of a kind.
std::vector<HC> also_is(HC hand, Wild wild) {
    if (is_four_of_a_kind(hand)) {
        return {HC::three};
    }
    switch (hand) {
        case HC::natural_royal:
            if (wild != Wild::none) {
                return {HC::wild_royal, HC::straight_flush, HC::flush, HC::straight};
            }
            return {HC::straight_flush, HC::flush, HC::straight};
        case HC::wild_royal:
            return {HC::straight_flush, HC::flush, HC::straight};
        case HC::straight_flush:
            return {HC::flush, HC::straight};
        case HC::full_house:
            return {HC::three, HC::two_pair};
        default:
            return {};
    }
}

class Parser {
  public:
    explicit Parser(const std::string& source) : source_(source) {}

    Game parse(std::string_view text, int coins) {
        for_each_text_line(text, [&](int number, std::string_view raw) {
            line_ = number;
            if (const std::optional<std::string> problem = line_problem(raw)) {
                fail(line_, *problem);
            }
            statement(std::string(raw));
        });
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
        if (keyword == "ultimate-x") {
            multipliers_.statement(line_, args);
            return;
        }
        const auto word = std::find_if(kHandWords.begin(), kHandWords.end(),
                                       [&](const HandWord& w) { return w.word == keyword; });
        if (word == kHandWords.end()) {
            fail(line_, "unknown word " + echoed(keyword));
        }
        hand_statement(*word, args);
    }

    void wild_statement(const std::vector<std::string>& args) {
        if (wild_) {
            fail(line_, "'wild' is given twice");
        }
        std::string words;
        for (const std::string& arg : args) {
            words += (words.empty() ? "" : " ") + arg;
        }
        for (std::size_t kind = 0; kind < kWildWords.size(); ++kind) {
            if (words == kWildWords[kind]) {
                wild_ = static_cast<Wild>(kind);
                return;
            }
        }
        fail(line_, "'wild' takes none, joker, deuces, jokers or deuces joker");
    }

    RankSet rank_set(const std::string& text) const {
        const RankSetParse parsed = parse_rank_set(text);
        if (!parsed.error.empty()) {
            fail(line_, parsed.error);
        }
        return parsed.set;
    }

    void hand_statement(const HandWord& word, const std::vector<std::string>& args) {
        const std::string keyword(word.word);
        HandLine hand{&word, line_, {}, std::nullopt, 0, -1, word.ranks, word.kickers, {}};
        std::size_t i = 0;
        // `four RANKS [kicker RANKS] PAY` and `five RANKS PAY`: the first word is ranks where it
        // is no number, or where a second word follows it before any full-bet pay ("four 2 50").
        const bool general = word.form == Form::four || word.form == Form::five;
        const auto no_at = [&](std::size_t n) { return args[n].find('@') == std::string::npos; };
        if (general && !args.empty() &&
            (!is_pay_text(args[0]) || (args.size() >= 2 && no_at(0) && no_at(1)))) {
            hand.ranks = rank_set(args[i++]);
            if (word.form == Form::four && i < args.size() && args[i] == "kicker") {
                if (++i >= args.size()) {
                    fail(line_, "'kicker' needs the kicker's ranks");
                }
                hand.kickers = rank_set(args[i++]);
            }
        }
        hand.naming.assign(args.begin(), args.begin() + static_cast<std::ptrdiff_t>(i));
        if (i >= args.size()) {
            fail(line_, "'" + keyword + "' needs its pay per coin");
        }
        hand.per_coin = decimal(args[i++]);
        for (; i < args.size(); ++i) {
            const std::string& a = args[i];
            const std::size_t at = a.find('@');
            if (at != std::string::npos && !hand.full_pay) {
                hand.full_pay = decimal(a.substr(0, at));
                hand.full_coins = whole_coins(a.substr(at + 1));
                continue;
            }
            if (word.form == Form::pair && hand.pair_rank < 0) {
                if (const std::optional<int> rank = parse_rank(a)) {
                    hand.pair_rank = *rank;
                    hand.naming.push_back(a);
                    continue;
                }
            }
            fail(line_, "unexpected " + echoed(a) + " after '" + keyword + "'");
        }
        if (word.form == Form::pair && hand.pair_rank < 0) {
            fail(line_, "'pair' needs its least paying rank (twos to aces)");
        }
        hands_.push_back(hand);
    }

    Decimal decimal(const std::string& text) const {
        const DecimalParse parsed = parse_decimal(text);
        switch (parsed.fault) {
            case DecimalFault::none:
                break;
            case DecimalFault::negative:
                fail(line_, "a negative pay " + echoed(text));
            case DecimalFault::too_fine:
                fail(line_, "the pay " + echoed(text) + " is too large or too finely divided");
            case DecimalFault::not_a_pay:
                fail(line_, echoed(text) + " is not a pay");
        }
        return parsed.value;
    }

    int whole_coins(const std::string& text) const {
        int coins = 0;
        for (const char c : text) {
            if (c < '0' || c > '9' || coins > kMostCoins) {
                fail(line_, echoed("@" + text) + " is not a number of coins");
            }
            coins = coins * 10 + (c - '0');
        }
        if (coins < 1 || coins > kMostCoins) {
            fail(line_, echoed("@" + text) + " is not a number of coins");
        }
        return coins;
    }

    Game finish(int coins) {
        const int last = std::max(line_, 1);
        if (!wild_) {
            fail(last, "no 'wild' line: none, joker, deuces, jokers or deuces joker");
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
            if (h.word->needs == Needs::deuces && !deuces_wild(*wild_)) {
                fail(h.line, "'" + std::string(h.word->word) + "' needs 'wild deuces'");
            }
            if (h.word->needs == Needs::deuces_joker && *wild_ != Wild::deuces_joker) {
                fail(h.line, "'" + std::string(h.word->word) + "' needs 'wild deuces joker'");
            }
            if (h.word->needs == Needs::wild && *wild_ == Wild::none) {
                fail(h.line, "'" + std::string(h.word->word) + "' needs wild cards");
            }
            if (h.full_pay && full_bet != 0 && h.full_coins != full_bet) {
                fail(h.line, "the full bet is " + std::to_string(full_bet) + " coins above");
            }
            full_bet = h.full_pay ? h.full_coins : full_bet;
        }
        covers_.clear();
        for (const HandLine& h : hands_) {
            covers_.push_back(covered(h));
        }
        check_overlaps();
        const int bet = coins != kFullBet ? coins : (full_bet != 0 ? full_bet : 5);
        Game game = build(bet);
        std::vector<NamedRow> named;
        for (const HandLine& h : hands_) {
            named.push_back(NamedRow{std::string(h.word->word), h.naming, h.line});
        }
        game.set_multiplier_tables(multipliers_.finish(named));
        return game;
    }

    // Lines that pay some hand alike must nest: the hands of one within the other's, so that
    // the more specific one pays them. Overlapping lines that pay alike are harmless.
    void check_overlaps() const {
        for (std::size_t j = 0; j < hands_.size(); ++j) {
            const HandLine& h = hands_[j];
            if (covers_[j].empty()) {
                fail(h.line, "no hand is " + label(h));
            }
            for (std::size_t i = 0; i < j; ++i) {
                const ClassSet both = covers_[i] & covers_[j];
                if (both.empty()) {
                    continue;
                }
                const std::string first = std::to_string(hands_[i].line);
                if (covers_[i] == covers_[j]) {
                    fail(h.line, h.word == hands_[i].word
                                     ? "'" + std::string(h.word->word) +
                                           "' is given twice (first on line " + first + ")"
                                     : "pays the same hands as line " + first);
                }
                if (!covers_[i].within(covers_[j]) && !covers_[j].within(covers_[i]) &&
                    !h.same_pays(hands_[i])) {
                    HC shared = HC::nothing;
                    both.for_each(
                        [&](HC c) { shared = shared == HC::nothing && dealt(c) ? c : shared; });
                    fail(h.line, "line " + first + " also pays " +
                                     std::string(hand_class_text(shared)) +
                                     ", at another pay: make one line include the other's hands");
                }
            }
        }
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
        for (Decimal& t : totals) {
            t.digits *= power_of_ten(places - t.places);
        }
        const std::int64_t unit = pay_unit(totals, whole_bet);
        std::vector<std::size_t> by_specificity(hands_.size());
        std::iota(by_specificity.begin(), by_specificity.end(), 0);
        std::stable_sort(
            by_specificity.begin(), by_specificity.end(),
            [&](std::size_t a, std::size_t b) { return covers_[a].size() < covers_[b].size(); });
        ClassSet claimed;
        std::vector<ClassSet> taken(hands_.size());
        for (const std::size_t i : by_specificity) {
            taken[i] = covers_[i] & ~claimed;
            claimed |= taken[i];
        }
        std::vector<std::int64_t> pays;
        for (const Decimal& t : totals) {
            pays.push_back(t.digits / unit);
        }
        give_unpaid_hands(claimed, pays, taken);
        std::vector<PayRow> rows;
        for (std::size_t i = 0; i < hands_.size(); ++i) {
            PayRow row{label(hands_[i]), pays[i], {}};
            taken[i].for_each([&](HC c) { row.classes.push_back(c); });
            rows.push_back(std::move(row));
        }
        std::string name = name_.value_or(stem(source_));
        return Game(std::move(name), *wild_, std::move(rows), whole_bet / unit);
    }

    // The unit of the pays: the greatest common divisor of the bet and every pay. The largest
    // pay in it must stay within Game::kMaxPay; where it does not, the line to blame is the one
    // that, taken from the most coarsely divided pay to the most finely divided, breaks it.
    std::int64_t pay_unit(const std::vector<Decimal>& totals, std::int64_t whole_bet) const {
        std::vector<std::size_t> order(totals.size());
        std::iota(order.begin(), order.end(), 0);
        const auto coarseness = [&](std::size_t i) {
            return totals[i].digits == 0 ? whole_bet : std::gcd(totals[i].digits, whole_bet);
        };
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return coarseness(a) > coarseness(b);
        });
        std::int64_t unit = whole_bet;
        std::int64_t largest = 0;
        for (const std::size_t i : order) {
            unit = std::gcd(unit, totals[i].digits);
            largest = std::max(largest, totals[i].digits);
            if (largest / unit > Game::kMaxPay) {
                fail(hands_[i].line,
                     "pays this large or this finely divided cannot be counted exactly");
            }
        }
        return unit;
    }

    // A hand no line takes in is paid by the best line it also is (see also_is).
    void give_unpaid_hands(const ClassSet& claimed, const std::vector<std::int64_t>& pays,
                           std::vector<ClassSet>& taken) const {
        for (std::size_t c = 0; c < kHandClassCount; ++c) {
            const auto hand = static_cast<HC>(c);
            if (claimed.has(hand) || !dealt(hand)) {
                continue;
            }
            std::optional<std::size_t> best;
            for (const HC other : also_is(hand, *wild_)) {
                for (std::size_t i = 0; i < hands_.size(); ++i) {
                    if (taken[i].has(other) && (!best || pays[i] > pays[*best])) {
                        best = i;
                    }
                }
            }
            if (best) {
                taken[*best].add(hand);
            }
        }
    }

    // Whether the game's deck can make the class at all.
    bool dealt(HC hand) const {
        if (hand == HC::wild_royal || is_five_of_a_kind(hand)) {
            return *wild_ != Wild::none;
        }
        if (is_four_deuces(hand)) {
            return deuces_wild(*wild_);
        }
        if (hand == HC::five_wilds) {
            return *wild_ == Wild::deuces_joker;
        }
        return !is_four_of_a_kind(hand) || four_rank(hand) != four_kicker(hand);
    }

    ClassSet covered(const HandLine& h) const {
        ClassSet set;
        switch (h.word->form) {
            case Form::plain:
                set.add(h.word->hand);
                break;
            case Form::pair:
                for (int r = h.pair_rank; r < kRankCount; ++r) {
                    set.add(pair_of(r));
                }
                break;
            case Form::five:
                // With deuces wild the deck's four twos are the wild cards: a line of five
                // twos alone pays no hand.
                if (deuces_wild(*wild_) && (h.ranks & ~kTwos) == 0) {
                    break;
                }
                for (int r = 0; r < kRankCount; ++r) {
                    if (has_rank(h.ranks, r)) {
                        set.add(five_of(r));
                    }
                }
                break;
            case Form::four:
            case Form::fixed_four:
                set = fours(h);
                break;
        }
        return set;
    }

    // Four of each rank beside each kicker; with deuces wild the four 2s are the wild ones. A
    // four beside a kicker of its own rank is never dealt, so a line of nothing else pays none.
    ClassSet fours(const HandLine& h) const {
        ClassSet set;
        bool dealt = false;
        for (int q = 0; q < kRankCount; ++q) {
            for (int k = 0; k < kRankCount && has_rank(h.ranks, q); ++k) {
                if (!has_rank(h.kickers, k)) {
                    continue;
                }
                set.add(four_of(q, k));
                dealt = dealt || k != q;
                if (q == 0 && deuces_wild(*wild_)) {
                    set.add(four_deuces_with(k));
                }
            }
        }
        return dealt ? set : ClassSet{};
    }

    std::string label(const HandLine& h) const {
        switch (h.word->form) {
            case Form::pair:
                return std::string(rank_plural(h.pair_rank)) + " or better";
            case Form::five:
                return h.ranks == kEveryRank ? "five of a kind" : "five " + ranks_label(h.ranks);
            case Form::four:
            case Form::fixed_four: {
                std::string text = "four ";
                if (h.ranks == kEveryRank) {
                    text += "of a kind";
                } else if (h.ranks == kTwos && deuces_wild(*wild_)) {
                    text += "deuces";
                } else {
                    text += ranks_label(h.ranks);
                }
                return h.kickers == kEveryRank ? text : text + " with " + kicker_label(h.kickers);
            }
            case Form::plain:
                break;
        }
        if (h.word->word == "royal" && *wild_ != Wild::none) {
            return "natural royal";
        }
        return std::string(h.word->label);
    }

    const std::string& source_;
    MultiplierLines multipliers_{source_};
    int line_ = 0;
    std::optional<std::string> name_;
    std::optional<Wild> wild_;
    std::vector<HandLine> hands_;
    std::vector<ClassSet> covers_;
};

}  // namespace

Game parse_game(std::string_view text, const std::string& source, int coins) {
    if (coins < 0 || coins > kMostCoins) {
        throw GameFileError(source + ": cannot bet " + std::to_string(coins) + " coins");
    }
    return Parser(source).parse(text, coins);
}

std::string read_game_file_text(const std::string& path) {
    auto read = read_regular_file(path, kMostFileBytes);
    if (const auto* problem = std::get_if<FileProblem>(&read)) {
        throw GameFileError(path + ": " + problem->reason);
    }
    return std::move(std::get<std::string>(read));
}

Game read_game_file(const std::string& path, int coins) {
    return parse_game(read_game_file_text(path), path, coins);
}

std::vector<std::string_view> hand_words() {
    std::vector<std::string_view> words;
    for (const HandWord& word : kHandWords) {
        words.push_back(word.word);
    }
    return words;
}

}  // namespace quillon::odds
