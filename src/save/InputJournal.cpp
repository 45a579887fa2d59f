#include "save/InputJournal.h"

DeviceState CInputJournal::Replay(uint32_t frame) {
    DeviceState state;
    for (; m_next < m_events.size() && m_events[m_next].frame <= frame; ++m_next) {
        const ReplayEvent& event = m_events[m_next];
        if (event.type == ReplayEvent::Type::Motion) {
            state.dx = SaturatingAdd(state.dx, event.dx);
            state.dy = SaturatingAdd(state.dy, event.dy);
        } else if (event.type == ReplayEvent::Type::Press ||
                   event.type == ReplayEvent::Type::Release) {
            m_latch.Push({event.type == ReplayEvent::Type::Press});
        } else if (event.type == ReplayEvent::Type::Key) {
            state.number = event.number;  // the last one of the frame, as a poll sees it
        } else if (event.type == ReplayEvent::Type::Advance) {
            state.advance = true;
        }
    }
    CInputLatch::Transition taken;
    m_latch.Take(taken);
    m_button = state.leftButton = m_latch.Button();
    return state;
}

void CInputJournal::Record(uint32_t frame, const DeviceState& state) {
    if (state.dx != 0 || state.dy != 0)
        m_events.push_back({frame, ReplayEvent::Type::Motion, state.dx, state.dy});
    if (state.leftButton != m_button)
        m_events.push_back(
            {frame, state.leftButton ? ReplayEvent::Type::Press : ReplayEvent::Type::Release});
    if (state.number != 0) {
        ReplayEvent key(frame, ReplayEvent::Type::Key);
        key.number = state.number;
        m_events.push_back(key);
    }
    if (state.advance) m_events.push_back({frame, ReplayEvent::Type::Advance});
    m_button = state.leftButton;
    m_next = m_events.size();
}
