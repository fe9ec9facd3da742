// The table as it first appears: where the controls sit, what they show, how they are drawn.
#include <QFontMetrics>
#include <cstdlib>

#include "game/control_table.h"
#include "tests/ui/table_fixture.h"
#include "ui/design_units.h"
#include "ui/table_layout.h"

using namespace quillon;
using namespace quillon::ui;
using namespace quillon::ui::testing;

namespace {

// Grey pixels (r = g = b, mid-tone) only come from the embossed caption of a disabled label: the
// captions of enabled ones blend coloured text into a coloured background.
int grey_pixels(const QImage& image, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += c.red() == c.green() && c.green() == c.blue() && c.red() > 100 && c.red() < 160;
        }
    }
    return n;
}

// The mean luminance (0 to 255) of a caption's strokes: every pixel of `area` that differs from
// the background. What the eye reads as the colour of the text, antialiasing included.
double stroke_luminance(const QImage& image, const QRect& area, const QColor& back) {
    double sum = 0;
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int off = std::abs(c.red() - back.red()) + std::abs(c.green() - back.green()) +
                            std::abs(c.blue() - back.blue());
            if (off > 24) {
                sum += 0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue();
                ++n;
            }
        }
    }
    return n > 0 ? sum / n : 0;
}

// The caption of a button, without its border.
QRect caption_area(const QWidget* w) {
    return in_window(w).adjusted(2, 2, -2, -2);
}

int stacking_index(const QWidget* w) {
    return static_cast<int>(w->parentWidget()->children().indexOf(w));
}

}  // namespace

class TableLookTest : public QObject {
    Q_OBJECT
  private slots:
    void windowIsFixedAtTheDesignedPlace() {
        Table t;
        t.start();
        QCOMPARE(t.window.windowTitle(), QStringLiteral("Quillon"));
        QCOMPARE(t.window.size(), QSize(679, 463));
        QCOMPARE(t.window.minimumSize(), t.window.maximumSize());
        QCOMPARE(t.window.pos(), QPoint(3, 3));
        QVERIFY(t.window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!t.window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!t.window.windowIcon().isNull());
        t.screenshot(QStringLiteral("table_startup"));
    }

    void controlsSitWhereTheLayoutPutsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("rect");  // window pixels
        QTest::newRow("credit meter") << "credit" << -1 << QRect(512, 256, 157, 23);
        QTest::newRow("DEAL") << "deal" << -1 << QRect(536, 360, 73, 65);
        QTest::newRow("PAYOUT") << "payback" << -1 << QRect(344, 424, 153, 25);
        QTest::newRow("slot 0 arrow") << "Label12" << -1 << QRect(24, 360, 73, 17);
        QTest::newRow("slot 4 HOLD") << "Label3" << -1 << QRect(408, 376, 73, 25);
        QTest::newRow("slot 0 back") << "spade" << 0 << QRect(24, 208, 75, 100);
        QTest::newRow("slot 4 back") << "joker" << 0 << QRect(408, 208, 75, 100);
        QTest::newRow("10-coin royal") << "royal" << 5 << QRect(432, 40, 48, 16);
        QTest::newRow("double-up stake") << "Label24" << -1 << QRect(312, 128, 165, 45);
        QTest::newRow("pay table") << "Frame2" << -1 << QRect(16, 8, 473, 185);
    }
    void controlsSitWhereTheLayoutPutsThem() {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QRect, rect);
        Table t;
        t.start();
        const QWidget* w = t.window.control(name.toStdString(), index);
        QVERIFY(w != nullptr);
        QCOMPARE(in_window(w), rect);
    }

    void startUpStateIsTheLayouts() {
        Table t;
        t.start();
        for (const char* shown : {"Frame1", "Frame2", "Frame3", "deal", "Label16", "Label17",
                                  "double", "half", "payback", "Label3", "Label12", "credit"}) {
            QVERIFY2(t.shows(shown), shown);
        }
        for (const char* back : {"spade", "dai", "club", "heart", "joker"}) {
            QVERIFY2(t.shows(back, 0), back);
            QVERIFY2(!t.shows(back, 1), back);
        }
        QVERIFY(!t.shows("draw"));
        QVERIFY(!t.shows("Label1", 0));
        QVERIFY(!t.shows("player", 4));
        QVERIFY(!t.shows("joker", 2));
        for (int slot = 0; slot < 5; ++slot) {
            QCOMPARE(t.top_card_at(slot), QStringLiteral("back"));
        }
        for (const char* off :
             {"deal", "double", "half", "payback", "SoundOn", "Label3", "Label12", "Label19"}) {
            QVERIFY2(!t.label(off)->isEnabled(), off);
        }
        for (const char* on : {"Label16", "Label17", "SoundOff", "clear"}) {
            QVERIFY2(t.label(on)->isEnabled(), on);
        }
        QCOMPARE(t.caption("credit"), QStringLiteral("20"));
        QCOMPARE(t.caption("coinsuu", 0), QStringLiteral("1st"));
        QCOMPARE(t.caption("royal", 5), QStringLiteral("10000"));
        QCOMPARE(t.caption("deal"), QStringLiteral("  DEAL   and  DRAW"));
        QVERIFY(!t.timer_running("cardtime"));
        QVERIFY(!t.timer_running("jokertime"));
    }

    // Later siblings lie on top: the layout lists the controls bottom first.
    void stackingFollowsTheLayout() {
        Table t;
        t.start();
        QVERIFY(stacking_index(t.window.control("Frame3")) <
                stacking_index(t.window.control("Frame2")));
        for (int slot = 1; slot <= 4; ++slot) {
            const char* suit = std::array{"spade", "dai", "club", "heart"}[slot - 1];
            QVERIFY(stacking_index(t.picture(suit, 13)) < stacking_index(t.picture(suit, 0)));
        }
        QVERIFY(stacking_index(t.picture("joker", 1)) < stacking_index(t.picture("joker", 0)));
        QVERIFY(stacking_index(t.picture("joker", 0)) < stacking_index(t.picture("joker", 2)));
        QVERIFY(stacking_index(t.picture("heart", 0)) < stacking_index(t.picture("joker", 10)));
    }

    void autoSizeLabelsTakeTheirCaptionsSize() {
        Table t;
        t.start();
        const LabelWidget* won = t.label("Label28");
        QCOMPARE(won->pos(), QPoint(8, 80));
        const QFontMetrics metrics(won->font());
        QCOMPARE(won->width(), metrics.horizontalAdvance(won->caption()));
        QCOMPARE(won->height(), metrics.height());
        // A fixed-size label keeps the layout's size whatever its caption.
        QCOMPARE(t.label("Label22", 0)->size(), QSize(165, 45));
    }

    void colorsAndBordersAreDrawn() {
        Table t;
        t.start();
        const QImage image = t.grab();
        QCOMPARE(image.pixelColor(104, 200), QColor(0x40, 0x40, 0x40));  // Frame1, bare
        QCOMPARE(image.pixelColor(512, 256), QColor(0, 0, 0));           // meter border
        QCOMPARE(image.pixelColor(515, 268), QColor(0, 0, 0xC0));        // credit meter
        QCOMPARE(image.pixelColor(540, 364), QColor(0, 0, 0x80));        // DEAL button
    }

    void disabledCaptionsAreGreyed() {
        Table t;
        t.start();
        const QRect deal = in_window(t.label("deal")).adjusted(2, 2, -2, -2);
        QVERIFY(grey_pixels(t.grab(), deal) > 20);
        QVERIFY(t.click("Label17"));  // BET max enables DEAL
        QVERIFY(t.label("deal")->isEnabled());
        QCOMPARE(grey_pixels(t.grab(), deal), 0);
    }

    // A disabled caption reads as disabled on each background of the layout: its strokes are
    // clearly darker than the enabled caption's white.
    void disabledCaptionsReadAsDisabled_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QColor>("background");
        for (const char* button : {"double", "half", "payback"}) {
            QTest::newRow(QByteArray(button) + " on black") << button << QColor(0, 0, 0);
            QTest::newRow(QByteArray(button) + " on navy") << button << QColor(0, 0, 0x80);
            QTest::newRow(QByteArray(button) + " on grey") << button << QColor(0x40, 0x40, 0x40);
        }
    }
    void disabledCaptionsReadAsDisabled() {
        QFETCH(QString, button);
        QFETCH(QColor, background);
        const ControlLayout c = *find_layout(button.toStdString(), -1);
        LabelWidget label(c, nullptr);
        const QRect area = label.rect().adjusted(2, 2, -2, -2);
        const Controls start = Controls::at_startup();
        Label shown = *find_control(start, button.toStdString(), -1).label;
        shown.enabled = true;
        shown.back = Color{static_cast<std::uint32_t>(background.rgb() & 0xFFFFFF)};
        label.apply(shown);
        const double enabled = stroke_luminance(label.grab().toImage(), area, background);
        shown.enabled = false;
        label.apply(shown);
        const double disabled = stroke_luminance(label.grab().toImage(), area, background);
        qInfo("stroke luminance: disabled %.1f, enabled %.1f", disabled, enabled);
        QVERIFY2(disabled < 0.65 * enabled,
                 qPrintable(QStringLiteral("disabled %1, enabled %2").arg(disabled).arg(enabled)));
    }

    // The same on the table, driven by a win: DOUBLE, HALF and PAYOUT go from grey to white.
    void doubleHalfPayoutLightUpOnAWin() {
        Table t;
        t.start();
        const char* buttons[] = {"double", "half", "payback"};
        const QColor black(0, 0, 0);
        const QImage before = t.grab();
        const QRect strip = in_window(t.label("double")).united(in_window(t.label("payback")));
        before.copy(strip.adjusted(-4, -4, 4, 4))
            .save(QStringLiteral(QUILLON_SCREENSHOT_DIR "/buttons_disabled.png"));
        t.machine.stack_cards({card("d2"), card("c4"), card("h6"), card("s8"), card("d10"),
                               card("s1"), card("s13"), card("s12"), card("s11"), card("s10")});
        QVERIFY(t.click("Label17"));
        QVERIFY(t.click("deal"));
        QVERIFY(t.click("draw"));
        const QImage after = t.grab();
        after.copy(strip.adjusted(-4, -4, 4, 4))
            .save(QStringLiteral(QUILLON_SCREENSHOT_DIR "/buttons_enabled.png"));
        for (const char* name : buttons) {
            QVERIFY2(t.label(name)->isEnabled(), name);
            const QRect area = caption_area(t.label(name));
            const double off = stroke_luminance(before, area, black);
            const double on = stroke_luminance(after, area, black);
            qInfo("%s stroke luminance: disabled %.1f, enabled %.1f", name, off, on);
            QVERIFY2(off < 0.65 * on, qPrintable(QStringLiteral("%1: disabled %2, enabled %3")
                                                     .arg(QString::fromLatin1(name))
                                                     .arg(off)
                                                     .arg(on)));
        }
    }

    void artworkIsBuiltIn() {
        for (const char* name :
             {"s1", "h13", "back", "joker1", "joker10", "cursor", "icon_table", "icon_credits"}) {
            QVERIFY2(Artwork::has_svg(QString::fromLatin1(name)), name);
        }
        Table t;
        QCOMPARE(t.label("deal")->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(t.label("Label3")->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(t.label("credit")->cursor().shape(), Qt::ArrowCursor);
    }

    // A card is rendered once per size and pixel ratio; repaints take the kept pixmap.
    void picturesAreKeptPerSizeAndRatio() {
        Artwork art;
        const QPixmap sharp = art.pixmap(QStringLiteral("back"), QSize(75, 100), 2.0);
        QCOMPARE(sharp.size(), QSize(150, 200));
        QCOMPARE(sharp.devicePixelRatio(), 2.0);
        QCOMPARE(art.pixmap(QStringLiteral("back"), QSize(75, 100), 2.0).cacheKey(),
                 sharp.cacheKey());
        QCOMPARE(art.pixmap(QStringLiteral("back"), QSize(75, 100), 1.0).size(), QSize(75, 100));
        QCOMPARE(art.cached_count(), 2);

        Table t;
        t.start();
        (void)t.grab();
        const qsizetype kept = t.artwork.cached_count();
        QVERIFY(kept >= 1);
        t.window.repaint();
        (void)t.grab();
        QCOMPARE(t.artwork.cached_count(), kept);
    }
};

QUILLON_UI_TEST_MAIN(TableLookTest)
#include "test_table_look.moc"
