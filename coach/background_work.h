#pragma once

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QtConcurrent/QtConcurrentRun>
#include <exception>
#include <memory>
#include <stop_token>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/stop.h"

namespace quillon::coach {

// Work a window hands to Qt's thread pool: its result, or what went wrong, comes back on the
// window's thread through a QFutureWatcher. A figure that cannot be had is a message for the
// window, never an abort.
//
// The work runs with a stop token in scope (odds::StopScope), which the engine's long loops look
// at between blocks of deals. New work calls off the work before it, whose result nobody wants
// any more; so does the end of the window, which then waits the few milliseconds the work takes
// to see it, so that no pool thread outlives the window. Work called off never reports.
class BackgroundWork {
  public:
    BackgroundWork() = default;
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;
    ~BackgroundWork() { call_off(); }

    // Calls off what still runs, then runs work() off the window's thread and done(result,
    // failure) on `receiver`'s: the result, or null and the reason work() threw.
    template <typename Work, typename Done>
    void start(QObject* receiver, Work work, Done done) {
        using Result = std::invoke_result_t<Work&>;
        struct Outcome {
            std::shared_ptr<const Result> result;
            QString failure;
            bool stopped = false;
        };
        stop();
        std::erase_if(running_, [](const Running& r) { return r.future.isFinished(); });
        std::stop_source source;
        auto* watcher = new QFutureWatcher<Outcome>(receiver);
        QObject::connect(watcher, &QFutureWatcherBase::finished, receiver,
                         [watcher, token = source.get_token(), done = std::move(done)]() mutable {
                             watcher->deleteLater();
                             const Outcome outcome = watcher->result();
                             if (!outcome.stopped && !token.stop_requested()) {
                                 done(outcome.result, outcome.failure);
                             }
                         });
        QFuture<Outcome> future =
            QtConcurrent::run([token = source.get_token(), work = std::move(work)]() mutable {
                const odds::StopScope scope(token);
                Outcome out;
                try {
                    out.result = std::make_shared<const Result>(work());
                } catch (const odds::Stopped&) {
                    out.stopped = true;
                } catch (const std::exception& e) {
                    out.failure = QString::fromUtf8(e.what());
                } catch (...) {
                    out.failure = QStringLiteral("an unexpected failure");
                }
                return out;
            });
        watcher->setFuture(future);
        running_.push_back(Running{std::move(source), QFuture<void>(future)});
    }

    // Asks whatever still runs to stop; it will not report.
    void stop() {
        for (Running& r : running_) {
            r.stop.request_stop();
        }
    }

    // Waits for whatever still runs to end, stopped or not.
    void wait() {
        for (Running& r : running_) {
            r.future.waitForFinished();
        }
        running_.clear();
    }

    // Stops whatever still runs and waits the moment it takes to end.
    void call_off() {
        stop();
        wait();
    }

  private:
    struct Running {
        std::stop_source stop;
        QFuture<void> future;
    };
    std::vector<Running> running_;
};

}  // namespace quillon::coach
