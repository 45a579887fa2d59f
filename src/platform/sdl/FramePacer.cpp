#include "platform/sdl/FramePacer.h"

#include <sched.h>
#include <algorithm>
#include <thread>

namespace {

using std::chrono::microseconds;

// The sleep aims this much before the deadline: the typical time the kernel
// takes to wake us, learnt as a running average. A wake that comes early is
// topped up by yielding, one that comes late returns late; so the busy part
// of a frame stays a few tens of microseconds, and a frame is never early.
// A rare very late wake counts as at most kMaxMargin, so it cannot make every
// following frame spin.
constexpr microseconds kMaxMargin{1000};

}  // namespace

CFramePacer::CFramePacer() : m_origin(Clock::now()), m_lastRead(m_origin) {}

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
// still Ticks() >= tick on return.
void CFramePacer::WaitUntil(uint32_t tick) {
    const auto ahead = static_cast<int32_t>(tick - m_lastTick);
    if (ahead > 0) Sleep(m_lastRead + std::chrono::milliseconds(ahead));
    if (m_times) {
        const auto now = std::chrono::duration_cast<microseconds>(Clock::now().time_since_epoch());
        std::fprintf(m_times.get(), "%lld\n", static_cast<long long>(now.count()));
        std::fflush(m_times.get());  // a benchmark reads it while we run
    }
}

void CFramePacer::Sleep(Clock::time_point deadline) {
    const Clock::time_point wake = deadline - m_margin;
    if (Clock::now() < wake) {
        std::this_thread::sleep_until(wake);
        const auto late =
            std::min(std::chrono::duration_cast<microseconds>(Clock::now() - wake), kMaxMargin);
        m_margin += (late - m_margin) / 16;
    }
    while (Clock::now() < deadline)
        sched_yield();
}
