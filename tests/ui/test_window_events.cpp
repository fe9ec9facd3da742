// The window's own events: start-up, minimise and restore, close into the credits, the end, the
// music device's failure, and a start without a display.
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <atomic>
#include <thread>

#include "tests/ui/table_fixture.h"
#include "ui/credits_window.h"
#include "ui/design_units.h"
#include "ui/gui_thread.h"

using namespace quillon;
using namespace quillon::ui;
using namespace quillon::ui::testing;

namespace {

// The first and last rows of `area` with the credits' red text in them; -1 for none.
std::pair<int, int> red_rows(const QImage& image, const QRect& area) {
    int first = -1;
    int last = -1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > c.green() + 16 && c.red() > c.blue() + 16) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

}  // namespace

class WindowEventsTest : public QObject {
    Q_OBJECT
  private slots:
    // The first showing is a resize the machine answers with nothing; later restores resume.
    void minimiseAndRestorePauseTheMusic() {
        Table t;
        t.start();
        QCOMPARE(QString::fromStdString(t.media.take_log()), QStringLiteral("Open(BGM1.mid);Play"));
        t.window.showMinimized();
        QCOMPARE(QString::fromStdString(t.media.take_log()), QStringLiteral("pause"));
        QCOMPARE(t.media.mode(), MediaControl::kModePaused);
        t.window.showNormal();
        QCOMPARE(QString::fromStdString(t.media.take_log()), QStringLiteral("pause"));
        QCOMPARE(t.media.mode(), MediaControl::kModePlaying);
        QCOMPARE(t.window.size(), QSize(679, 463));
    }

    void closeOpensTheCreditsAndEndQuits() {
        Table t;
        t.start();
        t.media.take_log();
        QSignalSpy ended(&t.window, &TableWindow::programEnded);
        QVERIFY(t.window.close());
        QVERIFY(!t.window.isVisible());
        QCOMPARE(QString::fromStdString(t.media.take_log()), QStringLiteral("Close"));
        CreditsWindow* credits = t.window.credits();
        QVERIFY(credits != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(credits));
        QCOMPARE(ended.count(), 0);  // the program runs on while the credits are open
        QVERIFY(!QApplication::topLevelWidgets().isEmpty());

        auto* end = credits->findChild<LabelWidget*>(QStringLiteral("Label4"));
        QVERIFY(end != nullptr && end->isVisible() && end->isEnabled());
        QTest::mouseClick(end, Qt::LeftButton, {}, end->rect().center());
        QCOMPARE(ended.count(), 1);
    }

    void creditsCloseBoxEndsTheProgram() {
        Table t;
        t.start();
        QSignalSpy ended(&t.window, &TableWindow::programEnded);
        t.window.close();
        QVERIFY(t.window.credits()->close());
        QCOMPARE(ended.count(), 1);
    }

    void creditsAreLaidOut() {
        Table t;
        t.start();
        t.window.close();
        CreditsWindow* credits = t.window.credits();
        QVERIFY(QTest::qWaitForWindowExposed(credits));
        QCOMPARE(credits->windowTitle(), QStringLiteral("Quillon"));
        QCOMPARE(credits->size(), QSize(398, 216));
        QCOMPARE(credits->minimumSize(), credits->maximumSize());
        QVERIFY(!credits->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!credits->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        const QRect screen = credits->screen()->availableGeometry();
        QVERIFY((credits->geometry().center() - screen.center()).manhattanLength() <= 2);
        auto* end = credits->findChild<LabelWidget*>(QStringLiteral("Label4"));
        QCOMPARE(in_window(end), QRect(312, 184, 65, 25));
        QCOMPARE(end->caption(), QStringLiteral("END"));
        QCOMPARE(end->cursor().shape(), t.artwork.cursor().shape());
        auto* joker = credits->findChild<PictureWidget*>(QStringLiteral("Gjoker(5)"));
        QCOMPARE(joker->art(), QStringLiteral("joker7"));
        QCOMPARE(in_window(joker), QRect(288, 32, 75, 100));
        QVERIFY(joker->testAttribute(Qt::WA_TransparentForMouseEvents));
        auto* graphics = credits->findChild<LabelWidget*>(QStringLiteral("Label1"));
        QCOMPARE(graphics->pos(), QPoint(16, 16));
        QVERIFY(graphics->caption().contains(QStringLiteral("\n  「")));
        QCOMPARE(graphics->fore(), QColor(0xFF, 0, 0));
        auto* url = credits->findChild<QLineEdit*>(QStringLiteral("Text1"));
        QCOMPARE(in_window(url), QRect(64, 48, 153, 18));
        QVERIFY(url->isReadOnly());
        // Every address fits its box; no address is a placeholder.
        for (QLineEdit* box : credits->findChildren<QLineEdit*>()) {
            const int text = box->fontMetrics().horizontalAdvance(box->text());
            QVERIFY2(text <= box->width() - 6, qPrintable(box->objectName()));
            QVERIFY2(!box->text().contains(QStringLiteral(".test")), qPrintable(box->text()));
        }
        save_screenshot(*credits, QStringLiteral("credits"));
    }

    // Each tag ends before the box beside it, with the design's width; its closing bracket is
    // not under the box.
    void creditsTagsEndBeforeTheirBoxes_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("width");  // the design's, in pixels
        QTest::newRow("graphics URL") << "Label5"
                                      << "Text1" << 37;
        QTest::newRow("music URL") << "Label6"
                                   << "Text2" << 37;
        QTest::newRow("music E-mail") << "Label9"
                                      << "Text5" << 50;
        QTest::newRow("program URL") << "Label7"
                                     << "Text4" << 37;
        QTest::newRow("program E-mail") << "Label8"
                                        << "Text3" << 50;
    }
    void creditsTagsEndBeforeTheirBoxes() {
        QFETCH(QString, tag);
        QFETCH(QString, box);
        QFETCH(int, width);
        Table t;
        t.start();
        t.window.close();
        CreditsWindow* credits = t.window.credits();
        QVERIFY(QTest::qWaitForWindowExposed(credits));
        const auto* l = credits->findChild<LabelWidget*>(tag);
        const auto* b = credits->findChild<QLineEdit*>(box);
        QVERIFY(l != nullptr && b != nullptr);
        QVERIFY2(l->width() <= width, qPrintable(QStringLiteral("%1 px").arg(l->width())));
        const QRect ink = l->fontMetrics().boundingRect(l->caption());
        QVERIFY2(
            l->x() + ink.right() + 2 < b->x(),
            qPrintable(
                QStringLiteral("ink ends at %1, box at %2").arg(l->x() + ink.right()).arg(b->x())));
        const QImage image = credits->grab().toImage();
        const QRect tag_area = l->geometry();
        QVERIFY(red_rows(image, tag_area).first >= 0);  // the tag is drawn
    }

    // A text with ascenders and descenders sits in the middle of what shows of each box, clear
    // of both edges: Text5 covers the foot of Text2.
    void creditsTextIsCentredInTheBoxes() {
        Table t;
        t.start();
        t.window.close();
        CreditsWindow* credits = t.window.credits();
        QVERIFY(QTest::qWaitForWindowExposed(credits));
        const QList<QLineEdit*> boxes = credits->findChildren<QLineEdit*>();
        for (QLineEdit* box : boxes) {
            box->setText(QStringLiteral("glyph/Help"));
        }
        const QImage image = credits->grab().toImage();
        for (qsizetype i = 0; i < boxes.size(); ++i) {
            const QLineEdit* box = boxes[i];
            int bottom = box->geometry().bottom();  // the bottom border's row
            for (qsizetype j = i + 1; j < boxes.size(); ++j) {
                const QRect over = boxes[j]->geometry();
                if (over.intersects(box->geometry()) && over.top() > box->y()) {
                    bottom = std::min(bottom, over.top());
                }
            }
            const QRect inside(box->x() + 1, box->y() + 1, box->width() - 2, bottom - box->y() - 1);
            const auto [first, last] = red_rows(image, inside);
            const int above = first - inside.top();
            const int below = inside.bottom() - last;
            qInfo("%s: %d rows clear above the text, %d below", qPrintable(box->objectName()),
                  above, below);
            QVERIFY2(first >= 0, qPrintable(box->objectName()));
            QVERIFY2(above >= 1 && below >= 1 && std::abs(above - below) <= 1,
                     qPrintable(QStringLiteral("%1: %2 above, %3 below")
                                    .arg(box->objectName())
                                    .arg(above)
                                    .arg(below)));
        }
        save_screenshot(*credits, QStringLiteral("credits_centring"));
    }

    void failingDeviceIsReportedOnce() {
        Table t;
        t.media.fail_open(275, "The file BGM1.mid cannot be found.");
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        int boxes = 0;
        // The box is modal: a timer looks for it while load() waits on it.
        QTimer poll;
        poll.setInterval(5);
        connect(&poll, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (box != nullptr && box->isVisible()) {
                    ++boxes;
                    title = box->windowTitle();
                    text = box->text();
                    icon = box->icon();
                    buttons = box->standardButtons();
                    box->button(QMessageBox::Ok)->click();
                }
            }
        });
        poll.start();
        t.window.load();
        poll.stop();
        QCOMPARE(boxes, 1);
        QCOMPARE(title, caption_text(kDeviceErrorTitle));
        // The device's own message: why the open failed, not only that the Play found it closed.
        QCOMPARE(text, QStringLiteral("The file BGM1.mid cannot be found."));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        t.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t.window));
        QVERIFY(t.label("Label17")->isEnabled());
    }

    void deviceEventsRunOnTheGuiThread() {
        QObject context;
        const Poster post = gui_poster(&context);
        std::atomic<bool> ran = false;
        std::thread::id ran_on;
        std::thread audio([&] {
            post([&] {
                ran_on = std::this_thread::get_id();
                ran = true;
            });
        });
        audio.join();
        QVERIFY(!ran);  // queued, not run on the caller's thread
        QTRY_VERIFY(ran);
        QCOMPARE(ran_on, std::this_thread::get_id());
        {
            auto gone = std::make_unique<QObject>();
            const Poster late = gui_poster(gone.get());
            late([&] { ran = false; });
        }
        QCoreApplication::processEvents();
        QVERIFY(ran);  // nothing runs for a context that is gone
    }

    // Without a display, or with one that does not answer, the game says what to do and exits.
    void noDisplayExplainsWhatToDo_data() {
        QTest::addColumn<QString>("display");
        QTest::newRow("no display") << QString();
        QTest::newRow("stale display") << QStringLiteral(":917");
    }
    void noDisplayExplainsWhatToDo() {
        QFETCH(QString, display);
        QProcess game;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            env.remove(QString::fromLatin1(name));
        }
        if (!display.isEmpty()) {
            env.insert(QStringLiteral("DISPLAY"), display);
        }
        game.setProcessEnvironment(env);
        game.start(QStringLiteral(QUILLON_GAME_PATH), {});
        QVERIFY(game.waitForFinished(10000));
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QVERIFY(game.exitCode() != 0);
        const QString said = QString::fromUtf8(game.readAllStandardError());
        QVERIFY2(said.contains(QStringLiteral("xvfb-run -a ./quillon")), qPrintable(said));
        QCOMPARE(said.count(QLatin1Char('\n')), 1);
    }

    // --help and --version print and exit, a word the game cannot use is one error line and
    // status 2: none of them opens a window, so none needs a display.
    void optionsThatEndAtOnce_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("help") << QStringLiteral("--help") << 0
                              << QStringLiteral("usage: quillon [--coach]") << QString();
        QTest::newRow("version") << QStringLiteral("--version") << 0
                                 << QStringLiteral("quillon 1.0\n") << QString();
        QTest::newRow("bogus") << QStringLiteral("--bogus") << 2 << QString()
                               << QStringLiteral(
                                      "error: unknown option '--bogus' (see quillon "
                                      "--help)\n");
        QTest::newRow("word") << QStringLiteral("jacks") << 2 << QString()
                              << QStringLiteral(
                                     "error: quillon takes no word 'jacks' (see "
                                     "quillon --help)\n");
    }
    void optionsThatEndAtOnce() {
        QFETCH(QString, option);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QProcess game;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            env.remove(QString::fromLatin1(name));
        }
        game.setProcessEnvironment(env);
        game.start(QStringLiteral(QUILLON_GAME_PATH), {option});
        QVERIFY(game.waitForFinished(10000));
        QCOMPARE(game.exitCode(), status);
        const QString said = QString::fromUtf8(game.readAllStandardOutput());
        QVERIFY2(out.isEmpty() ? said.isEmpty() : said.startsWith(out), qPrintable(said));
        QCOMPARE(QString::fromUtf8(game.readAllStandardError()), err);
    }
};

QUILLON_UI_TEST_MAIN(WindowEventsTest)
#include "test_window_events.moc"
