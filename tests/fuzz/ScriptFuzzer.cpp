// Feeds arbitrary bytes to the script reader and scheduler as a story would
// meet them: the bytes are both the start script and script 1, and the game
// runs headless on a story folder with every picture of the image table, for
// up to kFrames frames (until something ends the program, as the message loop
// would). The input's last bytes are taken first: eight bytes of plan, then
// a few replayed input events (pointer motion, presses, Escape) that reach
// the controllers as a player's would. Between frames the plan decides what
// the world does to two more scripts of that file, as the scene and its
// entities will: raise events, restart them, destroy and reload them,
// including while they stand in the manager's lists.
#include "app/Game.h"
#include "app/Log.h"
#include "app/Options.h"
#include "display/Database.h"
#include "display/Displayer.h"
#include "platform/Platform.h"
#include "platform/ReplayEvent.h"
#include "scripting/Script.h"
#include "scripting/ScriptManager.h"
#include "support/PngWriter.h"
#include "support/TestImages.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <unistd.h>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kFrames = 300;
// The overlay draws the whole walk grid again whenever a script changes it:
// up to 4096 x 4096 pixels, about a second each under the fuzzer's
// instrumentation. It is turned off after this many frames so that a script
// resizing its scene every frame is not mistaken for a hang.
constexpr uint32_t kOverlayFrames = 20;
// A script looping on a mistake logs a line at every step, thousands a frame:
// formatting and writing them would take all of the unit's time (over ten
// seconds under the sanitizers) and reach no new code. The log lines are kept
// in memory and the unit ends once this many were written.
constexpr size_t kMaxLogLines = 20'000;
// A story may also be slow by its own doing, not hung: a script that makes a
// scene 20,000 pixels high at every step allocates and clears a 64 MiB walk
// grid each time. A unit stops taking frames after this long; a hang inside
// one frame still meets libFuzzer's own timeout.
constexpr auto kMaxUnitTime = std::chrono::seconds(2);
std::filesystem::path g_storyDir;  // a fresh folder the scripts are written into

void RemoveStory() {
    std::error_code ignored;
    std::filesystem::remove_all(g_storyDir, ignored);
}

void WriteScript(const char* path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file.write(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<std::streamsize>(bytes.size())))
        std::abort();
}

// One byte of the plan: what happens to the two extra scripts before a frame.
void Act(uint8_t action, CGame& game, std::array<std::unique_ptr<CScript>, 2>& extra) {
    std::unique_ptr<CScript>& script = extra[(action >> 3) & 1];
    CScriptManager& manager = game.GetScriptManager();
    const int what = action & 7;
    if (what == 3) manager.RaiseEvent(CScriptManager::kEventMouseDown);
    if (what == 4) manager.RaiseEvent(CScriptManager::kEventHeroStop);
    if (what == 5 && script) manager.Restart(*script);
    if (what == 6) script = game.GetDatabase().LoadScript(1);  // the old one is destroyed
    if (what == 7) script.reset();
}

// Every picture of the image table, as tiny placeholders: without them the
// game does not start and no command would ever run.
void WritePictures() {
    for (int number = 0; number <= 3001; ++number)
        for (const std::string& file : CTestImages::FilesOf(number))
            if (!CPngWriter::WriteSolid(file, 4, 4, CTestImages::ColorOf(file))) std::abort();
}

// Up to 15 events on frames 2..kFrames, ordered by frame as the --input reader
// leaves them.
std::vector<ReplayEvent> TakeEvents(FuzzedDataProvider& input) {
    std::vector<ReplayEvent> events(input.ConsumeIntegralInRange<size_t>(0, 15));
    for (ReplayEvent& event : events) {
        event.frame = input.ConsumeIntegralInRange<uint32_t>(2, kFrames);
        event.type = static_cast<ReplayEvent::Type>(input.ConsumeIntegralInRange<uint8_t>(0, 4));
        if (event.type != ReplayEvent::Type::Motion) continue;
        event.dx = input.ConsumeIntegral<int16_t>();
        event.dy = input.ConsumeIntegral<int16_t>();
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const ReplayEvent& a, const ReplayEvent& b) { return a.frame < b.frame; });
    return events;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tabi-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    g_storyDir = pattern;
    std::filesystem::create_directories(g_storyDir / "script");
    std::filesystem::create_directories(g_storyDir / "image");
    std::filesystem::current_path(g_storyDir);
    WritePictures();
    std::atexit(RemoveStory);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const uint64_t plan = input.ConsumeIntegral<uint64_t>();  // taken from the end
    Options options;
    options.platform.headless = true;
    options.platform.replay = TakeEvents(input);
    options.overlay = (plan >> 63) != 0;
    if ((plan >> 62) & 1) options.dumpFile = "/dev/null";
    const std::vector<uint8_t> script = input.ConsumeRemainingBytes<uint8_t>();
    WriteScript("script/start.txt", script);
    WriteScript("script/script01.txt", script);

    const std::unique_ptr<CPlatform> platform = CreatePlatform(options.platform);
    CGame game(*platform, options);
    if (!game.Init()) return 0;
    std::array<std::unique_ptr<CScript>, 2> extra{game.GetDatabase().LoadScript(1),
                                                  game.GetDatabase().LoadScript(1)};
    std::vector<std::string> logLines;
    CLog::CaptureTo(&logLines);
    size_t logged = 0;
    const auto deadline = std::chrono::steady_clock::now() + kMaxUnitTime;
    for (uint32_t frame = 0; frame < kFrames && !game.QuitRequested() && logged < kMaxLogLines &&
                             std::chrono::steady_clock::now() < deadline;
         ++frame) {
        Act(static_cast<uint8_t>(plan >> (8 * (frame % 8))), game, extra);
        if (frame == kOverlayFrames && game.GetDisplayer().IsOverlayOn())
            game.GetDisplayer().ToggleOverlay();
        game.Frame();
        logged += logLines.size();
        logLines.clear();
    }
    // Scripts must survive their manager going first as well as last.
    if (plan & 1) extra = {};
    game.Shutdown();
    extra = {};
    CLog::CaptureTo(nullptr);
    return 0;
}
