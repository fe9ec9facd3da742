// The coach beside the table, offscreen, with stacked cards: its figures are the odds engine's
// for the same deal and bet, a mistake is counted at its exact cost, a warned DRAW held back
// leaves the machine as it was, and the saved session adds up to what the window shows.
#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <sstream>

#include "coach/session_plot.h"
#include "coach/table_coach.h"
#include "game/meter.h"
#include "odds/play/deal_analysis.h"
#include "odds/play/double_up.h"
#include "odds/play/tallies.h"
#include "odds/strategy/chart/chart_report.h"
#include "odds/strategy/chart/chart_score.h"
#include "odds/strategy/search/strategy_chart.h"
#include "tests/coach/chart_watch.h"
#include "tests/coach/coach_test_support.h"
#include "tests/ui/table_fixture.h"

using namespace quillon;
using namespace quillon::ui::testing;
using namespace quillon::coach;
using namespace quillon::coach::testing;

namespace {

std::string hold_button(int slot) {
    return "Label" + std::to_string(11 - 2 * slot);
}

std::array<CardId, 5> cards_of(std::initializer_list<const char*> texts) {
    std::array<CardId, 5> out{};
    std::size_t i = 0;
    for (const char* t : texts) {
        out[i++] = card(t);
    }
    return out;
}

// Every control and every state variable of the machine, as text.
std::string snapshot(const Machine& m) {
    std::ostringstream out;
    for_each_control(m.controls(), [&](const ConstControlRef& r) {
        out << r.entry->name << r.index << ':';
        if (r.label != nullptr) {
            out << r.label->caption << r.label->visible << r.label->enabled << r.label->fore.rgb
                << ',' << r.label->back.rgb;
        } else if (r.picture != nullptr) {
            out << r.picture->left << r.picture->visible;
        } else if (r.frame != nullptr) {
            out << r.frame->visible;
        } else if (r.timer != nullptr) {
            out << r.timer->enabled << r.timer->starts;
        }
        out << '\n';
    });
    const MachineState& s = m.state();
    for (const CardId c : s.cards.deck) {
        out << c.code() << ' ';
    }
    out << s.cards.deck_top << ' ' << s.cards.drawn_index << ' ' << s.bet_coins << ' '
        << s.bet_one_count << ' ' << s.round_bet_open << ' ' << static_cast<int>(s.hand_name);
    for (std::size_t i = 0; i < 5; ++i) {
        out << ' ' << static_cast<int>(s.hand_suit[i]) << '/' << s.hand_rank[i] << '/'
            << s.sorted_rank[i] << '/' << s.hold_flags[i];
    }
    return out.str();
}

struct CoachedTable {
    CoachedTable() {
        table.start();
        // Coins for a long session: F12 adds a hundred each time.
        for (int i = 0; i < 30; ++i) {
            QTest::keyClick(&table.window, Qt::Key_F12);
        }
        coach.open();
        QVERIFY(QTest::qWaitForWindowExposed(&coach));
    }

    // BET max, the deal stacked, then the draw's cards stacked behind it.
    bool deal(std::initializer_list<const char*> dealt, std::initializer_list<const char*> drawn) {
        std::deque<CardId> cards;
        for (const char* c : dealt) {
            cards.push_back(card(c));
        }
        for (const char* c : drawn) {
            cards.push_back(card(c));
        }
        table.machine.stack_cards(cards);
        if (table.label("payback")->isEnabled() && !table.click("payback")) {
            return false;
        }
        return table.click("Label17") && table.click("deal");
    }
    bool hold(std::initializer_list<int> chosen) {
        for (const int s : chosen) {
            if (!table.click(hold_button(s))) {
                return false;
            }
        }
        return true;
    }

    Table table;
    TableCoach coach{table.machine, table.window};
    CoachPanel& panel = coach.panel();
};

const odds::Game& quillon_at(int coins) {
    static std::map<int, odds::Game> games;
    auto it = games.find(coins);
    if (it == games.end()) {
        it = games.emplace(coins, odds::find_game("quillon", coins).value()).first;
    }
    return it->second;
}

}  // namespace

class CoachTableTest : public QObject {
    Q_OBJECT
  private slots:
    void chartBuildCalledOffByAnotherGameAndByTheClose() {
        ChartWatch watch;
        auto panel = std::make_unique<CoachPanel>([](int coins) { return machine_game(coins); }, 5,
                                                  nullptr, watch.maker());
        QSignalSpy ready(panel.get(), &CoachPanel::chartReady);
        std::future<void> first = watch.started(0);
        std::future<bool> first_end = watch.ended(0);
        QVERIFY(ready_soon(first));
        // Another game while the chart is built: the old build gives up, and never reports.
        panel->set_game([](int coins) { return machine_game(coins); }, 1);
        QCOMPARE(first_end.wait_for(std::chrono::milliseconds(kCloseMs)),
                 std::future_status::ready);
        QVERIFY(!first_end.get());
        std::future<void> second = watch.started(1);
        std::future<bool> second_end = watch.ended(1);
        QVERIFY(ready_soon(second));
        QCoreApplication::processEvents();
        QCOMPARE(ready.size(), 0);
        // Closed while the next is built: the panel returns at once, and its build has ended by
        // then; no pool thread is left running.
        QElapsedTimer clock;
        clock.start();
        panel.reset();
        QVERIFY2(clock.elapsed() < kCloseMs, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(ready_now(second_end));
        QVERIFY(!second_end.get());
        QVERIFY(QThreadPool::globalInstance()->waitForDone(1000));
        QCoreApplication::processEvents();
        QCOMPARE(ready.size(), 0);
    }

    void holdsRankedAsTheOddsEngineRanksThem() {
        CoachedTable t;
        const auto deal = cards_of({"s1", "s13", "s12", "d2", "joker"});
        QVERIFY(t.deal({"s1", "s13", "s12", "d2", "joker"}, {}));
        const odds::Game& game = quillon_at(10);
        const odds::FastClassifier classifier(game);
        const auto holds = odds::analyze_one_deal(game, classifier, deal);
        const auto ranked = odds::holds_best_first(holds, deal);
        const auto* table = child<QTableWidget>(t.panel, "holds");
        // The top five and the player's hold (nothing held yet: draw five).
        QCOMPARE(table->rowCount(), 6);
        for (int r = 0; r < 5; ++r) {
            const odds::HoldOutcome& h = ranked[static_cast<std::size_t>(r)];
            QCOMPARE(cell_text(table, r, 1), QString::fromStdString(hold_names(deal, h.mask)));
            QCOMPARE(cell_text(table, r, 2), QString::number(h.expected_return() * 10, 'f', 4));
        }
        QCOMPARE(cell_text(table, 5, 1), QStringLiteral("nothing (draw five)"));
        QVERIFY(cell_text(table, 5, 0).startsWith(QStringLiteral("▶")));
        QCOMPARE(cell_text(table, 5, 2), QString::number(holds[0].expected_return() * 10, 'f', 4));

        // Each HOLD moves the mark; the chances follow the marked hold.
        QVERIFY(t.hold({0, 1, 2, 4}));
        QCOMPARE(t.panel.hold(), odds::HoldMask{0b10111});
        QCOMPARE(table->rowCount(), 5);
        QVERIFY(cell_text(table, 0, 0).startsWith(QStringLiteral("▶")));
        QCOMPARE(ranked.front().mask, odds::HoldMask{0b10111});
        const auto* chances = child<QTableWidget>(t.panel, "chances");
        int row = 0;
        for (std::size_t r = 0; r < game.row_count(); ++r) {
            if (game.pay(r) == 0) {
                continue;
            }
            const double chance =
                100.0 * holds[0b10111].counts[r] / static_cast<double>(holds[0b10111].draws);
            QCOMPARE(cell_text(chances, row, 0), QString::fromStdString(game.rows()[r].label));
            QCOMPARE(cell_text(chances, row, 1), QString::number(chance, 'f', 4) + " %");
            ++row;
        }
        QCOMPARE(chances->rowCount(), row);
        QVERIFY(t.hold({4}));
        QVERIFY(cell_text(table, 5, 0).startsWith(QStringLiteral("▶")));
        QCOMPARE(cell_text(table, 5, 1), QStringLiteral("A♠ K♠ Q♠"));
    }

    void chartLineIsTheChartsOwn() {
        CoachedTable t;
        QSignalSpy ready(&t.panel, &CoachPanel::chartReady);
        QVERIFY(t.deal({"h5", "h6", "c9", "s11", "joker"}, {}));
        QVERIFY(t.panel.chart_ready() || ready.wait(kChartMs));
        const odds::Game& game = quillon_at(0);
        const odds::Tallies tallies(game);
        odds::Chart chart;
        std::vector<std::string> words;
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
        // A second whole chart takes minutes under the sanitizers: there the chart the coach kept
        // stands in for it (the release build checks the coach against a build of its own).
        const CoachChart kept = build_chart(tallies);
        chart = kept.chart;
        words = kept.lines;
#else
        const odds::ChartReport report = odds::make_strategy_chart(tallies, 0, game.name());
        chart = report.chart;
        for (const auto& line : report.chart.lines) {
            words.push_back(line.words);
        }
#endif
        // The chart scorer's decision: the coach's line is the one `quillon-odds chart` names.
        const auto deal = cards_of({"h5", "h6", "c9", "s11", "joker"});
        const odds::ChartDecision decision = odds::decide_deal(chart, game, deal);
        QVERIFY(decision.line != 0);
        const odds::ChartPick pick{decision.line - 1, decision.hold};
        QVERIFY(t.panel.chart_line().has_value());
        QCOMPARE(t.panel.chart_line()->line, pick.line);
        QCOMPARE(t.panel.chart_line()->hold, pick.mask);
        const QString text = child<QLabel>(t.panel, "chartLine")->text();
        QVERIFY2(text.contains(QString::fromStdString(words[pick.line])), qPrintable(text));
        const auto* lines = child<QListWidget>(t.panel, "chartLines");
        QCOMPARE(lines->count(), static_cast<int>(words.size()));
        QCOMPARE(lines->currentRow(), static_cast<int>(pick.line));
        t.panel.show_page(2);
        save_screenshot(t.coach, QStringLiteral("coach_chart"));
        t.panel.show_page(0);
        save_screenshot(t.coach, QStringLiteral("coach_this_hand"));
    }

    void mistakeCountedAtItsExactCost() {
        CoachedTable t;
        // Held: the pair of 9s only; the best keeps the joker with them.
        QVERIFY(t.deal({"c9", "d9", "h2", "s5", "joker"}, {"s7", "d13", "h12"}));
        QVERIFY(t.hold({0, 1}));
        const auto deal = cards_of({"c9", "d9", "h2", "s5", "joker"});
        const odds::Game& game = quillon_at(10);
        const odds::FastClassifier classifier(game);
        const auto holds = odds::analyze_one_deal(game, classifier, deal);
        const odds::HoldOutcome best = odds::holds_best_first(holds, deal).front();
        QVERIFY(best.mask != 0b00011);
        const double cost = best.expected_return() * 10 - holds[0b00011].expected_return() * 10;
        QVERIFY(t.table.click("draw"));
        const SessionTotals& totals = t.panel.session().totals();
        QCOMPARE(totals.hands, 1);
        QCOMPARE(totals.mistakes, 1);
        QCOMPARE(totals.best_holds, 0);
        QCOMPARE(totals.cost, cost);
        QCOMPARE(totals.paid, 0.0);
        QCOMPARE(child<QLabel>(t.panel, "verdict")->text(),
                 QStringLiteral("you held 9♣ 9♦, best was %1, cost %2 coins")
                     .arg(QString::fromStdString(hold_names(deal, best.mask)))
                     .arg(QString::number(cost, 'f', 4)));
        // A best hold: no cost, the verdict says so.
        QVERIFY(t.deal({"s1", "s13", "s12", "d2", "joker"}, {"s11"}));
        QVERIFY(t.hold({0, 1, 2, 4}));
        QVERIFY(t.table.click("draw"));
        QCOMPARE(t.panel.session().totals().best_holds, 1);
        QCOMPARE(t.panel.session().totals().cost, cost);
        QCOMPARE(child<QLabel>(t.panel, "verdict")->text(), QStringLiteral("best hold"));
        QCOMPARE(t.panel.session().totals().paid, 10000.0);
        // The mistake is listed, and a click on it shows its deal's holds again.
        t.panel.show_page(1);
        auto* mistakes = child<QTableWidget>(t.panel, "mistakes");
        QCOMPARE(mistakes->rowCount(), 1);
        QCOMPARE(cell_text(mistakes, 0, 4), QString::number(cost, 'f', 4));
        // Two hands: the plot's ticks are at whole hands.
        QCOMPARE(child<SessionPlot>(t.panel, "sessionPlot")->hand_ticks(),
                 (std::vector<double>{0, 1, 2}));
        save_screenshot(t.coach, QStringLiteral("coach_session"));
        QTest::mouseClick(mistakes->viewport(), Qt::LeftButton, {},
                          mistakes->visualItemRect(mistakes->item(0, 0)).center());
        QCOMPARE(child<QTabWidget>(t.panel, "coachPages")->currentIndex(), 0);
        QVERIFY(child<QLabel>(t.panel, "dealTitle")->text().startsWith("Hand 1 of the session"));
        QCOMPARE(cell_text(child<QTableWidget>(t.panel, "holds"), 0, 1),
                 QString::fromStdString(hold_names(deal, best.mask)));
    }

    void doubleUpValuedAsTheMachinePays() {
        CoachedTable t;
        QVERIFY(t.deal({"s1", "s13", "s12", "d2", "joker"}, {"s11"}));
        QVERIFY(t.hold({0, 1, 2, 4}));
        QVERIFY(t.table.click("draw"));
        const std::int64_t win = meter_value(t.table.caption("win").toStdString());
        QCOMPARE(win, std::int64_t{10000});
        const odds::DoubleUpOdds odds = odds::double_up_odds();
        const QString text = child<QLabel>(t.panel, "doubleUp")->text();
        QVERIFY2(text.contains(QStringLiteral("DOUBLE %1 coins")
                                   .arg(QString::number(10000 * odds.double_value(), 'f', 4))),
                 qPrintable(text));
        QVERIFY(text.contains(
            QStringLiteral("HALF %1 coins").arg(QString::number(odds.half_value(win), 'f', 4))));
        QVERIFY(text.contains(QStringLiteral("PAYOUT 10000.0000 coins")));
        save_screenshot(t.coach, QStringLiteral("coach_verdict_double_up"));
        QVERIFY(t.table.click("payback"));
        QVERIFY(!child<QLabel>(t.panel, "doubleUp")->isVisibleTo(&t.panel));
    }

    void stopMeHoldsTheDrawBack() {
        CoachedTable t;
        QVERIFY(!child<QCheckBox>(t.panel, "stopMe")->isChecked());
        QCOMPARE(t.panel.threshold(), 0.01);
        t.panel.set_warnings(true);
        QStringList asked;
        bool answer = false;
        t.panel.set_question([&](const QString& q, const QString& details) {
            asked << q << details;
            return answer;
        });
        QVERIFY(t.deal({"c9", "d9", "h2", "s5", "joker"}, {"s7", "d13", "h12"}));
        QVERIFY(t.hold({0, 1}));
        const std::string before = snapshot(t.table.machine);
        QVERIFY(t.table.click("draw"));
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked[0], QStringLiteral("Draw anyway?"));
        QCOMPARE(snapshot(t.table.machine), before);
        QCOMPARE(t.panel.session().totals().hands, 0);
        QCOMPARE(t.table.top_card_at(4), QStringLiteral("joker1"));
        // Space, which stands for DRAW, is held back the same way.
        QTest::keyClick(&t.table.window, Qt::Key_Space);
        QCOMPARE(asked.size(), 4);
        QCOMPARE(snapshot(t.table.machine), before);
        // The best hold goes through unasked; so does a mistake below the threshold.
        QVERIFY(t.hold({4}));
        QVERIFY(t.table.click("draw"));
        QCOMPARE(asked.size(), 4);
        QCOMPARE(t.panel.session().totals().hands, 1);
        // A yes lets the costly draw through.
        QVERIFY(t.deal({"c9", "d9", "h2", "s5", "joker"}, {"s7", "d13", "h12"}));
        QVERIFY(t.hold({0, 1}));
        answer = true;
        QVERIFY(t.table.click("draw"));
        QCOMPARE(asked.size(), 6);
        QCOMPARE(t.panel.session().totals().mistakes, 1);

        // The player's own box: No, its default, keeps the hand.
        t.panel.set_question({});
        QVERIFY(t.deal({"c9", "d9", "h2", "s5", "joker"}, {"s7", "d13", "h12"}));
        QVERIFY(t.hold({0, 1}));
        const std::string held = snapshot(t.table.machine);
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            shown = box->text();
            save_screenshot(*box, QStringLiteral("coach_draw_anyway"));
            QTest::keyClick(box, Qt::Key_Return);
        });
        QVERIFY(t.table.click("draw"));
        QCOMPARE(shown, QStringLiteral("Draw anyway?"));
        QCOMPARE(snapshot(t.table.machine), held);
        QCOMPARE(t.panel.session().totals().hands, 2);
    }

    void sessionFileAddsUpToTheWindow() {
        CoachedTable t;
        QVERIFY(t.deal({"c9", "d9", "h2", "s5", "joker"}, {"s7", "d13", "h12"}));
        QVERIFY(t.hold({0, 1}));
        QVERIFY(t.table.click("draw"));
        QVERIFY(t.deal({"h5", "h6", "c9", "s11", "d3"}, {"s2", "s3", "s4", "s6", "s7"}));
        QVERIFY(t.table.click("draw"));
        QVERIFY(t.deal({"s1", "s13", "s12", "d2", "joker"}, {"s11"}));
        QVERIFY(t.hold({0, 1, 2, 4}));
        QVERIFY(t.table.click("draw"));
        QVERIFY(t.table.click("payback"));
        QTemporaryDir dir;
        const QString base = dir.filePath(QStringLiteral("session"));
        QVERIFY(t.panel.save(base));
        QFile csv(base + ".csv");
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        double cost = 0;
        double hold_value = 0;
        double best_value = 0;
        double paid = 0;
        int mistakes = 0;
        for (const QString& line : lines.mid(1)) {
            const QStringList f = line.split(',');
            QCOMPARE(f.size(), 11);
            hold_value += f[5].toDouble();
            best_value += f[6].toDouble();
            cost += f[7].toDouble();
            mistakes += f[7].toDouble() > 0 ? 1 : 0;
            paid += f[10].toDouble();
        }
        const QString shown = child<QLabel>(t.panel, "sessionFigures")->text();
        const auto row = [&](const char* title, const QString& value) {
            return shown.contains(QStringLiteral("%1</td><td align=right>%2").arg(title, value));
        };
        QVERIFY2(row("Coins given away", QString::number(cost, 'f', 4)), qPrintable(shown));
        QVERIFY(row("Mistakes", QString::number(mistakes)));
        QVERIFY(row("Hands played", QStringLiteral("3")));
        QVERIFY(row("Accuracy", QString::number(100 * hold_value / best_value, 'f', 2) + " %"));
        QVERIFY(row("Actual result", QStringLiteral("+") + QString::number(paid - 30, 'f', 4)));
        QVERIFY(row("Expected result (your holds)",
                    (hold_value >= 30 ? "+" : "") + QString::number(hold_value - 30, 'f', 4)));
        QFile json(base + ".json");
        QVERIFY(json.open(QIODevice::ReadOnly));
        QVERIFY(json.readAll().contains(QStringLiteral("\"mistakes\": %1").arg(mistakes).toUtf8()));
    }

    void closedCoachLeavesTheTableAlone() {
        Table table;
        table.start();
        auto coach = std::make_unique<TableCoach>(table.machine, table.window);
        QSignalSpy key(&table.window, &ui::TableWindow::coachKeyPressed);
        QTest::keyClick(&table.window, Qt::Key_F1);
        QCOMPARE(key.size(), 1);
        coach->open();
        QVERIFY(coach->isVisible());
        // Opened in the middle of a hand, it catches up with the deal on the table.
        coach->close();
        table.machine.stack_cards({card("s2"), card("h5"), card("d7"), card("c9"), card("s11")});
        QVERIFY(table.click("Label16") && table.click("deal"));
        QVERIFY(coach->panel().advice() == nullptr);
        coach->open();
        QVERIFY(coach->panel().advice() != nullptr);
        QCOMPARE(coach->panel().advice()->coins(), 1);
        coach->close();
        // Closed, nothing reaches it, and the hand plays on.
        QVERIFY(table.click(hold_button(4)));
        QCOMPARE(coach->panel().hold(), odds::HoldMask{0});
        QVERIFY(table.click("draw"));
        QCOMPARE(coach->panel().session().totals().hands, 0);
    }

    void twoHundredHands() {
        CoachedTable t;
        t.table.random.reseed(17);
        for (int hand = 0; hand < 200; ++hand) {
            QVERIFY(t.table.click("Label17"));
            QVERIFY(t.table.click("deal"));
            // Mostly the best hold, now and then the coach's third.
            const DealAdvice& advice = *t.panel.advice();
            const odds::HoldMask mask = advice.ranked()[hand % 7 == 3 ? 2 : 0].mask;
            for (int s = 0; s < 5; ++s) {
                if ((mask & (1u << s)) != 0) {
                    QVERIFY(t.table.click(hold_button(s)));
                }
            }
            QVERIFY(t.table.click("draw"));
            if (t.table.label("payback")->isEnabled()) {
                QVERIFY(t.table.click("payback"));
            }
        }
        QCOMPARE(t.panel.session().totals().hands, 200);
        t.panel.show_page(1);
        save_screenshot(t.coach, QStringLiteral("coach_plot_200_hands"));
    }
};

QUILLON_UI_TEST_MAIN(CoachTableTest)
#include "test_coach_table.moc"
