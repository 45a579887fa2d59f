#pragma once
#include "platform/Platform.h"

#include <cstdint>
#include <string>
#include <vector>

struct ScreenshotRequest {
    uint32_t frame = 0;
    std::string path;
};

// Everything the command line decides for one run.
struct Options {
    std::string dataDir;
    PlatformOptions platform;
    uint32_t frames = 0;  // 0: run until the story or the player ends it
    std::string inputFile;
    std::string recordFile;
    std::string dumpFile;
    std::vector<ScreenshotRequest> screenshots;
    bool overlay = false;
    uint32_t cacheMb = 256;   // budget of the decoded pictures' pixels
    bool decodeAhead = true;  // decode the pictures scripts will soon ask for
};
