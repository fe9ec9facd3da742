#include "odds/risk/round_workers.h"

#include <algorithm>

namespace quillon::odds {

namespace {

// Some tens of microseconds awake before a sleep: the gap between two rounds of the recursions
// that use this is a few microseconds.
constexpr int kAwakeSpins = 20'000;
constexpr unsigned kPartsPerThread = 2;

// The claim word: the round from bit 16 up, its parts in bits 8 to 15, the next part below.
constexpr std::uint64_t round_of(std::uint64_t claim) {
    return claim >> 16;
}
constexpr unsigned parts_of(std::uint64_t claim) {
    return static_cast<unsigned>(claim >> 8 & 0xff);
}
constexpr unsigned next_of(std::uint64_t claim) {
    return static_cast<unsigned>(claim & 0xff);
}

inline void relax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

// Waits until `value` is no longer `seen`, awake a while, then asleep.
template <typename T>
void wait_while(const std::atomic<T>& value, T seen) {
    for (int spin = 0; spin < kAwakeSpins; ++spin) {
        if (value.load(std::memory_order_acquire) != seen) {
            return;
        }
        relax();
    }
    while (value.load(std::memory_order_acquire) == seen) {
        value.wait(seen, std::memory_order_acquire);
    }
}

}  // namespace

RoundWorkers::RoundWorkers(unsigned threads, std::int64_t least_part)
    : threads_(std::clamp(threads, 1u, 255u / kPartsPerThread)),
      least_part_(std::max<std::int64_t>(1, least_part)) {}

RoundWorkers::~RoundWorkers() {
    if (helpers_.empty()) {
        return;
    }
    stop_.store(true, std::memory_order_release);
    // A new round of no parts wakes every helper to see the stop.
    const std::uint64_t claim = claim_.load(std::memory_order_relaxed);
    claim_.store((round_of(claim) + 1) << 16, std::memory_order_release);
    claim_.notify_all();
    for (std::thread& helper : helpers_) {
        helper.join();
    }
}

void RoundWorkers::take_parts() {
    std::uint64_t claim = claim_.load(std::memory_order_acquire);
    while (next_of(claim) < parts_of(claim)) {
        if (claim_.compare_exchange_weak(claim, claim + 1, std::memory_order_acq_rel,
                                         std::memory_order_acquire)) {
            const unsigned part = next_of(claim);
            call_(work_, cuts_[part], cuts_[part + 1]);
            done_.fetch_add(1, std::memory_order_acq_rel);
            done_.notify_one();
            claim = claim_.load(std::memory_order_acquire);
        }
    }
}

void RoundWorkers::help() {
    std::uint64_t seen = 0;
    while (!stop_.load(std::memory_order_acquire)) {
        take_parts();
        // Asleep until the claim word moves on from the last one seen: a new round. The stop is
        // written before the claim word that announces it, so a helper that has seen that word
        // sees the stop too, and does not wait for a round that never comes.
        seen = claim_.load(std::memory_order_acquire);
        if (stop_.load(std::memory_order_acquire)) {
            break;
        }
        if (next_of(seen) >= parts_of(seen)) {
            wait_while(claim_, seen);
        }
    }
}

void RoundWorkers::run_parts(std::int64_t begin, std::int64_t end, std::int64_t grain, void* work,
                             Call call) {
    const std::int64_t grains = (end - begin + grain - 1) / grain;
    const auto parts = static_cast<unsigned>(std::clamp<std::int64_t>(
        std::min((end - begin) / least_part_, grains), 1, threads_ * kPartsPerThread));
    if (parts == 1 || threads_ == 1) {
        call(work, begin, end);
        return;
    }
    if (helpers_.empty()) {
        for (unsigned t = 1; t < threads_; ++t) {
            helpers_.emplace_back([this] { help(); });
        }
    }
    // Parts of about as many items, cut at whole grains.
    cuts_.assign(parts + 1, end);
    for (unsigned p = 0; p < parts; ++p) {
        cuts_[p] = std::min(end, begin + grains * p / parts * grain);
    }
    work_ = work;
    call_ = call;
    done_.store(0, std::memory_order_relaxed);
    const std::uint64_t round = round_of(claim_.load(std::memory_order_relaxed)) + 1;
    claim_.store(round << 16 | std::uint64_t{parts} << 8, std::memory_order_release);
    claim_.notify_all();
    take_parts();
    for (unsigned finished = done_.load(std::memory_order_acquire); finished < parts;
         finished = done_.load(std::memory_order_acquire)) {
        wait_while(done_, finished);
    }
}

}  // namespace quillon::odds
