#include "sound/realtime_threads.h"

#include <sched.h>
#include <sys/types.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace quillon::sound {

void raise_audio_io_threads(int priority) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (fs::directory_iterator task("/proc/self/task", ec), end; !ec && task != end;
         task.increment(ec)) {
        std::ifstream comm(task->path() / "comm");
        std::string name;
        if (!std::getline(comm, name) || name != "threaded-ml") {
            continue;
        }
        const pid_t tid = static_cast<pid_t>(std::stol(task->path().filename().string()));
        if (sched_getscheduler(tid) != SCHED_OTHER) {
            continue;  // already raised, or someone else's choice
        }
        sched_param param{};
        param.sched_priority = priority;
        sched_setscheduler(tid, SCHED_FIFO, &param);  // refused without the right: left as it is
    }
}

}  // namespace quillon::sound
