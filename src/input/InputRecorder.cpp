#include "input/InputRecorder.h"

#include "input/InputFile.h"

CInputRecorder::CInputRecorder(const std::string& path) : m_file(path, std::ios::trunc) {
    if (m_file) m_file << "# tabi input: <frame> motion DX DY | press | release | escape | close\n";
}

void CInputRecorder::RecordPoll(uint32_t frame, const DeviceState& state) {
    if (state.dx != 0 || state.dy != 0)
        Write({frame, ReplayEvent::Type::Motion, state.dx, state.dy});
    if (state.leftButton != m_button)
        Write({frame, state.leftButton ? ReplayEvent::Type::Press : ReplayEvent::Type::Release});
    m_button = state.leftButton;
    if (state.escape) Write({frame, ReplayEvent::Type::Escape});
}

void CInputRecorder::RecordClose(uint32_t frame) {
    Write({frame, ReplayEvent::Type::Close});
}

// Flushed per line: a run that is killed still leaves a replayable file.
void CInputRecorder::Write(const ReplayEvent& event) {
    m_file << CInputFile::FormatLine(event) << '\n';
    m_file.flush();
}
