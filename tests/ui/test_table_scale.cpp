// The table on a screen too small for it at the screen's own scale: a 1280 x 800 screen at a
// scale factor of 2 (the test's offscreen screen, 192 dpi) has room for 640 x 400 logical pixels.
#include <QPainter>
#include <QScreen>

#include "tests/ui/table_fixture.h"
#include "ui/layout_scale.h"

using namespace quillon;
using namespace quillon::ui;
using namespace quillon::ui::testing;

class TableScaleTest : public QObject {
    Q_OBJECT
  private slots:
    void scaleFitsTheScreen_data() {
        QTest::addColumn<QRect>("available");  // logical pixels
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("scale");
        const QMargins none;
        const QMargins title(4, 30, 4, 4);
        QTest::newRow("full HD") << QRect(0, 0, 1920, 1050) << title << 1.0 << 1.0;
        QTest::newRow("1280x800 at 1") << QRect(0, 0, 1280, 770) << title << 1.0 << 1.0;
        QTest::newRow("exactly room") << QRect(0, 0, 679, 463) << none << 1.0 << 1.0;
        // 400 - 4 over 463 is 0.855; 1.711 device pixels go down to 27/16.
        QTest::newRow("1280x800 at 2")
            << QRect(0, 0, 640, 400) << QMargins(2, 2, 2, 2) << 2.0 << 27.0 / 32.0;
        // 450 over 463 is 0.972; 2.916 device pixels go down to 46/16.
        QTest::newRow("2560x1440 at 3")
            << QRect(0, 0, 853, 480) << QMargins(0, 30, 0, 0) << 3.0 << 46.0 / 48.0;
        // A row one pixel short: the width decides, 678/679 at 1.5 goes down to 23/16.
        QTest::newRow("one pixel short") << QRect(0, 0, 678, 600) << none << 1.5 << 23.0 / 24.0;
        QTest::newRow("panel on top")
            << QRect(0, 27, 640, 373) << QMargins(2, 2, 2, 2) << 2.0 << 25.0 / 32.0;
        QTest::newRow("unknown screen") << QRect() << title << 2.0 << 1.0;
        QTest::newRow("tiny screen") << QRect(0, 0, 100, 80) << none << 1.0 << 0.25;
    }
    void scaleFitsTheScreen() {
        QFETCH(QRect, available);
        QFETCH(QMargins, frame);
        QFETCH(double, ratio);
        QFETCH(double, scale);
        const QSize client(679, 463);
        const LayoutScale s = fitting_scale(client, {available, frame, ratio});
        QCOMPARE(s.factor(), scale);
        if (scale > 0.25 && !available.isEmpty()) {
            // The window in its frame fits, at the layout's own rounding.
            const QSize drawn(s.pixels(kClientWidth), s.pixels(kClientHeight));
            QVERIFY(drawn.width() + frame.left() + frame.right() <= available.width());
            QVERIFY(drawn.height() + frame.top() + frame.bottom() <= available.height());
        }
    }

    // The table, its meters, DEAL and Clear all lie on the screen, and the table still plays.
    void tableFitsTheSmallScreen() {
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(screen->devicePixelRatio(), 2.0);
        qInfo() << screen->geometry() << screen->availableGeometry();
        Table t;
        t.start();
        const QRect room = screen->availableGeometry();
        QVERIFY2(room.contains(t.window.frameGeometry()),
                 qPrintable(QStringLiteral("%1x%2 window on a %3x%4 screen")
                                .arg(t.window.frameGeometry().width())
                                .arg(t.window.frameGeometry().height())
                                .arg(room.width())
                                .arg(room.height())));
        QCOMPARE(t.window.scale().factor(), 27.0 / 32.0);
        QCOMPARE(t.window.size(), QSize(573, 391));
        QCOMPARE(t.window.minimumSize(), t.window.maximumSize());
        for (const char* name :
             {"credit", "win", "hight", "deal", "clear", "SoundOff", "payback"}) {
            const QRect r = in_window(t.window.control(name));
            QVERIFY2(t.window.rect().contains(r), name);
        }
        // Positions, sizes and fonts all follow the scale: the credit meter and its 16-pixel font.
        QCOMPARE(in_window(t.label("credit")), QRect(432, 216, 132, 19));
        QCOMPARE(t.label("credit")->font().pixelSize(), 13);
        t.screenshot(QStringLiteral("table_scaled_1280x800_scale2"));

        t.machine.stack_cards({card("s1"), card("s13"), card("s12"), card("s11"), card("s10")});
        QVERIFY(t.click("Label17"));
        QVERIFY(t.click("deal"));
        for (int slot = 0; slot < 5; ++slot) {
            QVERIFY(t.click("Label" + std::to_string(11 - 2 * slot)));
        }
        QVERIFY(t.click("draw"));
        QCOMPARE(t.caption("win"), QStringLiteral("10000"));
        QVERIFY(t.label("payback")->isEnabled());
    }

    // The cards are drawn from their artwork at the device's resolution, one pixel of artwork
    // per pixel of the screen, not a picture at the layout's size stretched.
    void cardsStaySharp() {
        Table t;
        t.start();
        const PictureWidget* back = t.picture("spade", 0);
        QCOMPARE(back->size(), QSize(63, 84));
        const QImage window = t.window.grab().toImage();
        QCOMPARE(window.devicePixelRatio(), 2.0);
        const QPoint at = back->mapTo(&t.window, QPoint(0, 0)) * 2;
        const QImage drawn = window.copy(QRect(at, back->size() * 2));
        const QPixmap art = t.artwork.pixmap(QStringLiteral("back"), back->size(), 2.0);
        QCOMPARE(art.size(), QSize(126, 168));
        // The card's rounded corners show the frame's grey.
        QImage expected(art.size(), QImage::Format_RGB32);
        expected.fill(QColor(0x40, 0x40, 0x40));
        QImage card = art.toImage();
        card.setDevicePixelRatio(1);  // compared pixel for pixel
        QPainter p(&expected);
        p.drawImage(0, 0, card);
        p.end();
        QImage on_screen = drawn.convertToFormat(QImage::Format_RGB32);
        on_screen.setDevicePixelRatio(1);
        QCOMPARE(on_screen, expected);
    }
};

QUILLON_UI_TEST_MAIN(TableScaleTest)
#include "test_table_scale.moc"
