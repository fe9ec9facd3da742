// Playing the table with the mouse, the keyboard and the timers, as a player does.
#include <QMouseEvent>
#include <QTimer>

#include "tests/ui/table_fixture.h"

using namespace quillon;
using namespace quillon::ui;
using namespace quillon::ui::testing;

namespace {

// The HOLD button under a slot: Label11 for slot 0 ... Label3 for slot 4.
std::string hold_button(int slot) {
    return "Label" + std::to_string(11 - 2 * slot);
}

// BET max, a dealt hand of `dealt`, the slots in `holds` held, and the draw of `drawn`.
bool play_hand(Table& t, std::initializer_list<const char*> dealt, std::initializer_list<int> holds,
               std::initializer_list<const char*> drawn) {
    std::deque<CardId> cards;
    for (const char* c : dealt) {
        cards.push_back(card(c));
    }
    for (const char* c : drawn) {
        cards.push_back(card(c));
    }
    t.machine.stack_cards(cards);
    if (!t.click("Label17") || !t.click("deal")) {
        return false;
    }
    for (const int slot : holds) {
        if (!t.click(hold_button(slot))) {
            return false;
        }
    }
    return t.click("draw");
}

}  // namespace

class TablePlayTest : public QObject {
    Q_OBJECT
  private slots:
    void wholeHandFromBetToPayout() {
        Table t;
        t.start();
        t.media.take_log();
        t.machine.stack_cards(
            {card("s1"), card("s13"), card("s12"), card("s11"), card("d2"), card("s10")});
        QVERIFY(t.click("Label17"));
        QCOMPARE(t.caption("credit"), QStringLiteral("10"));
        QVERIFY(t.click("deal"));
        QVERIFY(!t.shows("deal"));
        QVERIFY(t.shows("draw"));
        const QStringList dealt = {"s1", "s13", "s12", "s11", "d2"};
        for (int slot = 0; slot < 5; ++slot) {
            QCOMPARE(t.top_card_at(slot), dealt[slot]);
        }
        // HOLD marks a slot; a second click takes the mark back.
        QVERIFY(t.click(hold_button(4)));
        QVERIFY(t.shows("Label1", 4));
        QCOMPARE(t.label("Label3")->fore(), QColor(0x80, 0x80, 0xFF));
        QVERIFY(t.click("Label4"));  // the arrow of slot 4 works as its HOLD
        QVERIFY(!t.shows("Label1", 4));
        QCOMPARE(t.label("Label3")->fore(), QColor(Qt::white));
        for (int slot = 0; slot < 4; ++slot) {
            QVERIFY(t.click(hold_button(slot)));
        }
        QVERIFY(t.shows("Label1", 0) && t.shows("Label1", 3));
        t.screenshot(QStringLiteral("table_dealt_with_holds"));

        QVERIFY(t.click("draw"));
        QCOMPARE(t.top_card_at(4), QStringLiteral("s10"));
        QCOMPARE(t.top_card_at(0), QStringLiteral("s1"));
        // The win panel replaces the pay table.
        QVERIFY(!t.shows("Frame2"));
        QVERIFY(t.shows("Frame3"));
        QCOMPARE(t.caption("Label27"), QStringLiteral("ROYAL STRAIGHT FLUSH"));
        QCOMPARE(t.caption("Label28"), QStringLiteral("You win 10000 coins."));
        QCOMPARE(t.label("Label28")->pos(), QPoint(8, 80));
        QCOMPARE(t.caption("win"), QStringLiteral("10000"));
        QCOMPARE(t.caption("Label24"), QStringLiteral("20000"));
        for (const char* on : {"double", "half", "payback"}) {
            QVERIFY2(t.label(on)->isEnabled(), on);
        }
        QCOMPARE(QString::fromStdString(t.media.take_log()),
                 QStringLiteral("Close;Open(BGM2.mid);Play"));
        t.screenshot(QStringLiteral("table_win_panel"));

        QVERIFY(t.click("payback"));
        QCOMPARE(t.caption("credit"), QStringLiteral("10010"));
        QCOMPARE(t.caption("paid"), QStringLiteral("10000"));
        QCOMPARE(t.caption("hight"), QStringLiteral("10000"));
        QCOMPARE(t.caption("win"), QStringLiteral("0"));
        QVERIFY(t.shows("Frame2"));
        QVERIFY(t.shows("deal"));
        QVERIFY(!t.label("payback")->isEnabled());
    }

    // DOUBLE deals the dealer's card face up and four backs; the pick turns them one a second.
    void doubleUpRoundRunsOnTheCardTimer() {
        Table t;
        t.start();
        QVERIFY(play_hand(t, {"s3", "d3", "c9", "h9", "s4"}, {0, 1, 2, 3}, {"d12"}));
        QCOMPARE(t.caption("win"), QStringLiteral("20"));  // two pair, 10 coins
        t.machine.stack_cards({card("d5"), card("c2"), card("h9"), card("s8"), card("d13")});
        QVERIFY(t.click("double"));
        QCOMPARE(t.top_card_at(0), QStringLiteral("d5"));
        for (int slot = 1; slot < 5; ++slot) {
            QCOMPARE(t.top_card_at(slot), QStringLiteral("back"));
        }
        QVERIFY(!t.timer_running("cardtime"));
        QVERIFY(t.click(hold_button(2)));
        QVERIFY(t.shows("player", 2));
        QVERIFY(t.timer_running("cardtime"));
        QCOMPARE(t.window.findChild<QTimer*>("cardtime")->interval(), 1000);

        QVERIFY(t.fire("cardtime"));  // the first tick turns nothing
        QCOMPARE(t.top_card_at(1), QStringLiteral("back"));
        QVERIFY(t.fire("cardtime"));
        QCOMPARE(t.top_card_at(1), QStringLiteral("c2"));
        QVERIFY(t.fire("cardtime"));
        QVERIFY(t.fire("cardtime"));
        QCOMPARE(t.top_card_at(4), QStringLiteral("d13"));
        QCOMPARE(t.top_card_at(2), QStringLiteral("back"));  // the pick turns last
        QVERIFY(t.fire("cardtime"));
        QCOMPARE(t.top_card_at(2), QStringLiteral("h9"));
        QVERIFY(t.fire("cardtime"));  // settles: nine beats five
        QVERIFY(!t.timer_running("cardtime"));
        QCOMPARE(t.caption("Label22", 0), QStringLiteral("40"));
        QCOMPARE(t.caption("win"), QStringLiteral("40"));
        QVERIFY(!t.shows("player", 2));
        QVERIFY(t.label("double")->isEnabled());
        QVERIFY(t.label("payback")->isEnabled());
    }

    // A joker as the dealer's card loses the stake: masks cover the cards on the joker timer.
    void jokerLossRunsOnTheJokerTimer() {
        Table t;
        t.start();
        QVERIFY(play_hand(t, {"s3", "d3", "c9", "h9", "s4"}, {0, 1, 2, 3}, {"d12"}));
        t.machine.stack_cards({card("joker"), card("c2"), card("h9"), card("s8"), card("d13")});
        QVERIFY(t.click("double"));
        QCOMPARE(t.top_card_at(0), QStringLiteral("joker1"));
        QVERIFY(t.timer_running("jokertime"));
        QCOMPARE(t.window.findChild<QTimer*>("jokertime")->interval(), 900);
        QVERIFY(!t.label("Label7")->isEnabled());  // no pick against the joker
        for (int tick = 0; tick < 5; ++tick) {
            QVERIFY(t.fire("jokertime"));
        }
        QCOMPARE(t.top_card_at(4), QStringLiteral("joker5"));
        QVERIFY(t.fire("jokertime"));
        for (int slot = 0; slot < 5; ++slot) {
            QCOMPARE(t.top_card_at(slot), QStringLiteral("joker%1").arg(slot + 6));
        }
        t.screenshot(QStringLiteral("table_joker_loss"));
        QVERIFY(t.fire("jokertime"));
        QVERIFY(!t.timer_running("jokertime"));
        QCOMPARE(t.caption("win"), QStringLiteral("0"));
        QVERIFY(t.shows("Frame2"));
        QVERIFY(t.label("Label16")->isEnabled());
    }

    void functionKeysReachTheMachineOthersDoNot() {
        Table t;
        t.start();
        t.media.take_log();
        QTest::keyClick(&t.window, Qt::Key_F12);
        QCOMPARE(t.caption("credit"), QStringLiteral("120"));
        QTest::keyClick(&t.window, Qt::Key_F11);
        QCOMPARE(QString::fromStdString(t.media.take_log()),
                 QStringLiteral("Close;Open(BGM1.mid);Play"));
        for (const Qt::Key other :
             {Qt::Key_F1, Qt::Key_F10, Qt::Key_Space, Qt::Key_Return, Qt::Key_A, Qt::Key_Escape}) {
            QTest::keyClick(&t.window, other);
        }
        QCOMPARE(t.caption("credit"), QStringLiteral("120"));
        QVERIFY(t.media.take_log().empty());
    }

    // The button reacts to a press and release on it, not to one that slides off.
    void aClickNeedsPressAndReleaseOnTheButton() {
        Table t;
        t.start();
        LabelWidget* bet = t.label("Label16");
        QTest::mousePress(bet, Qt::LeftButton, {}, bet->rect().center());
        QTest::mouseRelease(bet, Qt::LeftButton, {}, QPoint(-5, -5));
        QCOMPARE(t.caption("credit"), QStringLiteral("20"));
        QTest::mouseClick(bet, Qt::RightButton, {}, bet->rect().center());
        QCOMPARE(t.caption("credit"), QStringLiteral("20"));
        QVERIFY(t.click("Label16"));
        QCOMPARE(t.caption("credit"), QStringLiteral("19"));
        // A double click is one click: the second press is a double-click event, no click.
        const QPointF at = bet->rect().center();
        const QPointF global = bet->mapToGlobal(at);
        QMouseEvent second(QEvent::MouseButtonDblClick, at, global, Qt::LeftButton, Qt::LeftButton,
                           {});
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                            {});
        QTest::mouseClick(bet, Qt::LeftButton, {}, bet->rect().center());
        QApplication::sendEvent(bet, &second);
        QApplication::sendEvent(bet, &release);
        QCOMPARE(t.caption("credit"), QStringLiteral("18"));
    }
};

QUILLON_UI_TEST_MAIN(TablePlayTest)
#include "test_table_play.moc"
