#pragma once

#include <exception>
#include <stop_token>

namespace quillon::odds {

// Long work a caller may call off. The whole-game loops (the return, the chart's deal table, its
// search and its score, the Ultimate X solve) look at the stop token of the thread that started
// them between blocks of deals and passes, and give up by throwing Stopped. Work started with no
// token in scope runs to its end.
class Stopped : public std::exception {
  public:
    const char* what() const noexcept override { return "the work was called off"; }
};

// While it lives, work on this thread stops once `token` is asked to.
class StopScope {
  public:
    explicit StopScope(std::stop_token token);
    ~StopScope();
    StopScope(const StopScope&) = delete;
    StopScope& operator=(const StopScope&) = delete;

  private:
    std::stop_token outer_;
};

// The token of the work on this thread: a loop hands it to the threads it starts.
std::stop_token current_stop();

// Throws Stopped where `token` (by default this thread's) was asked to stop.
void stop_point(const std::stop_token& token);
void stop_point();

}  // namespace quillon::odds
