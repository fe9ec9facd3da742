#pragma once

#include <QFuture>
#include <QMetaObject>
#include <QObject>
#include <QString>
#include <QtConcurrent/QtConcurrentRun>
#include <exception>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace quillon::coach {

// Work a window hands to Qt's thread pool: its result, or what went wrong, comes back on the
// window's thread. A figure that cannot be had is a message for the window, never an abort.
class BackgroundWork {
  public:
    BackgroundWork() = default;
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;
    // Whatever still runs posts to its receiver when done: it is waited for.
    ~BackgroundWork() { wait(); }

    // Runs work() off the window's thread, then done(result, failure) on `receiver`'s: the
    // result, or null and the reason work() threw.
    template <typename Work, typename Done>
    void start(QObject* receiver, Work work, Done done) {
        using Result = std::invoke_result_t<Work&>;
        running_.push_back(
            QtConcurrent::run([receiver, work = std::move(work), done = std::move(done)]() mutable {
                std::shared_ptr<const Result> result;
                QString failure;
                try {
                    result = std::make_shared<const Result>(work());
                } catch (const std::exception& e) {
                    failure = QString::fromUtf8(e.what());
                } catch (...) {
                    failure = QStringLiteral("an unexpected failure");
                }
                QMetaObject::invokeMethod(
                    receiver,
                    [done = std::move(done), result, failure]() mutable { done(result, failure); },
                    Qt::QueuedConnection);
            }));
    }

    void wait() {
        for (QFuture<void>& f : running_) {
            f.waitForFinished();
        }
        running_.clear();
    }

  private:
    std::vector<QFuture<void>> running_;
};

}  // namespace quillon::coach
