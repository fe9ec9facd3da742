#include "odds/play/fast_classifier.h"

#include <stdexcept>

namespace quillon::odds {

namespace {

// Rank keys chosen greedily, each the smallest that keeps every sum of five ranks (at most four
// of one) distinct; the joker's key is the smallest above them that keeps the sums of one joker
// and four ranks, and of two jokers and three ranks, clear of each other and of the five-card
// ones.
constexpr std::array<std::uint32_t, kRankCount> kRankKeys = {
    0, 1, 5, 22, 94, 312, 992, 2422, 5624, 12522, 19998, 43258, 79415};
constexpr std::uint32_t kJokerKey = 148432;
static_assert(2 * kJokerKey + 3 * kRankKeys[kAce] < FastClassifier::kKeySpan);
constexpr std::uint32_t kEverySuit = 0x01010101u;

constexpr std::uint8_t kNoClass = 0xff;

// Fills the table for every multiset of `cards` ranks, at most four of any. With deuces wild the
// 2s among them are the wild cards; `jokers` jokers are added to each multiset.
class TableFiller {
  public:
    TableFiller(std::vector<std::uint8_t>& classes, const Game& game, int jokers)
        : classes_(classes), game_(game), jokers_(jokers) {}

    void fill(int rank, int cards_left, std::uint32_t key) {
        if (rank == kRankCount) {
            if (cards_left == 0) {
                store(key);
            }
            return;
        }
        const auto r = static_cast<std::size_t>(rank);
        for (int c = 0; c <= 4 && c <= cards_left; ++c) {
            counts_[r] = static_cast<std::uint8_t>(c);
            fill(rank + 1, cards_left - c, key + static_cast<std::uint32_t>(c) * kRankKeys[r]);
        }
        counts_[r] = 0;
    }

  private:
    void store(std::uint32_t key) {
        RankCounts naturals = counts_;
        int wilds = jokers_;
        if (game_.deuces_wild()) {
            wilds += naturals[0];
            naturals[0] = 0;
        }
        const std::uint32_t sum = key + static_cast<std::uint32_t>(jokers_) * kJokerKey;
        // Only natural cards of distinct ranks can share a suit.
        bool distinct = true;
        for (const std::uint8_t c : naturals) {
            distinct = distinct && c <= 1;
        }
        const ReadingSets sets = readings(naturals, wilds, distinct, game_.wild(), jokers_);
        put(sum, game_.best_reading(sets.plain));
        if (distinct) {
            put(sum + FastClassifier::kKeySpan, game_.best_reading(sets.flush));
        }
    }

    void put(std::size_t index, HandClass hand) {
        if (classes_.at(index) != kNoClass) {
            throw std::logic_error("rank keys collide");
        }
        classes_[index] = static_cast<std::uint8_t>(hand);
    }

    std::vector<std::uint8_t>& classes_;
    const Game& game_;
    const int jokers_;
    RankCounts counts_{};
};

}  // namespace

FastClassifier::FastClassifier(const Game& game) : classes_(2 * kKeySpan, kNoClass) {
    for (int code = 0; code < CardId::kCodes; ++code) {
        const CardId card = CardId::from_code(code);
        if (card.is_joker()) {
            words_[static_cast<std::size_t>(code)] = std::uint64_t{kJokerKey} << 32 | kEverySuit;
            continue;
        }
        const auto rank = static_cast<std::size_t>(engine_rank(card.rank()));
        const auto suit = static_cast<unsigned>(card.suit());
        const bool wild = game.deuces_wild() && rank == 0;
        words_[static_cast<std::size_t>(code)] =
            std::uint64_t{kRankKeys[rank]} << 32 | (wild ? kEverySuit : 1u << (8 * suit));
    }
    for (int jokers = 0; jokers <= game.jokers(); ++jokers) {
        TableFiller(classes_, game, jokers).fill(0, 5 - jokers, 0);
    }
    // Key sums no hand reaches stay unread; give them a harmless class.
    for (std::uint8_t& c : classes_) {
        c = c == kNoClass ? static_cast<std::uint8_t>(HandClass::nothing) : c;
    }
}

}  // namespace quillon::odds
