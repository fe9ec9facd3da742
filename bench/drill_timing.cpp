// Times a drill as a player meets it, in the trainer's window at its default size: from the
// click on ANSWER to the verdict painted, and from the click on NEXT to the next deal painted
// (the paint of the widget that shows it). Run it under a real X server for the whole path to the
// screen:
//   xvfb-run -s '-screen 0 1366x768x24' bench_drill_timing [answers] [game]
// (QT_QPA_PLATFORM=offscreen times the painting without the X server.) Prints the median, the
// 90th percentile and the slowest of each, in milliseconds.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "coach/coach_panel.h"
#include "trainer/card_view.h"
#include "trainer/drill/drill_run.h"
#include "trainer/drill_view.h"
#include "trainer/trainer_window.h"
#include "ui/artwork.h"

using namespace quillon;
using namespace quillon::trainer;

namespace {

double ms(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

double at_share(std::vector<double> v, double share) {
    if (v.empty()) {
        return 0.0;
    }
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1,
                      static_cast<std::size_t>(share * static_cast<double>(v.size())))];
}

void report(const char* what, const std::vector<double>& v) {
    std::printf("%-50s median %6.2f ms  p90 %6.2f ms  slowest %6.2f ms  (%zu)\n", what,
                at_share(v, 0.5), at_share(v, 0.9), at_share(v, 1.0), v.size());
}

// The time from arm() to the next paint of a widget: the moment it is drawn for the screen.
class PaintClock final : public QObject {
  public:
    explicit PaintClock(QWidget* watched) { watched->installEventFilter(this); }
    void arm() {
        painted_ = -1.0;
        clock_.start();
    }
    double painted() const { return painted_; }

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint && painted_ < 0.0 && clock_.isValid()) {
            painted_ = ms(clock_);
        }
        return false;
    }

  private:
    QElapsedTimer clock_;
    double painted_ = -1.0;
};

// A click as the window receives it, to the watched widget painted anew; everything the click
// posted (the repaint, its flush to the display, work queued for later) is done before the next.
double click_to_painted(QWidget* button, PaintClock& clock) {
    clock.arm();
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    QElapsedTimer bound;
    bound.start();
    while (clock.painted() < 0.0 && bound.elapsed() < 1000) {
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    return clock.painted();
}

// The player reads the deal or the verdict: the window is idle in between.
void read_for_a_while() {
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < 30) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int answers = argc > 1 ? std::atoi(argv[1]) : 60;
    const QString game =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("deuces-wild-full-pay");
    ui::Artwork artwork;
    TrainerWindow window(GameChoice{game, {}, {}}, 5, artwork, 11);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "bench_drill_timing: the window was never shown\n");
        return 1;
    }
    window.show_page(TrainerWindow::drill_page);
    DrillView& drill = window.drill();
    QPushButton* answer = drill.answer_button();
    PaintClock verdict_clock(window.findChild<QWidget*>(QStringLiteral("drillVerdict")));
    PaintClock deal_clock(drill.card(4));

    // Flash mode: fresh deals, each answered by discarding everything; first while the coach
    // builds the game's chart on the other threads, as right after the start, then after.
    std::vector<double> verdict_ms;
    std::vector<double> next_ms;
    const auto flash = [&](int count, const char* verdict_name, const char* next_name) {
        verdict_ms.clear();
        next_ms.clear();
        drill.start(DrillView::Source::fresh);
        read_for_a_while();
        for (int i = 0; i < count; ++i) {
            verdict_ms.push_back(click_to_painted(answer, verdict_clock));
            read_for_a_while();
            next_ms.push_back(click_to_painted(answer, deal_clock));
            read_for_a_while();
        }
        report(verdict_name, verdict_ms);
        report(next_name, next_ms);
    };
    if (!window.coach().chart_ready()) {
        flash(15, "flash, chart building: ANSWER to verdict painted",
              "flash, chart building: NEXT to next deal painted");
    }
    QSignalSpy charted(&window.coach(), &coach::CoachPanel::chartReady);
    if (!window.coach().chart_ready() && !charted.wait(60000)) {
        std::fprintf(stderr, "bench_drill_timing: the coach's chart never came\n");
        return 1;
    }
    flash(answers, "flash: ANSWER to the verdict painted", "flash: NEXT to the next deal painted");

    // The hardest deals of the game, worked out in the background first.
    QSignalSpy started(&drill, &DrillView::drillStarted);
    drill.start(DrillView::Source::hardest);
    if (started.count() == 0 && !started.wait(60000)) {
        std::fprintf(stderr, "bench_drill_timing: the hardest deals never came\n");
        return 1;
    }
    verdict_ms.clear();
    next_ms.clear();
    read_for_a_while();
    for (int i = 0; i < answers && drill.run()->dealt(); ++i) {
        verdict_ms.push_back(click_to_painted(answer, verdict_clock));
        read_for_a_while();
        next_ms.push_back(click_to_painted(answer, deal_clock));
        read_for_a_while();
    }
    report("hardest deals: ANSWER to the verdict painted", verdict_ms);
    report("hardest deals: NEXT to the next deal painted", next_ms);
    return 0;
}
