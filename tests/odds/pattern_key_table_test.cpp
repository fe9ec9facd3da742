#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "odds/games/pay_table.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/patterns/pattern_words.h"
#include "odds/strategy/words/distinction.h"

namespace quillon::odds {
namespace {

using namespace pattern_key;

PatternKey bits_of(const FieldRow& row) {
    return (row.bits == 64 ? ~PatternKey{0} : ((PatternKey{1} << row.bits) - 1)) << row.shift;
}

// Whether two fields can be set on one key: in a game both apply in, on a kind of key both
// mark, and for draws of a family both mark.
bool can_meet(const FieldRow& a, const FieldRow& b) {
    return (a.games & b.games) != 0 && (a.kinds & b.kinds) != 0 && (a.families & b.families) != 0;
}

TEST(PatternKeyTable, FieldsThatCanMeetNeverShareABit) {
    std::set<std::string_view> names;
    for (const FieldRow& row : kFieldTable) {
        EXPECT_TRUE(names.insert(row.name).second) << row.name << " is in the table twice";
        EXPECT_GT(row.bits, 0u) << row.name;
        EXPECT_LE(row.shift + row.bits, 64u) << row.name << " runs past the key";
        EXPECT_NE(row.games, 0u) << row.name << " applies in no game";
    }
    for (std::size_t i = 0; i < kFieldTable.size(); ++i) {
        for (std::size_t j = i + 1; j < kFieldTable.size(); ++j) {
            const FieldRow& a = kFieldTable[i];
            const FieldRow& b = kFieldTable[j];
            if ((bits_of(a) & bits_of(b)) != 0) {
                EXPECT_FALSE(can_meet(a, b)) << a.name << " and " << b.name << " share bits";
            }
        }
    }
}

TEST(PatternKeyTable, EveryFieldHoldsItsWholeRange) {
    for (const FieldRow& row : kFieldTable) {
        const Field f{row.shift, row.bits};
        const unsigned most = (1u << row.bits) - 1;
        EXPECT_EQ(get(put(f, most), f), most) << row.name;
        EXPECT_EQ(put(f, most), bits_of(row)) << row.name;
        EXPECT_EQ(get(~bits_of(row), f), 0u) << row.name << " reads bits outside its own";
    }
}

// Every word a game can say sets only fields that the table lets apply in that game, on that
// kind of key and family of draw: a distinction that sets a field elsewhere could meet another
// distinction's field in the same bits. One game of each kind the table tells apart.
TEST(PatternKeyTable, EveryWordKeepsToItsFields) {
    for (const std::string_view name :
         {"quillon", "joker-kings-20-7-5", "deuces-wild-full-pay", "double-double-bonus-10-6"}) {
        const Game game = find_game(name).value();
        const RankProfile profile = rank_profile(game);
        const unsigned games = games_of(profile);
        for (const PatternKey key : vocabulary(game, profile)) {
            const unsigned kind = kind_bit(kind_of(key));
            const unsigned family =
                kind_of(key) == Kind::draw ? family_bit(family_of(key)) : kAnyFamily;
            PatternKey allowed = 0;
            for (const FieldRow& row : kFieldTable) {
                if ((row.games & games) != 0 && (row.kinds & kind) != 0 &&
                    (row.families & family) != 0) {
                    allowed |= bits_of(row);
                }
            }
            EXPECT_EQ(key & ~allowed, 0u)
                << name << ": \"" << pattern_text(key, game, profile)
                << "\" sets bits outside its fields: " << std::hex << (key & ~allowed);
        }
    }
}

// The owners the table names, split at commas.
std::vector<std::string_view> owners_of(const FieldRow& row) {
    std::vector<std::string_view> out;
    std::string_view rest = row.owner;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(", ");
        out.push_back(rest.substr(0, comma));
        rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 2);
    }
    return out;
}

// Every field belongs to the pattern itself or to registered distinctions, and applies only in
// games where one of its owners does: a field outside its owners' games would be set where no
// owner is asked to write or read it.
TEST(PatternKeyTable, EveryFieldHasRegisteredOwnersInItsGames) {
    std::set<std::string_view> names;
    for (const Distinction* d : distinctions()) {
        EXPECT_TRUE(names.insert(d->name()).second) << d->name() << " is registered twice";
        EXPECT_NE(d->games(), 0u) << d->name();
    }
    for (const FieldRow& row : kFieldTable) {
        unsigned games = 0;
        for (const std::string_view owner : owners_of(row)) {
            if (owner == "pattern") {
                games = kAnyGame;
                continue;
            }
            const auto it = std::find_if(distinctions().begin(), distinctions().end(),
                                         [&](const Distinction* d) { return d->name() == owner; });
            ASSERT_NE(it, distinctions().end()) << row.name << ": no distinction " << owner;
            games |= (*it)->games();
        }
        EXPECT_EQ(row.games & ~games, 0u) << row.name << " applies where none of its owners does";
    }
}

// The rows of the registry's table: each distinction's name and the fields it brings.
struct RegistryRow {
    std::string_view name;
    std::vector<FieldRow> fields;
};

std::vector<RegistryRow> registry_rows() {
#define FIELD(constant, ...) FieldRow{__VA_ARGS__},
#define DISTINCTION(file, name, ...) RegistryRow{name, {__VA_ARGS__}},
    return {
#include "odds/strategy/words/registry.def"
    };
#undef DISTINCTION
#undef FIELD
}

// The registry holds the distinction of each row of its table, in the table's order, and each
// row's fields name that distinction among their owners: a file whose object took another name,
// or a row in the wrong place, would be asked out of turn or never.
TEST(PatternKeyTable, RegistryHoldsEachRowsDistinctionInOrder) {
    const std::vector<RegistryRow> rows = registry_rows();
    const auto registered = distinctions();
    ASSERT_EQ(registered.size(), rows.size());
    std::size_t fields = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(registered[i]->name(), rows[i].name) << "row " << i;
        for (const FieldRow& row : rows[i].fields) {
            const std::vector<std::string_view> owners = owners_of(row);
            EXPECT_NE(std::find(owners.begin(), owners.end(), rows[i].name), owners.end())
                << row.name << " sits in the row of " << rows[i].name << ", not among its owners";
            ++fields;
        }
    }
    // The key's table holds the pattern's own fields, then the rows' fields.
    const auto pattern = std::count_if(kFieldTable.begin(), kFieldTable.end(),
                                       [](const FieldRow& row) { return row.owner == "pattern"; });
    EXPECT_EQ(static_cast<std::size_t>(pattern) + fields, kFieldTable.size());
}

// A game is asked only of the distinctions of its own games, in the registry's order.
TEST(PatternKeyTable, EachGameAsksItsOwnDistinctionsInOrder) {
    for (const char* name :
         {"quillon", "joker-kings-20-7-5", "deuces-wild-full-pay", "jacks-or-better-9-6"}) {
        const RankProfile profile = rank_profile(find_game(name).value());
        std::vector<const Distinction*> expected;
        for (const Distinction* d : distinctions()) {
            if ((d->games() & games_of(profile)) != 0) {
                expected.push_back(d);
            }
        }
        const auto asked = distinctions_for(profile);
        EXPECT_EQ(std::vector<const Distinction*>(asked.begin(), asked.end()), expected) << name;
        EXPECT_FALSE(expected.empty()) << name;
        // Each hook is asked of those of them that override it, still in order.
        for (unsigned h = 0; h < kHookCount; ++h) {
            std::vector<const Distinction*> overriding;
            std::copy_if(expected.begin(), expected.end(), std::back_inserter(overriding),
                         [&](const Distinction* d) { return (d->hooks() >> h & 1u) != 0; });
            const auto hooked = distinctions_for(profile, static_cast<Hook>(h));
            EXPECT_EQ(std::vector<const Distinction*>(hooked.begin(), hooked.end()), overriding)
                << name << ", hook " << h;
        }
    }
}

// The hooks a distinction is asked are those its class overrides, and no other: a hook left out
// would never be asked, one put in would be asked for nothing.
class TwoHooks final : public Registered<TwoHooks> {
  public:
    TwoHooks() : Registered("two hooks", kAnyGame) {}
    std::string draw_words(PatternKey, const RankProfile&) const override { return ", told"; }
    bool merges(PatternKey) const override { return false; }
};

TEST(PatternKeyTable, HooksAreThoseAClassOverrides) {
    static_assert(hooks_of<TwoHooks>() == (1u << kDrawWords | 1u << kMerges));
    EXPECT_EQ(TwoHooks::instance().hooks(), 1u << kDrawWords | 1u << kMerges);
    for (const Distinction* d : distinctions()) {
        EXPECT_NE(d->hooks(), 0u) << d->name() << " overrides no hook";
    }
}

}  // namespace
}  // namespace quillon::odds
