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

QRect in_window(const QWidget* w) {
    return {w->mapTo(w->window(), QPoint(0, 0)), w->size()};
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
        // Every address fits its box, and no label runs under the box beside it.
        for (QLineEdit* box : credits->findChildren<QLineEdit*>()) {
            const int text = box->fontMetrics().horizontalAdvance(box->text());
            QVERIFY2(text <= box->width() - 6, qPrintable(box->objectName()));
        }
        const std::pair<const char*, const char*> beside[] = {{"Label5", "Text1"},
                                                              {"Label6", "Text2"},
                                                              {"Label9", "Text5"},
                                                              {"Label7", "Text4"},
                                                              {"Label8", "Text3"}};
        for (const auto& [tag, box] : beside) {
            const auto* l = credits->findChild<LabelWidget*>(QString::fromLatin1(tag));
            const auto* b = credits->findChild<QLineEdit*>(QString::fromLatin1(box));
            QVERIFY2(l->geometry().right() < b->x(), tag);
        }
        save_screenshot(*credits, QStringLiteral("credits"));
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
};

QUILLON_UI_TEST_MAIN(WindowEventsTest)
#include "test_window_events.moc"
