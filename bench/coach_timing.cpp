// Times the coach beside the table, offscreen: opening it, its work after each event (the 32
// holds of a deal counted, the page redrawn), and the strategy chart's arrival from its thread.
// Prints medians; run it on a quiet machine: QT_QPA_PLATFORM=offscreen bench_coach_timing [runs]
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "coach/table_coach.h"
#include "game/machine.h"
#include "game/random_source.h"
#include "game/recording_media_control.h"
#include "ui/artwork.h"
#include "ui/table_window.h"

using namespace quillon;

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

double max_of(const std::vector<double>& v) {
    return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end());
}

double ms(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 200;

    RecordingMediaControl media;
    SeededRandom random{99};
    Machine machine{media, random};
    ui::Artwork artwork;
    ui::TableWindow window{machine, artwork};
    window.load();
    window.show();
    QApplication::processEvents();

    // Opening: the window built, placed, caught up with the table and painted once.
    std::vector<double> open;
    std::vector<double> chart;
    for (int i = 0; i < 7; ++i) {
        QElapsedTimer t;
        t.start();
        auto coach = std::make_unique<coach::TableCoach>(machine, window);
        coach->open();
        coach->repaint();
        open.push_back(ms(t));
        if (!coach->panel().chart_ready()) {
            QEventLoop loop;
            QObject::connect(&coach->panel(), &coach::CoachPanel::chartReady, &loop,
                             &QEventLoop::quit);
            QTimer::singleShot(30000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        chart.push_back(ms(t));
        coach->close();
    }

    // Play: each event through the window as a click delivers it, with the coach open and
    // without; the difference is the coach's work, its page redrawn at once to count the paint.
    coach::TableCoach coach(machine, window);
    coach.open();
    // Steady play: the game's tallies and chart built (the first deals before them count their
    // holds draw by draw, a few milliseconds each).
    if (!coach.panel().chart_ready()) {
        QEventLoop loop;
        QObject::connect(&coach.panel(), &coach::CoachPanel::chartReady, &loop, &QEventLoop::quit);
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    std::vector<double> with_deal, with_hold, without_deal, without_hold, paint;
    for (int hand = 0; hand < runs; ++hand) {
        const bool coached = hand % 2 == 0;
        if (coached) {
            coach.open();
        } else {
            coach.close();
        }
        if (!machine.controls().Label16.enabled) {
            window.click(Button::clear);
        }
        window.click(Button::Label16);
        QElapsedTimer t;
        t.start();
        window.click(Button::deal);
        (coached ? with_deal : without_deal).push_back(ms(t));
        if (coached) {
            t.start();
            (void)coach.grab();  // every widget of the window drawn, off the screen
            paint.push_back(ms(t));
        }
        t.start();
        window.click(Button::Label11);
        (coached ? with_hold : without_hold).push_back(ms(t));
        window.click(Button::draw);
        if (machine.controls().payback.enabled) {
            window.click(Button::payback);
        }
        QApplication::processEvents();
    }
    std::printf(
        "open the coach (built, caught up, first paint): median %.1f ms, max %.1f ms (%zu runs)\n",
        median(open), max_of(open), open.size());
    std::printf("chart arrives after opening: median %.0f ms, max %.0f ms\n", median(chart),
                max_of(chart));
    std::printf(
        "DEAL click, table only: median %.3f ms; with the coach: median %.3f ms, max %.3f ms\n",
        median(without_deal), median(with_deal), max_of(with_deal));
    std::printf(
        "HOLD click, table only: median %.3f ms; with the coach: median %.3f ms, max %.3f ms\n",
        median(without_hold), median(with_hold), max_of(with_hold));
    std::printf("the whole coach window drawn after a deal: median %.3f ms, max %.3f ms\n",
                median(paint), max_of(paint));
    return 0;
}
