#pragma once
#include "platform/DeviceState.h"
#include "platform/ReplayEvent.h"

#include <cstdint>
#include <fstream>
#include <string>

// Writes --record: the input a run saw, in the --input format, so that a
// headless replay of the file reaches every poll with the same device state.
class CInputRecorder {
public:
    explicit CInputRecorder(const std::string& path);
    bool IsOpen() const { return m_file.is_open() && m_file.good(); }
    // A line did not reach the file (a full disk): said once in the log, and
    // the run ends with a failure, since the record is lost.
    bool Failed() const { return m_failed; }

    // One poll's device state; only what changed since the previous poll is written.
    void RecordPoll(uint32_t frame, const DeviceState& state);
    void RecordClose(uint32_t frame);
    // A save, load or reload the player asked for, after that frame.
    void RecordCommand(const ReplayEvent& command) { Write(command); }
    // Polls are stamped with the game's frame; after a load that is no longer
    // the session's, which a replay of this file counts in.
    void SetFrameShift(uint32_t shift) { m_frameShift = shift; }

private:
    void Write(const ReplayEvent& event);

    std::string m_path;
    std::ofstream m_file;
    bool m_button = false;
    uint32_t m_frameShift = 0;  // session frame - game frame, modulo 2^32
    bool m_failed = false;
};
