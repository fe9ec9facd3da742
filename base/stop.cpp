#include "base/stop.h"

#include <utility>

namespace quillon::odds {

namespace {

thread_local std::stop_token this_thread_stop;

}  // namespace

StopScope::StopScope(std::stop_token token)
    : outer_(std::exchange(this_thread_stop, std::move(token))) {}

StopScope::~StopScope() {
    this_thread_stop = std::move(outer_);
}

std::stop_token current_stop() {
    return this_thread_stop;
}

void stop_point(const std::stop_token& token) {
    if (token.stop_requested()) {
        throw Stopped();
    }
}

void stop_point() {
    stop_point(this_thread_stop);
}

}  // namespace quillon::odds
