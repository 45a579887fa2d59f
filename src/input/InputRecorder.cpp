#include "input/InputRecorder.h"

#include "app/Log.h"
#include "input/InputFile.h"

#include <cerrno>
#include <cstring>

// The header is flushed at once too: a run killed before its first event
// still leaves a file that says what it is.
CInputRecorder::CInputRecorder(const std::string& path)
    : m_path(path), m_file(path, std::ios::trunc) {
    if (m_file)
        m_file << "# tabi input: <frame> motion DX DY | press | release | key N | advance | escape "
                  "| close\n";
    m_file.flush();
}

void CInputRecorder::RecordPoll(uint32_t gameFrame, const DeviceState& state) {
    const uint32_t frame = gameFrame + m_frameShift;
    if (state.dx != 0 || state.dy != 0)
        Write({frame, ReplayEvent::Type::Motion, state.dx, state.dy});
    if (state.leftButton != m_button)
        Write({frame, state.leftButton ? ReplayEvent::Type::Press : ReplayEvent::Type::Release});
    m_button = state.leftButton;
    if (state.escape) Write({frame, ReplayEvent::Type::Escape});
    if (state.number != 0) {
        ReplayEvent key(frame, ReplayEvent::Type::Key);
        key.number = state.number;
        Write(key);
    }
    if (state.advance) Write({frame, ReplayEvent::Type::Advance});
}

void CInputRecorder::RecordClose(uint32_t frame) {
    Write({frame, ReplayEvent::Type::Close});
}

// Flushed per line: a run that is killed still leaves a replayable file.
void CInputRecorder::Write(const ReplayEvent& event) {
    if (m_failed) return;
    m_file << CInputFile::FormatLine(event) << '\n';
    m_file.flush();
    if (m_file.good()) return;
    CLog::Write("tabi: cannot write the input record %s: %s", m_path.c_str(), std::strerror(errno));
    m_failed = true;
}
