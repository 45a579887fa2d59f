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
    bool installedDemo = false;  // no story given or found here: the installed demo plays
    PlatformOptions platform;
    uint32_t frames = 0;  // 0: run until the story or the player ends it
    std::string inputFile;
    std::string recordFile;
    std::string dumpFile;
    std::vector<ScreenshotRequest> screenshots;
    bool overlay = false;
    bool check = false;      // check the story and play nothing
    std::string traceFile;   // one line per executed command; empty: no trace
    std::string startLabel;  // where the start script begins; empty: its top
    int volume = 100;        // 0 to 100, music and effects alike
    bool muted = false;
    std::string savesDir;       // --saves: empty for the default folder
    std::string loadFile;       // --load: start from this save
    bool continueGame = false;  // --continue: start from the autosave
    bool appendDump = false;    // the render dump goes on (a game after a load or reload)
    uint32_t cacheMb = 256;     // budget of the decoded pictures' pixels
    bool decodeAhead = true;    // decode the pictures scripts will soon ask for
};
