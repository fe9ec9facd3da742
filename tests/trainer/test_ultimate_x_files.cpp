// The Ultimate X practice window with files: a pay-table file's own `ultimate-x` lines played,
// a bad one refused with the game left as it was, and the coach's session saved and carried on.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "coach/ultimate_x_coach.h"
#include "trainer/ultimate_x_window.h"
#include "ui/artwork.h"

using namespace quillon;
using namespace quillon::trainer;

namespace {

void write(const QString& path, const char* text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

void wait_solved(UltimateXWindow& w) {
    if (!w.coach().solved()) {
        QSignalSpy solved(&w.coach(), &coach::UltimateXCoach::solvedGame);
        QVERIFY(solved.wait(20000));
    }
}

// Answers the warning box the next refusal shows.
void dismiss_next_box() {
    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
}

// 8/6 Jacks or Better under another name, on five lines only, with the five-line multipliers.
constexpr const char* kHouseGame =
    "name House 8/6\nwild none\nroyal 250 4000@5\nstraight-flush 50\nfour 25\nfull-house 8\n"
    "flush 6\nstraight 4\nthree 3\ntwo-pair 2\npair 1 jacks\n"
    "ultimate-x lines 5\nultimate-x 5 royal 2\nultimate-x 5 straight-flush 2\n"
    "ultimate-x 5 four 3\nultimate-x 5 full-house 12\nultimate-x 5 flush 11\n"
    "ultimate-x 5 straight 7\nultimate-x 5 three 4\nultimate-x 5 two-pair 3\n"
    "ultimate-x 5 pair jacks 2\n";

void play_one(UltimateXWindow& w, int holds) {
    QTest::keyClick(&w, Qt::Key_Space);
    for (int slot = 0; slot < holds; ++slot) {
        QTest::keyClick(&w, static_cast<Qt::Key>(Qt::Key_1 + slot));
    }
    QTest::keyClick(&w, Qt::Key_Space);
}

}  // namespace

class UltimateXFilesTest : public QObject {
    Q_OBJECT
  private slots:
    // The file's five lines are taken although three were played; its multipliers are its own,
    // so the coach's return is that of 8/6 on five lines.
    void aPayTableFileIsPlayedOnItsOwnLines() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("house.game"));
        write(path, kHouseGame);
        ui::Artwork artwork;
        UltimateXWindow w(GameChoice{QStringLiteral("jacks-or-better-9-6"), {}}, 3, 5, artwork, 3);
        QVERIFY(w.choose_file(path));
        QCOMPARE(w.table().game().name(), std::string("House 8/6"));
        QCOMPARE(w.table().lines(), 5);
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("bet"))->text(),
                 QStringLiteral("Bet: 5 lines × 2 × 5 = 50 coins"));
        const auto* games = w.findChild<QComboBox*>(QStringLiteral("game"));
        QCOMPARE(games->currentText(), QStringLiteral("house.game"));
        const auto* lines = w.findChild<QComboBox*>(QStringLiteral("lines"));
        QCOMPARE(lines->count(), 1);
        wait_solved(w);
        QVERIFY(std::abs(w.coach().solution()->perfect_return - 0.994008) < 5e-7);

        // A multiplier for a hand the table does not pay: refused, the file played on.
        const QString bad = dir.filePath(QStringLiteral("bad.game"));
        write(bad,
              "name Bad\nwild none\nroyal 800\nfour 25\nflush 6\npair 1 jacks\n"
              "ultimate-x lines 3\nultimate-x 3 royal 2\nultimate-x 3 four 3\n"
              "ultimate-x 3 flush 11\nultimate-x 3 pair jacks 2\nultimate-x 3 straight 7\n");
        dismiss_next_box();
        QVERIFY(!w.choose_file(bad));
        QCOMPARE(w.table().game().name(), std::string("House 8/6"));
        QCOMPARE(games->currentText(), QStringLiteral("house.game"));
        // Back to a built-in game: the file leaves the list, the entry that asks for one stays.
        QVERIFY(w.choose_game(GameChoice{QStringLiteral("jacks-or-better-8-6"), {}}, 10, 5));
        QCOMPARE(games->findText(QStringLiteral("house.game")), -1);
        QCOMPARE(games->itemText(games->count() - 1), QStringLiteral("Pay-table file…"));
    }

    // Saved after two hands and carried on in a new window, the session counts all its hands;
    // another game's session, or a file that is not one, is refused and the score kept.
    void theSessionIsSavedAndCarriedOn() {
        QTemporaryDir dir;
        const QString base = dir.filePath(QStringLiteral("ux"));
        ui::Artwork artwork;
        coach::UltimateXScore saved;
        {
            UltimateXWindow w(GameChoice{QStringLiteral("jacks-or-better-8-6"), {}}, 3, 5, artwork,
                              21);
            wait_solved(w);
            play_one(w, 0);
            play_one(w, 2);
            saved = w.coach().score();
            QCOMPARE(saved.hands, 2);
            QVERIFY(w.coach().save(base));
            QVERIFY(QFile::exists(base + QStringLiteral(".csv")));
        }
        UltimateXWindow w(GameChoice{QStringLiteral("jacks-or-better-8-6"), {}}, 3, 5, artwork, 22);
        wait_solved(w);
        QVERIFY(w.coach().load(base + QStringLiteral(".csv")));
        QCOMPARE(w.coach().score().hands, 2);
        QCOMPARE(w.coach().score().mistakes, saved.mistakes);
        QCOMPARE(w.coach().score().held_value, saved.held_value);
        QCOMPARE(w.coach().score().best_value, saved.best_value);
        const auto& first = w.coach().session().hands.front();
        QCOMPARE(first.total, 3);
        play_one(w, 5);
        QCOMPARE(w.coach().score().hands, 3);
        QCOMPARE(w.coach().session().hands.back().number, 3);

        UltimateXWindow other(GameChoice{QStringLiteral("jacks-or-better-8-6"), {}}, 5, 5, artwork,
                              23);
        QVERIFY(!other.coach().load(base + QStringLiteral(".json")));
        QVERIFY(other.findChild<QLabel*>(QStringLiteral("verdict"))
                    ->text()
                    .contains(QStringLiteral("on 3 lines")));
        const QString junk = dir.filePath(QStringLiteral("junk.json"));
        write(junk,
              "{\"ultimate_x\": true, \"game\": \"Jacks or Better 8/6\", \"lines\": 3, "
              "\"bet\": 5, \"hands\": [{\"deal\": [\"s1\", \"s1\", \"s2\", \"s3\"]}]}");
        QVERIFY(!w.coach().load(junk));
        QCOMPARE(w.coach().score().hands, 3);
    }
};

QTEST_MAIN(UltimateXFilesTest)
#include "test_ultimate_x_files.moc"
