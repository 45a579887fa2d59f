#include "platform/InputLatch.h"

void CInputLatch::Push(const Transition& transition) {
    const bool latest = m_waiting.empty() ? m_button : m_waiting.back().down;
    if (transition.down != latest) m_waiting.push_back(transition);
}

bool CInputLatch::Take(Transition& out) {
    if (m_waiting.empty()) return false;
    out = m_waiting.front();
    m_waiting.pop_front();
    m_button = out.down;
    return true;
}
