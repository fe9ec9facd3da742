// The trainer's progressive meter by keys, offscreen: a meter typed in the field pays the table,
// the Return page, the coach's chart and its advice anew, the break-even is shown, and a meter
// the engine cannot count is refused in the window. The coach's chart here is a stand-in that
// notes the pays it was made for: the chart itself at any pay is quillon-odds strategy's.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <nlohmann/json.hpp>

#include "coach/coach_panel.h"
#include "odds/report/figures.h"
#include "tests/odds/odds_test_support.h"
#include "trainer/meter_field.h"
#include "trainer/return_view.h"
#include "trainer/trainer_window.h"
#include "ui/artwork.h"
#include "ui/design_units.h"

using namespace quillon;
using namespace quillon::trainer;

namespace {

void save_screenshot(QWidget& widget, const QString& name) {
    QDir().mkpath(QStringLiteral(QUILLON_SCREENSHOT_DIR));
    widget.grab().save(QStringLiteral(QUILLON_SCREENSHOT_DIR "/%1.png").arg(name));
}

constexpr int kWait = 30000;  // ms: a bound, never reached when all is well

CardId card(const char* text) {
    return CardId::parse(text).value();
}

// The pays per coin of the chart's game, in its one line.
coach::CoachChart pays_chart(const odds::Tallies& tallies) {
    const odds::Game& game = tallies.game();
    coach::CoachChart chart;
    chart.game = game.name();
    chart.lines.push_back(odds::pay_text(game.pay(0), game.pay_scale()));
    return chart;
}

struct MeteredTrainer {
    MeteredTrainer()
        : window(GameChoice{QStringLiteral("jacks-or-better-9-6"), {}}, 5, artwork, 7, pays_chart) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        field = window.findChild<QLineEdit*>(QStringLiteral("meter"));
        status = window.findChild<QLabel*>(QStringLiteral("meterStatus"));
        pays = window.findChild<QTableWidget*>(QStringLiteral("payTable"));
    }
    void type_meter(const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    // The royal's pay per coin the coach's chart was made for, once it is made.
    QString chart_royal() {
        const coach::CoachChart* chart = window.coach().chart();
        return chart != nullptr ? QString::fromStdString(chart->lines.front()) : QString();
    }
    // The best hold of the deal on the table, as the coach ranks it.
    coach::HoldMask best_hold(std::initializer_list<const char*> cards) {
        std::deque<CardId> deck;
        for (const char* c : cards) {
            deck.push_back(card(c));
        }
        window.table().stack_cards(deck);
        window.deal_or_draw();
        const coach::HoldMask best = window.coach().advice()->best().mask;
        window.deal_or_draw();
        return best;
    }
    QString credit() const { return window.findChild<QLabel*>(QStringLiteral("credit"))->text(); }

    ui::Artwork artwork;
    TrainerWindow window;
    QLineEdit* field = nullptr;
    QLabel* status = nullptr;
    QTableWidget* pays = nullptr;
};

}  // namespace

class TrainerMeterTest : public QObject {
    Q_OBJECT
  private slots:
    void aMeterTypedPaysTheTableTheReturnAndTheCoach() {
        MeteredTrainer t;
        QVERIFY(t.field != nullptr && t.status != nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(t.chart_royal(), QStringLiteral("800"), kWait);
        // Three to the royal or the jacks: at today's 800 per coin the pair is worth more.
        const char* deal[] = {"s1", "s13", "s12", "h11", "d11"};
        QCOMPARE(t.best_hold({deal[0], deal[1], deal[2], deal[3], deal[4]}),
                 coach::HoldMask{0b11000});
        // The break-even, worked out once the chart is in: the least whole meter at which the
        // game returns 100 %, as quillon-odds meter gives it.
        QTRY_VERIFY_WITH_TIMEOUT(t.window.meter().break_even_ready(), kWait);
        QVERIFY2(t.status->text().contains(QStringLiteral("royal flush at 976 per coin")),
                 qPrintable(t.status->text()));

        const QString credit = t.credit();
        t.type_meter(QStringLiteral("4000"));
        // Return in the field sets the meter and deals nothing.
        QCOMPARE(t.credit(), credit);
        QVERIFY(!t.window.table().holding());
        QCOMPARE(t.window.choice().pays, (std::vector<odds::PayChange>{{"royal", "4000"}}));
        QCOMPARE(t.pays->item(0, 1)->text(), QStringLiteral("20000"));
        QTRY_COMPARE_WITH_TIMEOUT(t.chart_royal(), QStringLiteral("4000"), kWait);
        QCOMPARE(t.best_hold({deal[0], deal[1], deal[2], deal[3], deal[4]}),
                 coach::HoldMask{0b00111});
        // The break-even stays, for the same line of the same game.
        QVERIFY(t.window.meter().break_even_ready());

        // The Return page counts the metered game, as quillon-odds return --pay does.
        t.window.show_page(TrainerWindow::return_page);
        QTRY_VERIFY_WITH_TIMEOUT(t.window.return_view().ready(), kWait);
        const odds::CliRun run =
            odds::run({"return", "--game", "jacks-or-better-9-6", "--pay", "royal=4000", "--json"});
        QCOMPARE(run.status, 0);
        const double rate = nlohmann::json::parse(run.out)["return"].get<double>();
        const QString title = t.window.findChild<QLabel*>(QStringLiteral("returnTitle"))->text();
        QVERIFY2(title.contains(QStringLiteral("return %1 %")
                                    .arg(QString::fromStdString(odds::fixed(100.0 * rate, 4)))),
                 qPrintable(title));
        const auto* returns = t.window.findChild<QTableWidget*>(QStringLiteral("returnTable"));
        QCOMPARE(returns->item(0, 1)->text(), QStringLiteral("4000"));
        save_screenshot(t.window, QStringLiteral("trainer_meter_return"));

        // Emptied, the field is today's pay again.
        t.type_meter({});
        QVERIFY(t.window.choice().pays.empty());
        QCOMPARE(t.pays->item(0, 1)->text(), QStringLiteral("4000"));
        QTRY_COMPARE_WITH_TIMEOUT(t.chart_royal(), QStringLiteral("800"), kWait);
    }

    void aMeterTheEngineCannotCountIsRefusedInTheWindow() {
        MeteredTrainer t;
        t.type_meter(QStringLiteral("1200.5"));
        QCOMPARE(t.pays->item(0, 1)->text(), QStringLiteral("6002.50"));
        const auto refused = [&](const QString& typed, const QString& why) {
            t.type_meter(typed);
            QVERIFY(t.window.meter().refused());
            QVERIFY2(t.status->text().startsWith(QStringLiteral("Meter refused: ")) &&
                         t.status->text().contains(why),
                     qPrintable(t.status->text()));
            // The table, the coach and the field's last meter stay as they were.
            QCOMPARE(t.window.choice().pays, (std::vector<odds::PayChange>{{"royal", "1200.5"}}));
            QCOMPARE(t.pays->item(0, 1)->text(), QStringLiteral("6002.50"));
            QVERIFY(QApplication::activeModalWidget() == nullptr);
            // The reason is read whole: the label is as tall as its wrapped lines.
            QTRY_VERIFY(t.status->height() >= t.status->heightForWidth(t.status->width()));
        };
        refused(QStringLiteral("lots"), QStringLiteral("is not a pay"));
        refused(QStringLiteral("-5"), QStringLiteral("negative"));
        refused(QStringLiteral("1000000"), QStringLiteral("cannot be counted exactly"));
        refused(QStringLiteral("kings=50"), QStringLiteral("no line"));
        save_screenshot(t.window, QStringLiteral("trainer_meter_refused"));
        QCOMPARE(t.credit(), QStringLiteral("Credit: 1000"));
        // Another line by its name: the line's box follows.
        t.type_meter(QStringLiteral("four=30"));
        QVERIFY(!t.window.meter().refused());
        QCOMPARE(t.window.meter().line_box()->currentText(), QStringLiteral("four of a kind"));
        QCOMPARE(t.window.choice().pays, (std::vector<odds::PayChange>{{"four", "30"}}));
        QCOMPARE(t.pays->item(2, 1)->text(), QStringLiteral("150"));
        QCOMPARE(t.pays->item(0, 1)->text(), QStringLiteral("4000"));
        // Mid-hand the meter waits: the field is closed until the draw.
        t.window.deal_or_draw();
        QVERIFY(!t.field->isEnabled());
        t.window.deal_or_draw();
        QVERIFY(t.field->isEnabled());
        // Another game starts at today's pays.
        auto* games = t.window.findChild<QComboBox*>(QStringLiteral("game"));
        QVERIFY(t.window.choose_game(GameChoice{QStringLiteral("deuces-wild-full-pay"), {}}, 5));
        QVERIFY(t.window.choice().pays.empty());
        QCOMPARE(t.field->text(), QString());
        QCOMPARE(games->currentText(), QStringLiteral("deuces-wild-full-pay"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ui::install_font_substitutions();
    TrainerMeterTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_trainer_meter.moc"
