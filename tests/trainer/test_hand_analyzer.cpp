// The hand analyzer's card buttons and field in a game of two jokers, and what becomes of the
// jokers chosen when the game deals fewer.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <nlohmann/json.hpp>

#include "odds/games/pay_table.h"
#include "tests/odds/odds_test_support.h"
#include "trainer/hand_analyzer.h"

namespace quillon::trainer {
namespace {

odds::Game builtin(const char* name) {
    std::optional<odds::Game> game = odds::find_game(name, 5);
    if (!game) {
        qFatal("no built-in game %s", name);
    }
    return *game;
}

struct Analyzer {
    Analyzer() {
        widget.resize(900, 600);
        widget.show();
        if (!QTest::qWaitForWindowExposed(&widget)) {
            qFatal("the analyzer never showed");
        }
    }
    QToolButton* pick(const char* card) const {
        return widget.findChild<QToolButton*>(QStringLiteral("pick_") + QLatin1String(card));
    }
    void click(const char* card) const {
        QToolButton* b = pick(card);
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    }
    QLineEdit* input() const {
        return widget.findChild<QLineEdit*>(QStringLiteral("analyzerInput"));
    }
    QTableWidget* holds() const {
        return widget.findChild<QTableWidget*>(QStringLiteral("analyzerHolds"));
    }
    QString message() const {
        return widget.findChild<QLabel*>(QStringLiteral("analyzerMessage"))->text();
    }

    HandAnalyzer widget;
};

}  // namespace

class HandAnalyzerTest : public QObject {
    Q_OBJECT
  private slots:
    void bothJokersAreClickedAndTheHoldsAreQuillonOddsHand() {
        Analyzer a;
        a.widget.set_game(builtin("double-joker-9-5"));
        QVERIFY(a.pick("joker")->isVisible() && a.pick("joker2")->isVisible());
        for (const char* c : {"joker", "joker2", "h10", "h11", "c4"}) {
            a.click(c);
        }
        QCOMPARE(a.input()->text(), QStringLiteral("joker joker2 h10 h11 c4"));
        QVERIFY(a.pick("joker")->isChecked() && a.pick("joker2")->isChecked());
        QCOMPARE(a.holds()->rowCount(), 32);
        const odds::CliRun run = odds::run({"hand", "--game", "double-joker-9-5", "--coins", "5",
                                            "--json", "joker", "joker2", "h10", "h11", "c4"});
        QCOMPARE(run.status, 0);
        const nlohmann::json holds = nlohmann::json::parse(run.out)["holds"];
        for (int r = 0; r < 32; ++r) {
            const auto& h = holds[static_cast<std::size_t>(r)];
            QCOMPARE(a.holds()->item(r, a.holds()->columnCount() - 1)->text().toStdString(),
                     h["return_exact"].get<std::string>());
        }
        // A click on a chosen joker lets go of that one only.
        a.click("joker2");
        QCOMPARE(a.input()->text(), QStringLiteral("joker h10 h11 c4"));
        QVERIFY(a.pick("joker")->isChecked() && !a.pick("joker2")->isChecked());
        QCOMPARE(a.holds()->rowCount(), 0);
    }

    void theSecondJokerIsTypedAndRefusedWhereTheDeckHasOne() {
        Analyzer a;
        a.widget.set_game(builtin("double-joker-9-5"));
        a.input()->setFocus();
        QTest::keyClicks(a.input(), QStringLiteral("Jkr2 s1 joker s13 s12"));
        QTest::keyClick(a.input(), Qt::Key_Return);
        QCOMPARE(a.holds()->rowCount(), 32);
        QVERIFY(a.pick("joker2")->isChecked());
        QVERIFY(!a.widget.analyse(QStringLiteral("joker2 s1 joker2 s13 s12")));
        QCOMPARE(a.message(), QStringLiteral("joker2 is there twice."));
        // One joker in the deck: the second's button goes, and so does the second from the hand.
        a.widget.set_game(builtin("joker-kings-20-7-5"));
        QVERIFY(a.pick("joker")->isVisible() && !a.pick("joker2")->isVisible());
        QCOMPARE(a.input()->text(), QStringLiteral("s1 joker s13 s12"));
        QVERIFY(a.pick("joker")->isChecked());
        QVERIFY(!a.widget.analyse(QStringLiteral("joker2 s1 joker s13 s12")));
        QCOMPARE(a.message(), QStringLiteral("\"joker2\" is not a card of this game."));
        // None: both go.
        a.widget.set_game(builtin("jacks-or-better-9-6"));
        QVERIFY(!a.pick("joker")->isVisible() && !a.pick("joker2")->isVisible());
        QCOMPARE(a.input()->text(), QStringLiteral("s1 s13 s12"));
    }
};

}  // namespace quillon::trainer

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    quillon::trainer::HandAnalyzerTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_hand_analyzer.moc"
