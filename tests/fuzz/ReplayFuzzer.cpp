// Feeds arbitrary bytes to the --input reader as a replay file. What it
// accepts must survive a round trip through the --record writer unchanged,
// and must reach the headless backend's polls without fault, however large
// its motions or frame numbers.
#include "input/InputFile.h"
#include "platform/Platform.h"

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The writer's line must read back as the very same event.
void CheckRoundTrip(const ReplayEvent& event) {
    const std::string line = CInputFile::FormatLine(event);
    ReplayEvent back;
    bool isEvent = false;
    std::string error;
    if (!CInputFile::ParseLine(line, back, isEvent, error) || !isEvent ||
        CInputFile::FormatLine(back) != line)
        std::abort();
}

// Polls on each frame that has events, in order, as the message loop would.
void Replay(const std::vector<ReplayEvent>& events) {
    PlatformOptions options;
    options.headless = true;
    options.replay = events;
    const std::unique_ptr<CPlatform> platform = CreatePlatform(options);
    for (const ReplayEvent& event : events) {
        platform->PollWindowEvent(event.frame);
        platform->ReadDevices(event.frame);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<ReplayEvent> events;
    std::string error;
    if (!CInputFile::Parse(file, "fuzz.txt", events, error)) {
        if (error.rfind("fuzz.txt:", 0) != 0) std::abort();  // an error always names its line
        return 0;
    }
    for (const ReplayEvent& event : events)
        CheckRoundTrip(event);
    Replay(events);
    return 0;
}
