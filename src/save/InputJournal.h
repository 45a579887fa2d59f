#pragma once
#include "platform/DeviceState.h"
#include "platform/InputLatch.h"
#include "platform/ReplayEvent.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The input a game's polls saw, as input-file events stamped with the game's
// frames: replayed first (the input of a save, or of the run being
// reloaded), then added to by every live poll. Escape is left out: it ends
// the run, and a save made as the run ends must not end the next one.
// Owned by the platform a game polls through.
class CInputJournal {
public:
    CInputJournal() = default;
    explicit CInputJournal(std::vector<ReplayEvent> history) : m_events(std::move(history)) {}

    // What the poll of `frame` saw, from the history: every event up to that
    // frame not yet given, motions added up, the button's presses and
    // releases latched as a live poll latches them (a journal recorded live
    // holds at most one a frame, so it replays as it was seen).
    DeviceState Replay(uint32_t frame);
    // A live poll, as the game saw it (the button as delivered, after the
    // latch): only what changed since the previous poll is kept.
    void Record(uint32_t frame, const DeviceState& state);

    const std::vector<ReplayEvent>& Events() const { return m_events; }

private:
    std::vector<ReplayEvent> m_events;
    size_t m_next = 0;    // events before it were given to polls by Replay
    CInputLatch m_latch;  // the history's presses and releases
    bool m_button = false;
};
