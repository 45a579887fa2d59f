#pragma once
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

// The window backend's wall clock: milliseconds for the game, and waits that
// are one sleep to an absolute deadline, so frames are never early and an
// idle game wakes once a frame. Owned by the window backend.
class CFramePacer {
public:
    CFramePacer();

    // Every later WaitUntil writes the moment it returns, in microseconds of
    // the steady clock, one per line. False (and `error` says why) when the
    // file cannot be written.
    bool RecordTimes(const std::string& path, std::string& error);

    uint32_t Ticks();
    // With framesPerWake above 1 the first wait sleeps for that many frames
    // and the next framesPerWake - 1 return at once: the same frames a
    // second with fewer wake-ups, for a window nobody sees.
    void WaitUntil(uint32_t tick, int framesPerWake = 1);
    // Frames of such a sleep still to run: they follow one another within
    // microseconds, so nothing new can have come from the window meanwhile.
    bool Owing() const { return m_owed > 0; }

private:
    using Clock = std::chrono::steady_clock;
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    static void Sleep(Clock::time_point deadline);

    Clock::time_point m_origin;
    uint32_t m_lastTick = 0;  // the last value Ticks() returned, and when
    Clock::time_point m_lastRead;
    int m_owed = 0;  // frames already slept for that have not run yet
    std::unique_ptr<std::FILE, FileCloser> m_times;
};
