#include "save/InputJournal.h"

DeviceState CInputJournal::Replay(uint32_t frame) {
    DeviceState state;
    for (; m_next < m_events.size() && m_events[m_next].frame <= frame; ++m_next) {
        const ReplayEvent& event = m_events[m_next];
        if (event.type == ReplayEvent::Type::Motion) {
            state.dx = SaturatingAdd(state.dx, event.dx);
            state.dy = SaturatingAdd(state.dy, event.dy);
        } else if (event.type == ReplayEvent::Type::Press) {
            m_button = true;
        } else if (event.type == ReplayEvent::Type::Release) {
            m_button = false;
        } else if (event.type == ReplayEvent::Type::Key) {
            state.number = event.number;  // the last one of the frame, as a poll sees it
        }
    }
    state.leftButton = m_button;
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
    m_button = state.leftButton;
    m_next = m_events.size();
}
