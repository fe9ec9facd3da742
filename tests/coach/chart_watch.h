#pragma once

#include <QElapsedTimer>
#include <QThreadPool>
#include <atomic>
#include <chrono>
#include <deque>
#include <future>
#include <memory>
#include <mutex>

#include "coach/chart_source.h"
#include "coach/coach_panel.h"
#include "odds/play/tallies.h"
#include "odds/strategy/chart/chart_report.h"

namespace quillon::coach::testing {

// How long a window may take to close, or to give up its game, while its chart is being built,
// and how long a whole chart may take. Under the sanitizers the work between two looks at the
// stop flag (the deal classes, the tallies, one block of deals) is ten to thirty times slower,
// but still far short of a whole build, which takes minutes there.
#if defined(__SANITIZE_THREAD__)
// ThreadSanitizer's whole chart takes minutes more again.
constexpr qint64 kCloseMs = 5000;
constexpr int kChartMs = 600000;
#elif defined(__SANITIZE_ADDRESS__)
constexpr qint64 kCloseMs = 5000;
constexpr int kChartMs = 150000;
#else
// A close takes a few milliseconds; the bound is ten times the 100 ms a window may take, so that
// a test run beside others on a loaded machine does not fail for want of a core.
constexpr qint64 kCloseMs = 1000;
constexpr int kChartMs = 20000;
#endif

// Chart makers that do the engine's whole work (no chart kept from before, so every call plays
// every deal) and say when each build starts, and whether it ran to its end or gave up.
class ChartWatch {
  public:
    struct Build {
        std::promise<void> started;
        std::promise<bool> ended;  // true: ran to its end
    };

    CoachPanel::ChartMaker maker() {
        return [this](const odds::Tallies& tallies) {
            std::shared_ptr<Build> build = next();
            build->started.set_value();
            try {
                (void)odds::make_strategy_chart(tallies, 0, tallies.game().name());
            } catch (...) {
                build->ended.set_value(false);
                throw;
            }
            build->ended.set_value(true);
            CoachChart chart;
            chart.game = tallies.game().name();
            return chart;
        };
    }

    // The n-th build (from 0): whether it has started, and how it ended.
    std::future<void> started(std::size_t n) { return at(n)->started.get_future(); }
    std::future<bool> ended(std::size_t n) { return at(n)->ended.get_future(); }

  private:
    std::shared_ptr<Build> next() {
        const std::lock_guard lock(mutex_);
        return at_locked(made_++);
    }
    std::shared_ptr<Build> at(std::size_t n) {
        const std::lock_guard lock(mutex_);
        return at_locked(n);
    }
    std::shared_ptr<Build> at_locked(std::size_t n) {
        while (builds_.size() <= n) {
            builds_.push_back(std::make_shared<Build>());
        }
        return builds_[n];
    }

    std::mutex mutex_;
    std::deque<std::shared_ptr<Build>> builds_;
    std::size_t made_ = 0;
};

// Whether a future is ready within a generous time (the build starting on a busy machine).
template <typename T>
bool ready_soon(std::future<T>& f) {
    return f.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
}

// Whether a future is ready already: what a window waited for before it returned.
template <typename T>
bool ready_now(std::future<T>& f) {
    return f.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

}  // namespace quillon::coach::testing
