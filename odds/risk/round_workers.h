#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace quillon::odds {

// Work shared out over the cores round after round, where a round is too short for a thread's
// start or for a sleep and a wake: the helpers start at the first round long enough to share and
// wait out the gaps between rounds awake for a while (then asleep). Each round's range is cut in
// a few parts per thread, and every thread takes parts until none is left, the caller's too: a
// helper the system has not given a core in time leaves its parts to the others, so a busy
// machine costs the round no more than the caller doing it all. A round returns once every part
// is done, so a round may read what the last one wrote.
class RoundWorkers {
  public:
    // Up to `threads` threads, the caller's among them; ranges below `least_part` items a part
    // are cut in fewer parts, or none.
    RoundWorkers(unsigned threads, std::int64_t least_part);
    ~RoundWorkers();
    RoundWorkers(const RoundWorkers&) = delete;
    RoundWorkers& operator=(const RoundWorkers&) = delete;

    // Calls work(first, last) for parts of [begin, end) that cover it, cut at multiples of
    // `grain` from begin, and returns when all are done.
    template <typename Work>
    void run(std::int64_t begin, std::int64_t end, std::int64_t grain, Work& work) {
        run_parts(begin, end, grain, &work, [](void* w, std::int64_t first, std::int64_t last) {
            (*static_cast<Work*>(w))(first, last);
        });
    }

  private:
    using Call = void (*)(void*, std::int64_t, std::int64_t);
    void run_parts(std::int64_t begin, std::int64_t end, std::int64_t grain, void* work, Call call);
    // Does parts of the round under way until none is left unclaimed.
    void take_parts();
    void help();

    unsigned threads_;
    std::int64_t least_part_;
    std::vector<std::thread> helpers_;
    // The round under way, written before it is announced: part p is cuts_[p]..cuts_[p+1].
    std::vector<std::int64_t> cuts_;
    void* work_ = nullptr;
    Call call_ = nullptr;
    // The round's number, its parts and the next part to take, in one word, so that a part is
    // claimed for the round it belongs to; and the parts done.
    std::atomic<std::uint64_t> claim_{0};
    std::atomic<unsigned> done_{0};
    std::atomic<bool> stop_{false};
};

}  // namespace quillon::odds
