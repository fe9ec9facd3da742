#include "base/threads.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string_view>
#include <thread>

namespace quillon::odds {

namespace {

unsigned threads_asked() {
    if (const char* text = std::getenv("QUILLON_THREADS")) {
        const std::string_view asked(text);
        unsigned n = 0;
        const auto [end, error] = std::from_chars(asked.data(), asked.data() + asked.size(), n);
        if (error == std::errc() && end == asked.data() + asked.size() && n > 0) {
            return n;
        }
    }
    return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace

unsigned default_threads() {
    static const unsigned threads = threads_asked();
    return threads;
}

}  // namespace quillon::odds
