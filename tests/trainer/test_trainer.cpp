// The practice window played by clicks, offscreen: a deuces game and Jacks or Better are dealt,
// held and drawn, the coach follows, and the analyzer's figures are quillon-odds hand's.
#include <sys/stat.h>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <nlohmann/json.hpp>

#include "coach/coach_panel.h"
#include "coach/session_plot.h"
#include "odds/report/figures.h"
#include "tests/coach/chart_watch.h"
#include "tests/odds/odds_test_support.h"
#include "tests/ui/test_classes.h"
#include "trainer/card_view.h"
#include "trainer/drill/drill_schedule.h"
#include "trainer/drill_view.h"
#include "trainer/hand_analyzer.h"
#include "trainer/return_view.h"
#include "trainer/trainer_window.h"
#include "ui/artwork.h"
#include "ui/design_units.h"

using namespace quillon;
using namespace quillon::trainer;
using quillon::coach::testing::kChartMs;

namespace {

CardId card(const char* text) {
    return CardId::parse(text).value();
}

void save_screenshot(QWidget& widget, const QString& name) {
    QDir().mkpath(QStringLiteral(QUILLON_SCREENSHOT_DIR));
    widget.grab().save(QStringLiteral(QUILLON_SCREENSHOT_DIR "/%1.png").arg(name));
}

struct Trainer {
    explicit Trainer(const char* game, int coins = 5)
        : window(GameChoice{QString::fromLatin1(game), {}}, coins, artwork, 7) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
    void stack(std::initializer_list<const char*> cards) {
        std::deque<CardId> deck;
        for (const char* c : cards) {
            deck.push_back(card(c));
        }
        window.table().stack_cards(deck);
    }
    QString credit() const { return window.findChild<QLabel*>(QStringLiteral("credit"))->text(); }

    ui::Artwork artwork;
    TrainerWindow window;
};

}  // namespace

class TrainerTest : public QObject {
    Q_OBJECT
  private slots:
    void anotherGameOrTheCloseCallsTheChartOff() {
        coach::testing::ChartWatch watch;
        ui::Artwork artwork;
        auto window = std::make_unique<TrainerWindow>(
            GameChoice{QStringLiteral("double-bonus-10-7-5"), {}}, 5, artwork, 7, watch.maker());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        std::future<void> first = watch.started(0);
        std::future<bool> first_end = watch.ended(0);
        // The chart is started once the first frame is up.
        QTRY_VERIFY_WITH_TIMEOUT(coach::testing::ready_now(first), kChartMs * 3 / 2);
        // The game switched while its chart is built: the build gives up at once.
        QElapsedTimer clock;
        clock.start();
        QVERIFY(window->choose_game(GameChoice{QStringLiteral("bonus-poker-8-5"), {}}, 5));
        QCOMPARE(first_end.wait_for(std::chrono::milliseconds(coach::testing::kCloseMs)),
                 std::future_status::ready);
        QVERIFY(!first_end.get());
        std::future<void> second = watch.started(1);
        std::future<bool> second_end = watch.ended(1);
        QVERIFY(coach::testing::ready_soon(second));
        // Closed during the next build, and with the return page's count under way: the window
        // goes at once, and nothing of it runs on.
        window->show_page(2);
        clock.restart();
        window.reset();
        QVERIFY2(clock.elapsed() < coach::testing::kCloseMs,
                 qPrintable(QString::number(clock.elapsed())));
        QVERIFY(coach::testing::ready_now(second_end));
        QVERIFY(!second_end.get());
        QVERIFY(QThreadPool::globalInstance()->waitForDone(1000));
    }

    void deucesHandByClicks() {
        Trainer t("deuces-wild-full-pay");
        QCOMPARE(t.credit(), QStringLiteral("Credit: 1000"));
        t.stack({"c2", "h2", "s9", "d9", "h13", "s4", "c8"});
        t.click(t.window.deal_button());
        QCOMPARE(t.credit(), QStringLiteral("Credit: 995"));
        QCOMPARE(t.window.deal_button()->text(), QStringLiteral("DRAW"));
        // The two deuces are marked wild, the rest not.
        QVERIFY(t.window.card(0)->wild() && t.window.card(1)->wild());
        QVERIFY(!t.window.card(2)->wild());
        QCOMPARE(t.window.card(4)->card()->text(), std::string("h13"));
        // Held by a click on the card and by its HOLD button.
        t.click(t.window.card(0));
        t.click(t.window.hold_button(1));
        t.click(t.window.card(2));
        t.click(t.window.hold_button(3));
        QVERIFY(t.window.card(0)->held() && t.window.hold_button(1)->isChecked());
        QCOMPARE(t.window.coach().hold(), coach::HoldMask{0b01111});
        t.window.show_page(0);
        save_screenshot(t.window, QStringLiteral("trainer_deuces_holding"));
        t.click(t.window.deal_button());
        // Two deuces and two 9s with an 8: four of a kind, 5 per coin.
        QCOMPARE(t.window.card(4)->card()->text(), std::string("s4"));
        QCOMPARE(t.window.table().last_hand(), std::string("four of a kind"));
        QCOMPARE(t.credit(), QStringLiteral("Credit: 1020"));
        QCOMPARE(t.window.coach().session().totals().hands, 1);
        QCOMPARE(t.window.coach().session().totals().paid, 25.0);
        QCOMPARE(t.window.deal_button()->text(), QStringLiteral("DEAL"));
        QVERIFY(!t.window.hold_button(0)->isEnabled());
        save_screenshot(t.window, QStringLiteral("trainer_deuces"));
    }

    void jacksOrBetterHandByClicks() {
        Trainer t("jacks-or-better-9-6", 1);
        t.stack({"s11", "h11", "d3", "c7", "s13", "d11", "c2", "h4"});
        t.click(t.window.deal_button());
        QVERIFY(!t.window.card(0)->wild());
        t.click(t.window.card(0));
        t.click(t.window.card(1));
        t.click(t.window.card(4));
        t.click(t.window.deal_button());
        QCOMPARE(t.window.table().last_hand(), std::string("three of a kind"));
        QCOMPARE(t.credit(), QStringLiteral("Credit: 1002"));
        // Keeping the king was a mistake, counted as the coach counts it.
        const coach::SessionTotals& totals = t.window.coach().session().totals();
        QCOMPARE(totals.mistakes, 1);
        QVERIFY(totals.cost > 0);
        // The game's return table arrives from its worker once its page is shown.
        t.window.show_page(2);
        QSignalSpy ready(&t.window.return_view(), &ReturnView::returnReady);
        QVERIFY(t.window.return_view().ready() || ready.wait(kChartMs * 3 / 2));
        const auto* returns = t.window.findChild<QTableWidget*>(QStringLiteral("returnTable"));
        QCOMPARE(returns->item(returns->rowCount() - 1, 0)->text(), QStringLiteral("nothing"));
        // The return is the bet's: at one coin the royal pays 250, not 800.
        const odds::CliRun run =
            odds::run({"return", "--game", "jacks-or-better-9-6", "--coins", "1", "--json"});
        const double rate = nlohmann::json::parse(run.out)["return"].get<double>();
        const QString title = t.window.findChild<QLabel*>(QStringLiteral("returnTitle"))->text();
        QVERIFY2(title.contains(QStringLiteral("return %1 %")
                                    .arg(QString::fromStdString(odds::fixed(100.0 * rate, 4)))),
                 qPrintable(title));
    }

    void payTableFileOfOnesOwn() {
        Trainer t("jacks-or-better-9-6");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tens.game"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "name  Tens or Better\nwild  none\nroyal 250 4000@5\nstraight-flush 50\n"
            "four 25\nfull-house 9\nflush 6\nstraight 4\nthree 3\ntwo-pair 2\n"
            "pair 1 tens\n");
        file.close();
        QVERIFY(t.window.choose_game(GameChoice{{}, path}, 5));
        QCOMPARE(t.window.table().game().name(), std::string("Tens or Better"));
        const auto* pays = t.window.findChild<QTableWidget*>(QStringLiteral("payTable"));
        QCOMPARE(pays->item(0, 1)->text(), QStringLiteral("4000"));
        QCOMPARE(pays->item(pays->rowCount() - 1, 0)->text().toStdString(),
                 t.window.table().game().rows()[pays->rowCount() - 1].label);
        // A pair of tens pays in this game.
        t.stack({"s10", "h10", "d3", "c7", "s13", "d5", "c2", "h4"});
        t.click(t.window.deal_button());
        t.click(t.window.card(0));
        t.click(t.window.card(1));
        t.click(t.window.deal_button());
        QCOMPARE(t.credit(), QStringLiteral("Credit: 1000"));
        QCOMPARE(t.window.coach().session().totals().hands, 1);
        // A file that cannot be read leaves the game as it was.
        QTimer::singleShot(0, [] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        QVERIFY(
            !t.window.choose_game(GameChoice{{}, dir.filePath(QStringLiteral("none.game"))}, 5));
        QCOMPARE(t.window.table().game().name(), std::string("Tens or Better"));
    }

    // A table whose chart once could not be read back: the trainer opens, deals and draws, and
    // a chart that cannot be had is a message in the coach, not an abort. The file is read once:
    // edited, deleted or turned into a FIFO after the start, the game plays on as it was read.
    void ownFileReadOnceAndAChartFailureTold() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("deuces.game"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "wild deuces\nroyal 721\nfive 142\nfive 7-q 112\nstraight-flush 81\nfour 12\n"
            "full-house 6\nflush 2\nstraight 5\nthree 1\ntwo-pair 1\npair 1 k\n");
        file.close();
        ui::Artwork artwork;
        TrainerWindow window(file_choice(path), 5, artwork, 7);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy ready(&window.coach(), &coach::CoachPanel::chartReady);
        QVERIFY(window.coach().chart_ready() || ready.wait(3 * kChartMs));
        QVERIFY(window.coach().chart_failure().isEmpty());

        QVERIFY(QFile::remove(path));
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));  // empty now
        const auto play = [&] {
            const auto click = [](QWidget* w) {
                QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
            };
            std::deque<CardId> deck;
            for (const char* c : {"c2", "h2", "s9", "d9", "h13", "s4", "c8"}) {
                deck.push_back(card(c));
            }
            window.table().stack_cards(deck);
            click(window.deal_button());
            click(window.card(0));
            click(window.card(1));
            click(window.card(2));
            click(window.card(3));
            click(window.deal_button());
            QCOMPARE(window.table().last_hand(), std::string("four of a kind"));
        };
        play();
        // A chart that cannot be made: the coach says why, and the table plays on.
        window.coach().set_chart_maker(
            [](const odds::Tallies&) -> coach::CoachChart { throw std::runtime_error("no luck"); });
        QSignalSpy failed(&window.coach(), &coach::CoachPanel::chartFailed);
        QVERIFY(QFile::remove(path));
        QVERIFY(window.choose_game(window.choice(), 1));
        QVERIFY(failed.wait(3 * kChartMs));
        QCOMPARE(window.coach().chart_failure(),
                 QStringLiteral("no chart for this table: no luck"));
        const auto* status = window.findChild<QLabel*>(QStringLiteral("chartStatus"));
        QCOMPARE(status->text(), QStringLiteral("No chart for this table: no luck."));
        QVERIFY(::mkfifo(path.toLocal8Bit().constData(), 0600) == 0);
        play();
        QCOMPARE(window.table().coins(), 1);
        QCOMPARE(window.coach().session().totals().hands, 1);
    }

    void analyzerAgreesWithQuillonOdds() {
        Trainer t("deuces-wild-full-pay");
        t.window.show_page(1);
        QVERIFY(t.window.analyzer().analyse(QStringLiteral("c2 h10 h11 h12 s5")));
        const odds::CliRun run = odds::run({"hand", "--game", "deuces-wild-full-pay", "--coins",
                                            "5", "--json", "c2", "h10", "h11", "h12", "s5"});
        QCOMPARE(run.status, 0);
        const nlohmann::json json = nlohmann::json::parse(run.out);
        const auto* table = t.window.findChild<QTableWidget*>(QStringLiteral("analyzerHolds"));
        QCOMPARE(table->rowCount(), 32);
        const auto& holds = json["holds"];
        for (int r = 0; r < 32; ++r) {
            const auto& h = holds[static_cast<std::size_t>(r)];
            std::string cards;
            for (const auto& c : h["hold"]) {
                cards += (cards.empty() ? "" : " ") + c.get<std::string>();
            }
            QCOMPARE(table->item(r, 0)->text().toStdString(),
                     cards.empty() ? "(draw five)" : cards);
            QCOMPARE(table->item(r, 1)->text().toStdString(),
                     odds::fixed(h["return"].get<double>(), 6));
            QCOMPARE(table->item(r, table->columnCount() - 1)->text().toStdString(),
                     h["return_exact"].get<std::string>());
            const auto& finals = h["final_hands"];
            for (std::size_t f = 0; f < finals.size(); ++f) {
                QCOMPARE(table->horizontalHeaderItem(static_cast<int>(f) + 2)->text().toStdString(),
                         finals[f]["hand"].get<std::string>());
                QCOMPARE(table->item(r, static_cast<int>(f) + 2)->text().toStdString(),
                         odds::fixed(100.0 * finals[f]["probability"].get<double>(), 4) + "%");
            }
        }
        save_screenshot(t.window, QStringLiteral("trainer_analyzer"));
        // A joker is no card of a deuces game.
        QVERIFY(!t.window.analyzer().analyse(QStringLiteral("c2 h10 h11 h12 joker")));
    }
};

// The field, the table and the drill as a player meets them.
class TrainerMendsTest : public QObject {
    Q_OBJECT
  private slots:
    void returnInTheAnalyzerFieldAnalysesAndNothingElse() {
        Trainer t("jacks-or-better-9-6");
        t.window.show_page(TrainerWindow::analyzer_page);
        auto* input = t.window.findChild<QLineEdit*>(QStringLiteral("analyzerInput"));
        const auto* holds = t.window.findChild<QTableWidget*>(QStringLiteral("analyzerHolds"));
        input->setFocus();
        QTest::keyClicks(input, QStringLiteral("s1 s13 s12 s11 d10"));
        QTest::keyClick(input, Qt::Key_Return);
        QCOMPARE(holds->rowCount(), 32);
        // Nothing was dealt.
        QCOMPARE(t.credit(), QStringLiteral("Credit: 1000"));
        QCOMPARE(t.window.deal_button()->text(), QStringLiteral("DEAL"));
        QVERIFY(!t.window.table().dealt_once());
        // Mid-hand, Return in the field draws nothing either.
        t.stack({"s11", "h11", "d3", "c7", "s13"});
        t.click(t.window.deal_button());
        t.click(t.window.card(0));
        input->setFocus();
        input->clear();
        QTest::keyClicks(input, QStringLiteral("h2 h3 h4 h5 c9"));
        QTest::keyClick(input, Qt::Key_Enter);
        QVERIFY(t.window.table().holding());
        QCOMPARE(t.window.card(4)->card()->text(), std::string("s13"));
        QCOMPARE(t.credit(), QStringLiteral("Credit: 995"));
        QCOMPARE(holds->item(0, 0)->text(), QStringLiteral("h2 h3 h4 h5"));
        // Return away from the field still plays the table.
        t.window.setFocus();
        QTest::keyClick(&t.window, Qt::Key_Return);
        QVERIFY(!t.window.table().holding());
    }

    void emptyingTheAnalyzerFieldLetsGoOfTheHand() {
        Trainer t("jacks-or-better-9-6");
        t.window.show_page(TrainerWindow::analyzer_page);
        auto* input = t.window.findChild<QLineEdit*>(QStringLiteral("analyzerInput"));
        const auto* holds = t.window.findChild<QTableWidget*>(QStringLiteral("analyzerHolds"));
        const auto pick = [&](const char* name) {
            return t.window.findChild<QToolButton*>(QStringLiteral("pick_") + QLatin1String(name));
        };
        QVERIFY(t.window.analyzer().analyse(QStringLiteral("s1 s13 s12 s11 d10")));
        QVERIFY(pick("s1")->isChecked());
        input->setFocus();
        QTest::keyClick(input, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(input, Qt::Key_Backspace);
        QCOMPARE(input->text(), QString());
        QVERIFY(!pick("s1")->isChecked() && !pick("d10")->isChecked());
        QCOMPARE(holds->rowCount(), 0);
        // New clicks make a new hand.
        for (const char* c : {"h2", "h3", "h4", "h5", "c9"}) {
            t.click(pick(c));
        }
        QCOMPARE(input->text(), QStringLiteral("h2 h3 h4 h5 c9"));
        QCOMPARE(holds->rowCount(), 32);
        QCOMPARE(holds->item(0, 0)->text(), QStringLiteral("h2 h3 h4 h5"));
        // Return on an emptied field leaves it empty too.
        input->clear();
        QTest::keyClick(input, Qt::Key_Return);
        QCOMPARE(input->text(), QString());
        QCOMPARE(holds->rowCount(), 0);
    }

    void aHeldCardKeepsItsIndexAndItsFocusFrameIsTheCards() {
        ui::Artwork artwork;
        QWidget frame;
        auto* view = new CardView(artwork, &frame);
        view->setGeometry(10, 10, 112, 260);  // a cell much taller than the card
        frame.resize(140, 290);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const std::optional<CardId> seven = card("c7");
        view->show_card(seven, false, false);
        const QImage plain = view->grab().toImage();
        view->show_card(seven, false, true);
        const QImage held = view->grab().toImage();
        // Inside the frame's edge, the card is the same held or not: both corner indices show.
        const QRect inner = view->card_box().adjusted(5, 5, -5, -5);
        for (int y = inner.top(); y <= inner.bottom(); ++y) {
            for (int x = inner.left(); x <= inner.right(); ++x) {
                QCOMPARE(held.pixel(x, y), plain.pixel(x, y));
            }
        }
        QVERIFY(!held.isNull() && view->tag_box().bottom() < view->card_box().top());
        // The dotted frame hugs the card and its tag, not the whole cell.
        view->show_card(seven, false, false);
        frame.activateWindow();
        view->setFocus();
        QTRY_VERIFY(view->hasFocus());
        const QImage focused = view->grab().toImage();
        view->clearFocus();
        QTRY_VERIFY(!view->hasFocus());
        const QImage unfocused = view->grab().toImage();
        QRect changed;
        for (int y = 0; y < focused.height(); ++y) {
            for (int x = 0; x < focused.width(); ++x) {
                if (focused.pixel(x, y) != unfocused.pixel(x, y)) {
                    changed |= QRect(x, y, 1, 1);
                }
            }
        }
        QVERIFY(!changed.isEmpty());
        const QRect bounds = view->card_box().united(view->tag_box()).adjusted(-3, -3, 3, 3);
        QVERIFY2(bounds.contains(changed), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                          .arg(changed.x())
                                                          .arg(changed.y())
                                                          .arg(changed.width())
                                                          .arg(changed.height())));
    }

    // The window opens before the coach's tallies and chart are made: they start once its first
    // frame is painted, and a deal before then is ranked all the same.
    void theFirstFrameWaitsForNoChart() {
        ui::Artwork artwork;
        TrainerWindow window(GameChoice{QStringLiteral("jacks-or-better-9-6"), {}}, 5, artwork, 7,
                             [](const odds::Tallies&) { return coach::CoachChart{}; });
        QVERIFY(window.coach().tallies() == nullptr);
        window.table().stack_cards({card("s11"), card("h11"), card("d3"), card("c7"), card("s13")});
        window.deal_or_draw();
        QCOMPARE(window.coach().advice()->best().mask, coach::HoldMask{0b00011});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY_WITH_TIMEOUT(window.coach().chart_ready(), kChartMs * 3 / 2);
        QVERIFY(window.coach().tallies() != nullptr);
    }

    void theReturnPageSaysItsPaysArePerCoin() {
        Trainer t("jacks-or-better-9-6");
        t.window.show_page(TrainerWindow::return_page);
        const auto* returns = t.window.findChild<QTableWidget*>(QStringLiteral("returnTable"));
        QCOMPARE(returns->horizontalHeaderItem(1)->text(), QStringLiteral("Pays per coin"));
        const auto* pays = t.window.findChild<QTableWidget*>(QStringLiteral("payTable"));
        QCOMPARE(pays->horizontalHeaderItem(1)->text(), QStringLiteral("Pays for 5 coins"));
    }

    void theWindowAndThePlotAfter200Hands() {
        Trainer t("jacks-or-better-9-6");
        // The default size fits a 1366 x 768 screen, with room for a title bar, and holds
        // every page without cutting it.
        QVERIFY(t.window.width() <= 1366 && t.window.height() <= 740);
        QVERIFY(t.window.minimumSizeHint().width() <= t.window.width());
        QVERIFY(t.window.minimumSizeHint().height() <= t.window.height());
        save_screenshot(t.window, QStringLiteral("trainer_default_size"));
        // 200 hands, a third of them held wrong: the king kept, not the jacks.
        for (int hand = 0; hand < 200; ++hand) {
            t.stack({"s11", "h11", "d3", "c7", "s13", "d9", "c2", "h4"});
            t.window.deal_or_draw();
            if (hand % 3 == 0) {
                t.window.toggle_hold(4);
            } else {
                t.window.toggle_hold(0);
                t.window.toggle_hold(1);
            }
            t.window.deal_or_draw();
        }
        QCOMPARE(t.window.coach().session().totals().hands, 200);
        t.window.show_page(TrainerWindow::coach_page);
        t.window.coach().show_page(1);
        const auto* plot = t.window.findChild<coach::SessionPlot*>(QStringLiteral("sessionPlot"));
        QCOMPARE(plot->hand_ticks(), (std::vector<double>{0, 50, 100, 150, 200}));
        QVERIFY(plot->credit_ticks().size() >= 3);
        QVERIFY(coach::SessionPlot::legend_text(true).contains(QStringLiteral("hands")));
        // The mistakes' cost column is in sight, with no scroll bar across the list.
        const auto* mistakes = t.window.findChild<QTableWidget*>(QStringLiteral("mistakes"));
        QVERIFY(mistakes->rowCount() > 0);
        QVERIFY(!mistakes->horizontalScrollBar()->isVisible());
        const QHeaderView* header = mistakes->horizontalHeader();
        QVERIFY(header->sectionViewportPosition(4) + header->sectionSize(4) <=
                mistakes->viewport()->width());
        save_screenshot(t.window, QStringLiteral("trainer_plot_200_hands"));
    }

    void drillTheSessionsMistakesByKeys() {
        Trainer t("jacks-or-better-9-6");
        // Two hands, one held wrong: the king kept with the jacks.
        t.stack({"s11", "h11", "d3", "c7", "s13", "d9", "c2"});
        t.window.deal_or_draw();
        for (const int slot : {0, 1, 4}) {
            t.window.toggle_hold(slot);
        }
        t.window.deal_or_draw();
        t.stack({"s1", "s13", "s12", "s11", "s10"});
        t.window.deal_or_draw();
        for (int slot = 0; slot < 5; ++slot) {
            t.window.toggle_hold(slot);
        }
        t.window.deal_or_draw();
        QCOMPARE(t.window.coach().session().totals().mistakes, 1);
        const QString credit = t.credit();
        t.window.show_page(TrainerWindow::coach_page);
        t.window.coach().show_page(1);
        auto* drill_these = t.window.findChild<QPushButton*>(QStringLiteral("drillThese"));
        QVERIFY(drill_these->isVisible() && drill_these->isEnabled());
        t.click(drill_these);
        DrillView& drill = t.window.drill();
        QCOMPARE(t.window.findChild<QTabWidget*>(QStringLiteral("trainerPages"))->currentWidget(),
                 static_cast<QWidget*>(&drill));
        QVERIFY(drill.run() != nullptr);
        QCOMPARE(drill.run()->schedule().deals().size(), std::size_t{1});
        const auto jacks =
            std::array<CardId, 5>{card("s11"), card("h11"), card("d3"), card("c7"), card("s13")};
        t.window.setFocus();
        int answers = 0;
        std::vector<double> pick_ms;
        std::vector<double> next_ms;
        while (drill.run()->dealt()) {
            QVERIFY(answers < 10);
            QCOMPARE(deal_key(drill.run()->deal()), deal_key(jacks));
            // Hold the two jacks by their keys, wherever the shuffle put them, and answer.
            for (int slot = 0; slot < 5; ++slot) {
                if (drill.run()->deal()[static_cast<std::size_t>(slot)].rank() == 11) {
                    QTest::keyClick(&t.window, static_cast<Qt::Key>(Qt::Key_1 + slot));
                }
            }
            QCOMPARE(drill.card(0)->held(), drill.run()->deal()[0].rank() == 11);
            QTest::keyClick(&t.window, Qt::Key_Return);
            QVERIFY(drill.run()->answered());
            const QString verdict =
                t.window.findChild<QLabel*>(QStringLiteral("drillVerdict"))->text();
            QVERIFY2(verdict.startsWith(QStringLiteral("Right")), qPrintable(verdict));
            if (answers == 1) {
                save_screenshot(t.window, QStringLiteral("trainer_drill_answered"));
            }
            // The player reads the verdict: the window is idle.
            QCoreApplication::processEvents();
            QElapsedTimer clock;
            clock.start();
            QTest::keyClick(&t.window, Qt::Key_Return);
            pick_ms.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            drill.repaint();
            next_ms.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            ++answers;
        }
        // Held right three times in a row, the deal has left the drill.
        QCOMPARE(answers, DrillSchedule::kDefaultNeeded);
        QVERIFY(drill.status_text().contains(QStringLiteral("learned")));
        QVERIFY(t.window.findChild<QLabel*>(QStringLiteral("drillScore"))
                    ->text()
                    .startsWith(QStringLiteral("Score 100.00 %")));
        // The drill leaves the table's credit alone.
        QCOMPARE(t.credit(), credit);
        qInfo("drill: NEXT to the next deal dealt, slowest of %d: %.2f ms; and painted: %.2f ms",
              static_cast<int>(next_ms.size()), *std::max_element(pick_ms.begin(), pick_ms.end()),
              *std::max_element(next_ms.begin(), next_ms.end()));
    }

    void flashModeAndTheHardestDeals() {
        Trainer t("deuces-wild-full-pay");
        t.window.show_page(TrainerWindow::drill_page);
        DrillView& drill = t.window.drill();
        drill.start(DrillView::Source::fresh);
        QVERIFY(drill.run() != nullptr && drill.run()->fresh_deals());
        // Discard everything five times: each answer at once, mistakes listed.
        for (int i = 0; i < 5; ++i) {
            drill.answer_or_next();
            QVERIFY(drill.run()->answered());
            drill.answer_or_next();
        }
        QCOMPARE(drill.run()->answers().totals().hands, 5);
        const auto* missed = t.window.findChild<QListWidget*>(QStringLiteral("drillMissed"));
        QCOMPARE(missed->count(), drill.run()->answers().totals().mistakes);
        QSignalSpy started(&drill, &DrillView::drillStarted);
        drill.start(DrillView::Source::hardest);
        QVERIFY(started.count() == 1 || started.wait(kChartMs * 3 / 2));
        QCOMPARE(drill.run()->schedule().deals().size(), DrillView::kHardestCount);
        // A wrong answer puts the deal on the list of what is still missed.
        drill.answer_or_next();
        if (!drill.run()->answers().hands().back().best_hold()) {
            QCOMPARE(missed->count(), 1);
        }
        const auto* source = t.window.findChild<QComboBox*>(QStringLiteral("drillSource"));
        QCOMPARE(source->currentText(), QStringLiteral("The hardest deals of this game"));
        QCoreApplication::processEvents();
        save_screenshot(t.window, QStringLiteral("trainer_drill_hardest"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ui::install_font_substitutions();
    TrainerTest test;
    TrainerMendsTest mends;
    return ui::testing::run_test_classes({&test, &mends}, argc, argv);
}
#include "test_trainer.moc"
