// Pictures decoded ahead of need, and a budget that lets their pixels go,
// change nothing a run shows: the log, the render dump, the screenshots and
// the exit code are the same byte for byte.
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// What a run shows, as bytes: its exit code, log, render dump and screenshots.
std::vector<std::string> Play(const CTempStory& story, uint32_t frames,
                              const std::vector<uint32_t>& shots, std::vector<std::string> args) {
    for (uint32_t frame : shots)
        args.insert(args.end(),
                    {"--screenshot", std::to_string(frame) + ":" + std::to_string(frame) + ".png"});
    const RunResult run = story.RunHeadless(frames, args);
    std::vector<std::string> shown{std::to_string(run.exitCode), run.log,
                                   story.ReadFile("dump.jsonl")};
    for (uint32_t frame : shots) {
        shown.push_back(story.ReadFile(std::to_string(frame) + ".png"));
        EXPECT_FALSE(shown.back().empty()) << "no screenshot of frame " << frame;
    }
    return shown;
}

}  // namespace

// The budget of 1 MiB holds no 2048 x 1024 background: every picture not on
// screen loses its pixels at the end of each frame.
TEST(DecodeAhead, TheDemoPlaysTheSameAheadOrNotAndUnderATinyBudget) {
    CTempStory story;
    story.CopyDemo();
    fs::copy_file(TABI_SOURCE_DIR "/demo/playthrough.txt", story.Dir() / "input.txt");
    const std::vector<uint32_t> shots{8, 24, 120, 300, 520, 700, 780};
    const std::vector<std::string> plain = Play(story, 800, shots, {"--no-decode-ahead"});
    EXPECT_EQ(plain[0], "0");
    EXPECT_GT(plain[2].size(), 10000u);  // the dump
    EXPECT_TRUE(Play(story, 800, shots, {}) == plain);
    EXPECT_TRUE(Play(story, 800, shots, {"--cache-mb", "1"}) == plain);
}

// A picture a worker could not decode ends the run as one decoded on the spot
// does: the same log line in the same frame, exit code 1.
TEST(DecodeAhead, APictureThatFailsAheadFailsAsBefore) {
    CTempStory story;
    story.WriteImage("image/tachie-imouto.png", 512, 1024);
    std::string broken = story.ReadFile("image/tachie-imouto.png");
    broken[broken.size() / 2] ^= 0x55;  // a CRC that no longer matches
    story.WriteFile("image/pc01.png", broken);
    story.WriteScript("start.txt",
                      "move $a0 8 ChangeMode move $a0 3000 AddSprite x fig "
                      "WaitForEvent EVENT_MOUSE_DOWN move $a0 2003 AddSprite x bg Debug shown\n");
    story.WriteInput("10 press\n11 release\n");
    const std::vector<std::string> plain = Play(story, 40, {}, {"--no-decode-ahead"});
    EXPECT_EQ(plain[0], "1");
    EXPECT_NE(plain[1].find("Load Texture failed"), std::string::npos) << plain[1];
    EXPECT_TRUE(Play(story, 40, {}, {}) == plain);
}
