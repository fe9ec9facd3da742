// Drills without a window: the mistakes of a saved session come back as exactly those deals, a
// deal leaves after the stated run of right answers, a disguised deal plays as the original,
// the score is the coach's accuracy, the hardest deals are close calls, and progress reads back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "coach/deal_advice.h"
#include "coach/session.h"
#include "coach/session_file.h"
#include "odds/games/pay_table.h"
#include "trainer/drill/drill_deals.h"
#include "trainer/drill/drill_progress.h"
#include "trainer/drill/drill_run.h"
#include "trainer/drill/drill_schedule.h"

namespace quillon::trainer {
namespace {

std::array<CardId, 5> cards(std::initializer_list<const char*> texts) {
    std::array<CardId, 5> out{};
    std::size_t i = 0;
    for (const char* t : texts) {
        out[i++] = CardId::parse(t).value();
    }
    return out;
}

DrillDeal drill_deal(std::array<CardId, 5> deal, double weight = 1.0) {
    DrillDeal d;
    d.deal = deal;
    d.weight = weight;
    return d;
}

// A short session of Jacks or Better: three mistakes among five hands, one of them made twice
// on the same deal in other suits.
coach::Session known_session(const coach::GameAtBet& at) {
    coach::Session session;
    session.start_credit(1000);
    const auto play = [&](std::array<CardId, 5> deal, coach::HoldMask hold) {
        const coach::DealAdvice advice(at, nullptr, deal);
        session.add(coach::make_record(advice, hold, deal, "nothing", 0.0));
    };
    play(cards({"s11", "h11", "d3", "c7", "s13"}), 0b00011);   // the pair: best
    play(cards({"s11", "h11", "d3", "c7", "s13"}), 0b10011);   // the pair and a kicker
    play(cards({"s1", "s13", "s12", "s11", "d10"}), 0b11111);  // the straight over 4 to a royal
    play(cards({"d5", "c9", "h2", "s8", "d13"}), 0b10000);     // a lone king: best
    play(cards({"h11", "d11", "s3", "c7", "h13"}), 0b10011);   // the first mistake again
    return session;
}

TEST(DrillDeals, ASavedSessionGivesBackExactlyItsMistakes) {
    const coach::GameAtBet at(odds::find_game("jacks-or-better-9-6", 5).value(), 5);
    const coach::Session session = known_session(at);
    ASSERT_EQ(session.totals().mistakes, 3);
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("quillon-drill-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string base = (dir / "session").string();
    ASSERT_TRUE(coach::save_session(session, base));

    std::vector<DrillDeal> wanted = session_mistakes(session);
    ASSERT_EQ(wanted.size(), 3u);
    for (const char* suffix : {".json", ".csv"}) {
        const std::vector<DrillDeal> read = session_file_mistakes(base + suffix);
        ASSERT_EQ(read.size(), wanted.size()) << suffix;
        for (std::size_t i = 0; i < read.size(); ++i) {
            EXPECT_EQ(deal_key(read[i].deal), deal_key(wanted[i].deal)) << suffix;
            EXPECT_NEAR(read[i].weight, wanted[i].weight, 1e-6) << suffix;
            EXPECT_NE(read[i].origin.find("session."), std::string::npos) << read[i].origin;
        }
    }
    // In a drill the deal met twice is one deal, weighed by its costlier mistake.
    DrillSchedule schedule;
    for (DrillDeal& d : wanted) {
        schedule.add(std::move(d));
    }
    EXPECT_EQ(schedule.deals().size(), 2u);
    // A file that is no session says so.
    EXPECT_THROW(session_file_mistakes((dir / "none.json").string()), std::runtime_error);
    std::filesystem::remove_all(dir);
}

TEST(DrillSchedule, ADealLeavesAfterTheStatedRunOfRightAnswers) {
    DrillSchedule schedule(3);
    schedule.add(drill_deal(cards({"s11", "h11", "d3", "c7", "s13"})));
    schedule.add(drill_deal(cards({"s1", "s13", "s12", "s11", "d10"})));
    schedule.add(drill_deal(cards({"d5", "c9", "h2", "s8", "d13"})));
    // The same deal in other suits and order is not a new one.
    schedule.add(drill_deal(cards({"c13", "d11", "h3", "s7", "c11"})));
    ASSERT_EQ(schedule.deals().size(), 3u);
    // Deal 0 is answered wrong once, then right; the others always right.
    std::vector<int> right_in_a_row(3, 0);
    std::vector<int> shown(3, 0);
    std::optional<std::size_t> last;
    bool missed_once = false;
    int wrong_at = -1;
    while (const std::optional<std::size_t> next = schedule.next()) {
        ASSERT_LT(schedule.turn(), 40);
        if (schedule.left() > 1) {
            EXPECT_NE(next, last) << "the same deal twice running while others are left";
        }
        if (wrong_at >= 0 && *next == 0) {
            // A miss brings the deal back within two turns.
            EXPECT_LE(schedule.turn() - wrong_at, 2);
            wrong_at = -1;
        }
        const bool right = !(*next == 0 && right_in_a_row[0] == 1 && !missed_once);
        if (!right) {
            missed_once = true;
            wrong_at = schedule.turn() + 1;
            right_in_a_row[0] = 0;
        } else {
            ++right_in_a_row[*next];
        }
        ++shown[*next];
        schedule.answer(*next, right);
        EXPECT_EQ(schedule.deals()[*next].learned(), right_in_a_row[*next] == 3);
        last = next;
    }
    EXPECT_EQ(schedule.left(), 0u);
    EXPECT_EQ(shown, (std::vector<int>{5, 3, 3}));
    EXPECT_EQ(schedule.deals()[0].missed, 1);
    EXPECT_EQ(schedule.deals()[0].answers, 5);
    // Right answers space a deal out further each time.
    EXPECT_LT(DrillSchedule::gap(1), DrillSchedule::gap(2));
    EXPECT_LT(DrillSchedule::gap(2), DrillSchedule::gap(3));
}

TEST(DrillDeals, ADisguisedDealPlaysAsTheOriginal) {
    const coach::GameAtBet at(odds::find_game("jacks-or-better-9-6", 5).value(), 5);
    std::mt19937_64 random(11);
    const auto deal = cards({"s1", "s13", "s12", "s11", "d10"});
    const coach::DealAdvice original(at, nullptr, deal);
    std::set<std::string> looks;
    for (int i = 0; i < 12; ++i) {
        const std::array<CardId, 5> shown = disguised(deal, random);
        EXPECT_EQ(deal_key(shown), deal_key(deal));
        const coach::DealAdvice advice(at, nullptr, shown);
        EXPECT_DOUBLE_EQ(advice.value(advice.best().mask), original.value(original.best().mask));
        EXPECT_EQ(coach::hold_names(shown, advice.best().mask).size(),
                  coach::hold_names(deal, original.best().mask).size());
        looks.insert(coach::hold_names(shown, 0x1f));
    }
    EXPECT_GT(looks.size(), 6u) << "the deal keeps its look";
}

TEST(DrillRun, AnswersAreScoredByValueAndMissesListed) {
    const odds::Game game = odds::find_game("jacks-or-better-9-6", 5).value();
    DrillSchedule schedule(2);
    schedule.add(drill_deal(cards({"s11", "h11", "d3", "c7", "s13"}), 0.1));
    schedule.add(drill_deal(cards({"s1", "s13", "s12", "s11", "d10"}), 0.5));
    DrillRun run(game, 5, nullptr, std::move(schedule), 3);
    double held = 0.0;
    double best = 0.0;
    int answers = 0;
    while (run.next()) {
        ASSERT_LT(answers, 20);
        const coach::DealAdvice& advice = run.advice();
        // The first showing of each deal is answered by discarding everything.
        const bool first = run.schedule().deals()[*run.current()].answers == 0;
        const coach::HoldMask hold = first ? 0 : advice.best().mask;
        const DrillRun::Verdict v = run.answer(hold);
        EXPECT_EQ(v.right, advice.is_best(hold));
        EXPECT_DOUBLE_EQ(v.cost, advice.cost(hold));
        held += v.value;
        best += v.best_value;
        ++answers;
        if (answers == 2) {
            ASSERT_EQ(run.still_missed().size(), 2u);
            EXPECT_DOUBLE_EQ(run.still_missed().front()->weight, 0.5);
        }
    }
    EXPECT_EQ(answers, 6);
    EXPECT_TRUE(run.still_missed().empty());
    EXPECT_EQ(run.answers().totals().hands, 6);
    EXPECT_EQ(run.answers().totals().mistakes, 2);
    EXPECT_NEAR(run.answers().totals().accuracy(), 100.0 * held / best, 1e-9);
    // Fresh deals never run out.
    DrillRun fresh(game, 5, nullptr, DrillSchedule{}, 4);
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(fresh.next());
        EXPECT_FALSE(fresh.current().has_value());
        fresh.answer(0);
    }
    EXPECT_EQ(fresh.answers().totals().hands, 5);
}

TEST(DrillDeals, TheHardestDealsAreCostlyCloseCalls) {
    const odds::Tallies tallies(odds::find_game("jacks-or-better-9-6", 5).value());
    const std::vector<DrillDeal> hardest = hardest_deals(tallies, nullptr, 10);
    ASSERT_EQ(hardest.size(), 10u);
    const coach::GameAtBet at(tallies.game(), 5);
    std::set<std::array<int, 5>> keys;
    for (std::size_t i = 0; i < hardest.size(); ++i) {
        const DrillDeal& d = hardest[i];
        if (i > 0) {
            EXPECT_LE(d.weight, hardest[i - 1].weight);
        }
        EXPECT_TRUE(keys.insert(deal_key(d.deal)).second);
        // The runner-up returns within a tenth of the best.
        const coach::DealAdvice advice(at, &tallies, d.deal);
        const double first = advice.ranked()[0].expected_return();
        const double second = advice.ranked()[1].expected_return();
        EXPECT_LT(second, first);
        EXPECT_GE(second, 0.9 * first);
        EXPECT_NE(d.origin.find("close call"), std::string::npos);
    }
}

TEST(DrillProgress, ASavedDrillReadsBackAsItWas) {
    DrillSchedule schedule(3);
    schedule.add(drill_deal(cards({"s11", "h11", "d3", "c7", "s13"}), 0.25));
    schedule.add(drill_deal(cards({"joker", "s13", "s12", "s11", "d10"}), 0.5));
    schedule.answer(0, true);
    schedule.answer(1, false);
    const std::string text = progress_json(DrillProgress{"Quillon", 5, schedule});
    const DrillProgress back = progress_from_json(text);
    EXPECT_EQ(back.game, "Quillon");
    EXPECT_EQ(back.coins, 5);
    EXPECT_EQ(back.schedule.turn(), schedule.turn());
    ASSERT_EQ(back.schedule.deals().size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const DrillDeal& a = schedule.deals()[i];
        const DrillDeal& b = back.schedule.deals()[i];
        EXPECT_EQ(a.deal, b.deal);
        EXPECT_EQ(a.streak, b.streak);
        EXPECT_EQ(a.due, b.due);
        EXPECT_EQ(a.missed, b.missed);
        EXPECT_DOUBLE_EQ(a.weight, b.weight);
    }
    EXPECT_EQ(progress_json(back), text);
    EXPECT_THROW(progress_from_json("{\"format\": \"something else\"}"), std::runtime_error);
    EXPECT_THROW(progress_from_json(text.substr(0, text.size() / 2)), std::runtime_error);
}

}  // namespace
}  // namespace quillon::trainer
