// The peak memory of the coach while it builds the strategy chart, offscreen, as the player meets
// it: beside the table (`coach`), or in the trainer for a game (`trainer GAME`). Prints the peak
// resident size before the chart is asked for, once it is built, and the time it took.
//   QT_QPA_PLATFORM=offscreen bench_chart_memory coach
//   QT_QPA_PLATFORM=offscreen bench_chart_memory trainer jacks-or-better-9-6
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "coach/coach_panel.h"
#include "coach/table_coach.h"
#include "game/machine.h"
#include "game/random_source.h"
#include "game/recording_media_control.h"
#include "trainer/trainer_window.h"
#include "ui/artwork.h"
#include "ui/table_window.h"

using namespace quillon;

namespace {

// The process's peak resident size so far, in kB (VmHWM).
long peak_kb() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmHWM:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
    }
    return -1;
}

void wait_for_chart(coach::CoachPanel& panel) {
    if (!panel.chart_ready()) {
        QEventLoop loop;
        QObject::connect(&panel, &coach::CoachPanel::chartReady, &loop, &QEventLoop::quit);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

void report(const char* what, long before, const QElapsedTimer& t, bool ready) {
    std::printf("%-40s peak before the chart %6ld kB, with it %6ld kB, chart %s in %.2f s\n", what,
                before, peak_kb(), ready ? "built" : "NOT built",
                static_cast<double>(t.elapsed()) / 1000.0);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool trainer = argc > 1 && std::strcmp(argv[1], "trainer") == 0;
    ui::Artwork artwork;
    if (trainer) {
        const QString game =
            argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("jacks-or-better-9-6");
        QElapsedTimer t;
        t.start();
        trainer::TrainerWindow window(trainer::choice_from(game), 5, artwork, 7);
        window.show();
        const long before = peak_kb();
        wait_for_chart(window.coach());
        report(("trainer " + game.toStdString()).c_str(), before, t, window.coach().chart_ready());
        return 0;
    }
    RecordingMediaControl media;
    SeededRandom random{99};
    Machine machine{media, random};
    ui::TableWindow window{machine, artwork};
    window.load();
    window.show();
    QApplication::processEvents();
    const long before = peak_kb();
    QElapsedTimer t;
    t.start();
    coach::TableCoach coach(machine, window);
    coach.open();
    wait_for_chart(coach.panel());
    report("coach beside the table", before, t, coach.panel().chart_ready());
    return 0;
}
