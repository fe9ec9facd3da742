// The trainer's coach plays any chart as `quillon-odds chart` plays it, offscreen: a hand-written
// chart in sections by the deuces dealt, with an exception on the discards, decides each deal on
// the table by the line and hold the chart scorer gives, and the chart page shows each section's
// heading on its first line.
#include <QApplication>
#include <QListWidget>
#include <QTest>

#include "coach/coach_panel.h"
#include "odds/strategy/chart/chart_score.h"
#include "odds/strategy/chart/chart_sections.h"
#include "tests/odds/odds_test_support.h"
#include "trainer/trainer_window.h"
#include "ui/artwork.h"
#include "ui/design_units.h"

using namespace quillon;
using namespace quillon::trainer;

namespace {

// ms: a bound, never reached when all is well; the sanitizers run the engine ten times slower.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr int kWait = 300000;
#else
constexpr int kWait = 30000;
#endif

// A pair is kept over four to a flush only where a king is thrown away; with one deuce the
// deuce is kept, whatever pair lies beside it. A reader of the patterns alone, without sections
// or conditions, keeps the pair in both deals.
constexpr const char* kChart =
    "game deuces-wild-full-pay\n"
    "No deuces:\n"
    "pair, with a king discarded\n"
    "4 to a flush, no straight in it\n"
    "pair\n"
    "discard everything\n"
    "One deuce:\n"
    "deuce alone\n";

odds::Chart the_chart(const odds::Game& game) {
    return odds::read_chart(kChart, "trainer.chart", game);
}

coach::CoachChart sectioned_chart(const odds::Tallies& tallies) {
    coach::CoachChart out;
    out.game = tallies.game().name();
    out.chart = the_chart(tallies.game());
    for (const odds::ChartLine& line : out.chart.lines) {
        out.lines.push_back(line.words);
        out.sections.push_back(line.section < 0
                                   ? std::string()
                                   : odds::section_heading_text(line.section, tallies.game()));
    }
    return out;
}

}  // namespace

class TrainerChartTest : public QObject {
    Q_OBJECT
  private slots:
    void theCoachPlaysSectionsAndExceptionsAsTheChartScorer() {
        ui::Artwork artwork;
        TrainerWindow window(GameChoice{QStringLiteral("deuces-wild-full-pay"), {}}, 5, artwork, 7,
                             sectioned_chart);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY_WITH_TIMEOUT(window.coach().chart() != nullptr, kWait);
        const odds::Game game = odds::find_game("deuces-wild-full-pay").value();
        const odds::Chart chart = the_chart(game);
        struct Deal {
            const char* cards;
            const char* hold;
        };
        const Deal deals[] = {
            {"h9 s9 h4 h6 h13", "h9 s9"},         // the exception: a king thrown away
            {"h9 s9 h4 h6 h12", "h9 h4 h6 h12"},  // no king: four to the flush
            {"s2 d9 c9 h4 s13", "s2"},            // one deuce: its own section
            {"s2 d2 c9 h4 s13", "(draw five)"},   // two deuces: no section, no line
        };
        for (const Deal& d : deals) {
            const std::array<CardId, 5> cards = odds::parse_deal(d.cards);
            window.table().stack_cards(std::deque<CardId>(cards.begin(), cards.end()));
            window.deal_or_draw();
            const odds::ChartDecision own = odds::decide_deal(chart, game, cards);
            const std::optional<coach::DecidingLine> line = window.coach().chart_line();
            QCOMPARE(line.has_value(), own.line != 0);
            if (line) {
                QCOMPARE(line->line + 1, own.line);
                QCOMPARE(line->hold, own.hold);
            }
            QCOMPARE(odds::held_cards(cards, own.hold), std::string(d.hold));
            window.deal_or_draw();
        }
        const auto* rows = window.findChild<QListWidget*>(QStringLiteral("chartLines"));
        QVERIFY(rows != nullptr);
        QCOMPARE(rows->count(), static_cast<int>(chart.lines.size()));
        QCOMPARE(rows->item(0)->text(),
                 QStringLiteral("No deuces:\n1. pair, with a king discarded"));
        QCOMPARE(rows->item(1)->text(), QStringLiteral("2. 4 to a flush, no straight in it"));
        QCOMPARE(rows->item(4)->text(), QStringLiteral("One deuce:\n5. deuce alone"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ui::install_font_substitutions();
    TrainerChartTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_trainer_chart.moc"
