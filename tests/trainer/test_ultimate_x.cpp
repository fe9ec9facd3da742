// The Ultimate X practice window played by clicks and keys, offscreen: the multipliers each line
// earns carry into the next deal, the credit pays the doubled bet of every line, and the coach
// ranks and scores the holds by full value.
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "coach/ultimate_x_coach.h"
#include "odds/games/pay_table.h"
#include "odds/play/tallies.h"
#include "tests/coach/chart_watch.h"
#include "trainer/card_view.h"
#include "trainer/ultimate_x_window.h"
#include "ui/artwork.h"

using namespace quillon;
using namespace quillon::trainer;

namespace {

CardId card(const char* text) {
    return CardId::parse(text).value();
}

void stack(UltimateXWindow& w, std::initializer_list<const char*> cards) {
    std::deque<CardId> deck;
    for (const char* c : cards) {
        deck.push_back(card(c));
    }
    w.table().stack_cards(deck);
}

void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

void save_screenshot(QWidget& widget, const QString& name) {
    QDir().mkpath(QStringLiteral(QUILLON_SCREENSHOT_DIR));
    widget.grab().save(QStringLiteral(QUILLON_SCREENSHOT_DIR "/%1.png").arg(name));
}

QString text_of(QWidget& w, const char* name) {
    return w.findChild<QLabel*>(QLatin1String(name))->text();
}

}  // namespace

class UltimateXTest : public QObject {
    Q_OBJECT
  private slots:
    void aSolveUnderWayIsCalledOffByTheClose() {
        const odds::Game game = odds::find_game("jacks-or-better-9-6", 5).value();
        std::promise<void> started;
        std::promise<bool> ended;
        std::future<void> has_started = started.get_future();
        std::future<bool> has_ended = ended.get_future();
        auto coach = std::make_unique<coach::UltimateXCoach>();
        coach->set_game(game, 3, 5, QStringLiteral("Ultimate X"), [&]() {
            started.set_value();
            try {
                odds::UltimateXSolution s =
                    odds::solve_ultimate_x(odds::Tallies(game), *game.multipliers_for(3));
                ended.set_value(true);
                return s;
            } catch (...) {
                ended.set_value(false);
                throw;
            }
        });
        QVERIFY(coach::testing::ready_soon(has_started));
        QElapsedTimer clock;
        clock.start();
        coach.reset();
        QVERIFY2(clock.elapsed() < coach::testing::kCloseMs,
                 qPrintable(QString::number(clock.elapsed())));
        QVERIFY(coach::testing::ready_now(has_ended));
        QVERIFY(!has_ended.get());
        QVERIFY(QThreadPool::globalInstance()->waitForDone(1000));
    }

    void threeLinesCarryTheirMultipliersAndTheCoachScoresByFullValue() {
        ui::Artwork artwork;
        UltimateXWindow w(GameChoice{QStringLiteral("jacks-or-better-9-6"), {}}, 3, 5, artwork, 7);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        if (!w.coach().solved()) {
            QSignalSpy solved(&w.coach(), &coach::UltimateXCoach::solvedGame);
            QVERIFY(solved.wait(20000));
        }
        QCOMPARE(text_of(w, "credit"), QStringLiteral("Credit: 1000"));
        QCOMPARE(text_of(w, "bet"), QStringLiteral("Bet: 3 lines × 2 × 5 = 30 coins"));
        QCOMPARE(w.multiplier_label(0)->text(), QStringLiteral("1X"));

        // Three jacks held by clicks; the lines make a full house, three jacks and four jacks.
        stack(w, {"s11", "d11", "c11", "h4", "s7", "d4", "c4", "d2", "c3", "h11", "d2"});
        click(w.deal_button());
        QCOMPARE(text_of(w, "credit"), QStringLiteral("Credit: 970"));
        QCOMPARE(w.coach().ranked().front().mask, odds::HoldMask{0b00111});
        click(w.card(0));
        click(w.hold_button(1));
        click(w.card(2));
        click(w.deal_button());
        QCOMPARE(w.line_card(0, 4)->card()->text(), std::string("c4"));
        // 45 + 15 + 125 coins at 1X.
        QCOMPARE(text_of(w, "credit"), QStringLiteral("Credit: 1155"));
        QCOMPARE(w.multiplier_label(0)->text(), QStringLiteral("12X"));
        QCOMPARE(w.multiplier_label(1)->text(), QStringLiteral("4X"));
        // Four of a kind earns only 2X on three lines.
        QCOMPARE(w.multiplier_label(2)->text(), QStringLiteral("2X"));
        QCOMPARE(w.coach().score().hands, 1);
        QCOMPARE(w.coach().score().mistakes, 0);

        // At 18X in all, two to the straight and a five (h2 h3 h5) are worth more than the same
        // with the pair of fives, which plain play ranks above it; both give away the straight
        // flush draw.
        stack(w, {"h2", "h3", "h4", "h5", "d5", "s9", "c13", "s9", "c13", "s9", "c13"});
        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(text_of(w, "credit"), QStringLiteral("Credit: 1125"));
        const auto& ranked = w.coach().ranked();
        QCOMPARE(ranked.front().mask, odds::HoldMask{0b01111});
        const auto place = [&](odds::HoldMask m) {
            return std::find_if(ranked.begin(), ranked.end(),
                                [m](const odds::UltimateXHold& h) { return h.mask == m; }) -
                   ranked.begin();
        };
        const auto kept = static_cast<std::size_t>(place(0b01011));
        const auto with_pair = static_cast<std::size_t>(place(0b11011));
        QVERIFY(kept < with_pair);
        QVERIFY(ranked[kept].plain_value < ranked[with_pair].plain_value);
        QVERIFY(ranked[kept].plain_rank > ranked[with_pair].plain_rank);
        QCOMPARE(ranked[with_pair].win, 18 * ranked[with_pair].plain_value);

        // Held by keys; the coach stops the mistake once, then lets it be drawn.
        int asked = 0;
        bool draw_anyway = false;
        w.coach().set_question([&](const QString&, const QString&) {
            ++asked;
            return draw_anyway;
        });
        w.coach().set_warnings(true);
        for (const Qt::Key key : {Qt::Key_1, Qt::Key_2, Qt::Key_4}) {
            QTest::keyClick(&w, key);
        }
        save_screenshot(w, QStringLiteral("ultimate-x-3-lines-held"));
        QTest::keyClick(&w, Qt::Key_Return);
        QCOMPARE(asked, 1);
        QVERIFY(w.table().holding());
        draw_anyway = true;
        QTest::keyClick(&w, Qt::Key_Return);
        QVERIFY(!w.table().holding());
        QCOMPARE(w.coach().score().hands, 2);
        QCOMPARE(w.coach().score().mistakes, 1);
        QVERIFY(w.coach().score().accuracy() < 100.0);
        QCOMPARE(w.coach().score().cost(),
                 ranked.front().full_value() - ranked[kept].full_value() + 0.0);
        // No line made a pay: every line is back at 1X.
        QCOMPARE(w.table().multiplier_total(), 3);
        save_screenshot(w, QStringLiteral("ultimate-x-3-lines-drawn"));
    }

    void tenLinesChargeTwentyBets() {
        ui::Artwork artwork;
        UltimateXWindow w(GameChoice{QStringLiteral("double-double-bonus-9-6"), {}}, 10, 5, artwork,
                          11);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(text_of(w, "bet"), QStringLiteral("Bet: 10 lines × 2 × 5 = 100 coins"));
        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(text_of(w, "credit"), QStringLiteral("Credit: 900"));
        QTest::keyClick(&w, Qt::Key_1);
        QTest::keyClick(&w, Qt::Key_Space);
        int carried = 0;
        for (int l = 0; l < 10; ++l) {
            const int earned = w.table().last_lines()[static_cast<std::size_t>(l)].earned;
            QCOMPARE(w.multiplier_label(l)->text(), QStringLiteral("%1X").arg(earned));
            carried += earned;
        }
        QCOMPARE(w.table().multiplier_total(), carried);
        QTest::keyClick(&w, Qt::Key_Space);
        if (!w.coach().solved()) {
            QSignalSpy solved(&w.coach(), &coach::UltimateXCoach::solvedGame);
            QVERIFY(solved.wait(20000));
        }
        QCOMPARE(w.coach().ranked().size(), std::size_t{32});
        save_screenshot(w, QStringLiteral("ultimate-x-10-lines"));
    }
};

QTEST_MAIN(UltimateXTest)
#include "test_ultimate_x.moc"
