// The tables of figures worked out ahead as the program reads them: the reader of their text,
// the numbers read back bit for bit, and the stamps of the built-in tables.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "odds/known/known_by_play.h"
#include "odds/known/known_table.h"
#include "odds/known/known_texts.h"
#include "odds/known/known_ultimate_x.h"

namespace quillon::odds {
namespace {

using known::read_table;

constexpr std::string_view kColumns[] = {"game", "play", "chances"};

TEST(KnownTable, ReadsWhatTheWritersWrite) {
    const std::string text =
        known::table_head("two lines\n\nof notes", "some_method", 7, kColumns) +
        "jacks\t2\t0.5,0.25\n" + "deuces\t3\t\n";
    EXPECT_EQ(text.substr(0, text.find("method")), "# two lines\n#\n# of notes\n");
    const known::Table table = read_table(text);
    EXPECT_EQ(table.method, "some_method");
    EXPECT_EQ(table.version, 7);
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.column("chances"), 2u);
    EXPECT_THROW(table.column("bankroll"), std::runtime_error);
    EXPECT_EQ(table.rows[0][0], "jacks");
    EXPECT_EQ(known::integer_cell(table.rows[1][1]), 3);
    EXPECT_EQ(known::number_list(table.rows[0][2]), (std::vector<double>{0.5, 0.25}));
    EXPECT_TRUE(known::number_list(table.rows[1][2]).empty()) << "an empty cell, an empty list";
    // A reader takes the columns it names in its own order, whatever order the file has.
    constexpr std::string_view kReader[] = {"chances", "game"};
    const std::vector<std::vector<std::string_view>> rows = table.rows_in(kReader);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::string_view>{"0.5,0.25", "jacks"}));
    EXPECT_EQ(rows[1], (std::vector<std::string_view>{"", "deuces"}));
    constexpr std::string_view kMissing[] = {"game", "bankroll"};
    EXPECT_THROW(table.rows_in(kMissing), std::runtime_error);
}

TEST(KnownTable, RefusesATableThatDoesNotRead) {
    const auto message = [](const std::string& text) {
        try {
            read_table(text);
        } catch (const std::runtime_error& e) {
            return std::string(e.what());
        }
        return std::string("read");
    };
    EXPECT_NE(message("game\tplay\n").find("line 1"), std::string::npos) << "no stamp";
    EXPECT_NE(message("# note\nmethod\tm\tone\n").find("line 2"), std::string::npos);
    EXPECT_NE(message("method\tm\t1\n").find("columns"), std::string::npos);
    EXPECT_NE(message("method\tm\t1\na\tb\n1\t2\n1\t2\t3\n").find("line 4: 3 cells, not 2"),
              std::string::npos);
    EXPECT_THROW(known::number_cell("0.5x"), std::runtime_error);
    EXPECT_THROW(known::number_cell(""), std::runtime_error);
    EXPECT_THROW(known::integer_cell("2.5"), std::runtime_error);
    EXPECT_THROW(known::integer_list("1,,2"), std::runtime_error);
}

// The figures must be the very doubles the methods found: seventeen digits read back exactly,
// the last bit of each included, whatever the program's locale.
TEST(KnownTable, NumbersReadBackBitForBit) {
    std::vector<double> values = {0.1,
                                  1.0 / 3.0,
                                  2.1344256587176931e-14,
                                  std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<double>::min(),
                                  std::numeric_limits<double>::max(),
                                  -0.0,
                                  12.098610095716435};
    for (double x = 1e-300; x < 1e300; x *= 7.77) {
        values.push_back(std::nextafter(x, 1.0));
    }
    for (const double x : values) {
        const double back = known::number_cell(known::exact_number(x));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(x))
            << known::exact_number(x);
    }
    const std::vector<double> list(values.begin(), values.begin() + 4);
    EXPECT_EQ(known::number_list(known::list_cell<double>(list)), list);
}

// A method's figures are used only from a table its present version wrote: a version raised
// without the `regenerate` target run leaves the table unused, and this test says which.
TEST(KnownTable, EveryBuiltInTableIsOfItsMethodsVersion) {
    for (const KnownMethod& method : {kWithinMethod, kRuinMethod, kUltimateXMethod}) {
        EXPECT_TRUE(known::read_current(method).has_value())
            << "odds/known/" << method.table << ".tsv was not written by " << method.name
            << " version " << method.version << ": run the regenerate target";
    }
    EXPECT_EQ(known_texts().size(), 3u);
    EXPECT_THROW(known::read_current({"none", "nothing", 1}), std::runtime_error);
}

TEST(KnownTable, UltimateXRowsHoldAValueAndAChanceForEachTotal) {
    ASSERT_FALSE(known_ultimate_x_games().empty());
    for (const KnownUltimateX& k : known_ultimate_x_games()) {
        EXPECT_EQ(k.figures.size(), 8u) << k.found_for.name;
        EXPECT_EQ(k.value.size(), k.chance.size()) << k.found_for.name << " on " << k.lines;
        EXPECT_EQ(k.found_for.pays.size(), k.earned.size())
            << k.found_for.name << " on " << k.lines;
        double total = 0.0;
        for (const double c : k.chance) {
            total += c;
        }
        EXPECT_NEAR(total, 1.0, 1e-12) << k.found_for.name << " on " << k.lines;
    }
}

}  // namespace
}  // namespace quillon::odds
