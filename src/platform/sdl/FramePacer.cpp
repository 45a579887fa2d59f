#include "platform/sdl/FramePacer.h"

#include <sys/prctl.h>
#include <cerrno>
#include <ctime>

namespace {

// The kernel may wake a sleeper up to its timer slack (50 us by default)
// after the deadline, and every frame counts from the moment the last one
// woke, so the slack would stretch each frame. A few microseconds keep the
// game at its 45 frames a second without the yielding spin that used to top
// up early wakes (a third of an idle window's CPU).
constexpr unsigned long kTimerSlackNs = 5'000;

}  // namespace

CFramePacer::CFramePacer() : m_origin(Clock::now()), m_lastRead(m_origin) {
    prctl(PR_SET_TIMERSLACK, kTimerSlackNs);  // this thread's: the game's, which waits
}

bool CFramePacer::RecordTimes(const std::string& path, std::string& error) {
    m_times.reset(std::fopen(path.c_str(), "w"));
    if (!m_times) error = "cannot write the frame times to " + path;
    return static_cast<bool>(m_times);
}

uint32_t CFramePacer::Ticks() {
    m_lastRead = Clock::now();
    m_lastTick = static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(m_lastRead - m_origin).count());
    return m_lastTick;
}

// The game asks for "the last tick it read plus 22". A tick read late in its
// millisecond would make that wait up to a millisecond short, so the deadline
// counts from the moment the tick was read: a full 22 ms of wall time, and
// still Ticks() >= tick on return, except for the frames a longer sleep
// already paid for, which run late and back to back.
void CFramePacer::WaitUntil(uint32_t tick, int framesPerWake) {
    const auto ahead = static_cast<int32_t>(tick - m_lastTick);
    if (m_owed > 0) {
        --m_owed;
    } else if (ahead > 0) {
        Sleep(m_lastRead + std::chrono::milliseconds(ahead) * framesPerWake);
        m_owed = framesPerWake - 1;
    }
    if (m_times) {
        using std::chrono::microseconds;
        const auto now = std::chrono::duration_cast<microseconds>(Clock::now().time_since_epoch());
        std::fprintf(m_times.get(), "%lld\n", static_cast<long long>(now.count()));
        std::fflush(m_times.get());  // a benchmark reads it while we run
    }
}

// One absolute sleep on the clock the steady clock reads (CLOCK_MONOTONIC on
// Linux): it never returns before the deadline, and a signal only resumes it.
void CFramePacer::Sleep(Clock::time_point deadline) {
    const auto since = deadline.time_since_epoch();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(since);
    timespec at{};
    at.tv_sec = static_cast<time_t>(seconds.count());
    at.tv_nsec = static_cast<long>(std::chrono::nanoseconds(since - seconds).count());
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}
