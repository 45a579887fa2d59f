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

private:
    void Write(const ReplayEvent& event);

    std::string m_path;
    std::ofstream m_file;
    bool m_button = false;
    bool m_failed = false;
};
