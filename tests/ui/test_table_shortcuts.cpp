// Double clicks, the keys that stand for buttons, and clicks on the cards, sent as the window
// system sends them.
#include <QKeyEvent>
#include <QWindow>

#include "tests/ui/table_fixture.h"

using namespace quillon;
using namespace quillon::ui;
using namespace quillon::ui::testing;

namespace {

// The centre of a control, or of the card at a slot, in the window's coordinates.
QPoint centre_of(const Table& t, std::string_view name) {
    return in_window(t.window.control(name)).center();
}
QPoint card_centre(const Table& t, int slot) {
    const QRect area = in_window(t.window.control("Frame1"));
    const QRect card =
        t.window.scale().rect(kSlotLeft[static_cast<std::size_t>(slot)], 3120, 1125, 1500);
    return area.topLeft() + card.center();
}

void double_click(Table& t, QPoint at) {
    QTest::mouseDClick(t.window.windowHandle(), Qt::LeftButton, {}, at);
}
void click_at(Table& t, QPoint at) {
    QTest::mouseClick(t.window.windowHandle(), Qt::LeftButton, {}, at);
}

// A key as the keyboard sends it; `held` marks the repeats of a key held down.
void press_key(Table& t, Qt::Key key, bool held = false) {
    const QString text = key == Qt::Key_Return ? QStringLiteral("\r") : QString(QChar(key));
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text, held);
    QApplication::sendEvent(&t.window, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text, held);
    QApplication::sendEvent(&t.window, &release);
}

const std::deque<CardId> kStraightDraw = {card("s1"),  card("s13"), card("s12"),
                                          card("h11"), card("d2"),  card("c10")};

}  // namespace

class TableShortcutsTest : public QObject {
    Q_OBJECT
  private slots:
    // The second press of a double click on DEAL lands on the DRAW that took its place, and is no
    // click: the hand waits for its holds.
    void aDoubleClickOnDealOnlyDeals() {
        Table t;
        t.start();
        t.machine.stack_cards(kStraightDraw);
        QVERIFY(t.click("Label16"));
        double_click(t, centre_of(t, "deal"));
        QVERIFY(t.shows("draw"));
        QVERIFY(t.label("draw")->isEnabled());
        QCOMPARE(t.machine.state().cards.deck_top, 47);
        QCOMPARE(t.top_card_at(4), QStringLiteral("d2"));
        // The same straight through the widget, as QTest delivers a double click to one.
        QVERIFY(t.label("Label3")->isEnabled());
        QTest::mouseDClick(t.label("draw"), Qt::LeftButton);
        QTest::mouseRelease(t.label("draw"), Qt::LeftButton);
        QCOMPARE(t.machine.state().cards.deck_top, 47);
        // A double click on a HOLD label holds: one click, not two that cancel out.
        double_click(t, centre_of(t, "Label11"));
        QVERIFY(t.shows("Label1", 0));
        QCOMPARE(t.machine.state().hold_flags[0], -1);
        // A double click on DRAW draws once.
        for (const char* hold : {"Label9", "Label7", "Label5"}) {
            QVERIFY(t.click(hold));
        }
        double_click(t, centre_of(t, "draw"));
        QCOMPARE(t.top_card_at(4), QStringLiteral("c10"));
        QCOMPARE(t.machine.state().cards.deck_top, 46);
        QCOMPARE(t.caption("Label28"), QStringLiteral("You win 4 coins."));
    }

    // Space deals, 1 to 5 hold, Return draws; none of them acts while its button is disabled,
    // and a key held down does not repeat.
    void keysStandForTheirButtons() {
        Table t;
        t.start();
        t.media.take_log();
        press_key(t, Qt::Key_Space);
        press_key(t, Qt::Key_1);
        QVERIFY(t.shows("deal"));
        QCOMPARE(t.caption("credit"), QStringLiteral("20"));
        t.machine.stack_cards(kStraightDraw);
        QVERIFY(t.click("Label16"));
        press_key(t, Qt::Key_Space);
        QVERIFY(t.shows("draw"));
        press_key(t, Qt::Key_Space, true);  // the repeat of a held Space does not draw
        QCOMPARE(t.machine.state().cards.deck_top, 47);
        for (const Qt::Key key : {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5}) {
            press_key(t, key);
        }
        press_key(t, Qt::Key_5);  // again: slot 4 lets go
        press_key(t, Qt::Key_6);
        QCOMPARE(t.machine.state().hold_flags, (std::array<std::int16_t, 5>{-1, -1, -1, -1, 0}));
        QVERIFY(t.shows("Label1", 3));
        QCOMPARE(t.label("Label5")->fore(), QColor(0x80, 0x80, 0xFF));
        press_key(t, Qt::Key_Return);
        QCOMPARE(t.top_card_at(4), QStringLiteral("c10"));
        QVERIFY(t.shows("Frame3"));
        // While a win is offered neither DEAL nor DRAW is enabled: the keys do nothing.
        press_key(t, Qt::Key_Return);
        press_key(t, Qt::Key_Space);
        QVERIFY(t.shows("Frame3"));
        QCOMPARE(t.caption("win"), QStringLiteral("4"));
        // In the double-up 2 to 5 pick; 1 would pick the dealer's card and does nothing.
        t.machine.stack_cards({card("s9"), card("h2"), card("d3"), card("c10"), card("h5")});
        QVERIFY(t.click("double"));
        press_key(t, Qt::Key_1);
        QVERIFY(!t.timer_running("cardtime"));
        press_key(t, Qt::Key_4);
        QVERIFY(t.shows("player", 3));
        QVERIFY(t.timer_running("cardtime"));
    }

    // A click on a card is a click on the HOLD label under it: it holds while holding is
    // possible, and in the double-up it picks a face-down card.
    void aClickOnACardActsAsItsHoldLabel() {
        Table t;
        t.start();
        click_at(t, card_centre(t, 2));
        QVERIFY(!t.shows("Label1", 2));
        t.machine.stack_cards(kStraightDraw);
        QVERIFY(t.click("Label16"));
        QVERIFY(t.click("deal"));
        for (int slot = 0; slot < 4; ++slot) {
            click_at(t, card_centre(t, slot));
        }
        QVERIFY(t.shows("Label1", 0) && t.shows("Label1", 3));
        QVERIFY(!t.shows("Label1", 4));
        // Between the cards, and with the right button, nothing happens.
        const QPoint between = (card_centre(t, 3) + card_centre(t, 4)) / 2;
        click_at(t, between);
        QTest::mouseClick(t.window.windowHandle(), Qt::RightButton, {}, card_centre(t, 4));
        QVERIFY(!t.shows("Label1", 4));
        // A press on one card and a release on another is no click.
        QTest::mousePress(t.window.windowHandle(), Qt::LeftButton, {}, card_centre(t, 4));
        QTest::mouseRelease(t.window.windowHandle(), Qt::LeftButton, {}, card_centre(t, 3));
        QVERIFY(!t.shows("Label1", 4) && t.shows("Label1", 3));
        // A double click on a card is one click.
        double_click(t, card_centre(t, 4));
        QVERIFY(t.shows("Label1", 4));
        double_click(t, card_centre(t, 4));
        QVERIFY(!t.shows("Label1", 4));
        QVERIFY(t.click("draw"));
        QCOMPARE(t.caption("Label28"), QStringLiteral("You win 4 coins."));
        t.machine.stack_cards({card("s9"), card("h2"), card("d3"), card("c10"), card("h5")});
        QVERIFY(t.click("double"));
        click_at(t, card_centre(t, 0));  // the dealer's card
        QVERIFY(!t.timer_running("cardtime"));
        click_at(t, card_centre(t, 3));
        QVERIFY(t.shows("player", 3));
        QCOMPARE(t.machine.state().chosen_slot, 3);
        for (int tick = 0; tick < 6; ++tick) {
            QVERIFY(t.fire("cardtime"));
        }
        QCOMPARE(t.caption("win"), QStringLiteral("8"));
        t.screenshot(QStringLiteral("table_card_picked"));
    }
};

QUILLON_UI_TEST_MAIN(TableShortcutsTest)
#include "test_table_shortcuts.moc"
