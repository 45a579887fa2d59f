#include "save/ReplayPlatform.h"

#include "app/Log.h"

CReplayPlatform::CReplayPlatform(CPlatform& device, bool devicesOpen,
                                 std::vector<ReplayEvent> history)
    : m_device(device),
      m_devicesOpen(devicesOpen),
      m_journal(std::move(history)),
      m_replayAudio(device) {}

// The game's clock goes on from where the replay left it: its pacing then
// waits one frame from the last replayed tick, not for a gap of real time.
void CReplayPlatform::GoLive(uint32_t gameFrame, uint32_t sessionFrame) {
    m_frameShift = sessionFrame - gameFrame;
    m_tickShift = m_now - m_device.Ticks();
    m_live = true;
    std::string error;
    if (!m_replayAudio.GoLive(error))
        CLog::Write("tabi: the music cannot go on: %s", error.c_str());
}

CAudioOut& CReplayPlatform::Audio() {
    return m_live ? m_device.Audio() : m_replayAudio;
}

bool CReplayPlatform::CreateBackBuffer(int width, int height, std::string& error) {
    return m_devicesOpen || m_device.CreateBackBuffer(width, height, error);
}

bool CReplayPlatform::OpenInput(std::string& error) {
    return m_devicesOpen || m_device.OpenInput(error);
}

// A second audio device would be opened, and never closed, for each game.
bool CReplayPlatform::OpenAudio(std::string& error) {
    return m_devicesOpen || m_device.OpenAudio(error);
}

WindowEvent CReplayPlatform::PollWindowEvent(uint32_t frame) {
    return m_live ? m_device.PollWindowEvent(frame + m_frameShift) : WindowEvent::None;
}

DeviceState CReplayPlatform::ReadDevices(uint32_t frame) {
    if (!m_live) return m_journal.Replay(frame);
    const DeviceState state = m_device.ReadDevices(frame + m_frameShift);
    m_escapeSeen = m_escapeSeen || state.escape;
    m_journal.Record(frame, state);
    return state;
}

uint32_t CReplayPlatform::Ticks() {
    return m_live ? m_device.Ticks() + m_tickShift : m_now;
}

void CReplayPlatform::WaitUntil(uint32_t tick) {
    if (m_live)
        m_device.WaitUntil(tick - m_tickShift);
    else if (static_cast<int32_t>(tick - m_now) > 0)
        m_now = tick;
}

bool CReplayPlatform::Present(const DrawList& frame, std::string& error) {
    return !m_live || m_device.Present(frame, error);
}

bool CReplayPlatform::SaveScreenshot(const DrawList& frame, const std::string& path,
                                     std::string& error) {
    return !m_live || m_device.SaveScreenshot(frame, path, error);
}
