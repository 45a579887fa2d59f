#pragma once
#include "platform/ReplayEvent.h"

#include <iosfwd>
#include <string>
#include <vector>

// The text format of --input and --record: one event a line,
//   <frame> motion DX DY | <frame> press | <frame> release | <frame> key N (1-9)
//   | <frame> advance (Space, Enter or the wheel down) | <frame> escape
//   | <frame> close | <frame> save NAME | <frame> load NAME | <frame> reload
// with '#' comments and blank lines ignored.
class CInputFile {
public:
    // Reads the whole file, events ordered by frame (a file's order is kept
    // within a frame). On a bad line: false, and `error` is "FILE:LINE: message".
    static bool Read(const std::string& path, std::vector<ReplayEvent>& events, std::string& error);
    // The same on an open stream; `path` only names it in the error.
    static bool Parse(std::istream& file, const std::string& path, std::vector<ReplayEvent>& events,
                      std::string& error);
    static bool ParseLine(const std::string& line, ReplayEvent& event, bool& isEvent,
                          std::string& error);
    static std::string FormatLine(const ReplayEvent& event);
};
