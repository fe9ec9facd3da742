// The practice window played by clicks, offscreen: a deuces game and Jacks or Better are dealt,
// held and drawn, the coach follows, and the analyzer's figures are quillon-odds hand's.
#include <sys/stat.h>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <nlohmann/json.hpp>

#include "coach/coach_panel.h"
#include "odds/cli/figures.h"
#include "tests/odds/odds_test_support.h"
#include "trainer/card_view.h"
#include "trainer/hand_analyzer.h"
#include "trainer/return_view.h"
#include "trainer/trainer_window.h"
#include "ui/artwork.h"
#include "ui/design_units.h"

using namespace quillon;
using namespace quillon::trainer;

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
        QVERIFY(t.window.return_view().ready() || ready.wait(30000));
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
        QVERIFY(window.coach().chart_ready() || ready.wait(60000));
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
        QVERIFY(failed.wait(60000));
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

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ui::install_font_substitutions();
    TrainerTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_trainer.moc"
