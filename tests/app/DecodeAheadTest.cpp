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

struct Outcome {
    int exitCode = -1;
    std::string log;
    std::string dump;
    std::vector<std::string> shots;
};

std::vector<std::string> ShotArgs(const std::vector<uint32_t>& frames) {
    std::vector<std::string> args;
    for (uint32_t frame : frames)
        args.insert(args.end(), {"--screenshot",
                                 std::to_string(frame) + ":shot" + std::to_string(frame) + ".png"});
    return args;
}

Outcome Play(const CTempStory& story, uint32_t frames, const std::vector<uint32_t>& shots,
             const std::vector<std::string>& options) {
    std::vector<std::string> args = ShotArgs(shots);
    args.insert(args.end(), options.begin(), options.end());
    const RunResult run = story.RunHeadless(frames, args);
    Outcome outcome{run.exitCode, run.log, story.ReadFile("dump.jsonl"), {}};
    for (uint32_t frame : shots)
        outcome.shots.push_back(story.ReadFile("shot" + std::to_string(frame) + ".png"));
    return outcome;
}

void ExpectSame(const Outcome& a, const Outcome& b) {
    EXPECT_EQ(a.exitCode, b.exitCode);
    EXPECT_EQ(a.log, b.log);
    EXPECT_TRUE(a.dump == b.dump) << "the render dumps differ";
    ASSERT_EQ(a.shots.size(), b.shots.size());
    for (size_t i = 0; i < a.shots.size(); ++i) {
        EXPECT_FALSE(a.shots[i].empty());
        EXPECT_TRUE(a.shots[i] == b.shots[i]) << "screenshot " << i << " differs";
    }
}

}  // namespace

// The budget of 1 MiB holds no 2048 x 1024 background: every picture not on
// screen loses its pixels at the end of each frame.
TEST(DecodeAhead, TheDemoPlaysTheSameAheadOrNotAndUnderATinyBudget) {
    CTempStory story;
    const fs::path demo = TABI_SOURCE_DIR "/demo";
    for (const char* folder : {"script", "image"})
        fs::copy(demo / folder, story.Dir() / folder,
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::copy_file(demo / "playthrough.txt", story.Dir() / "input.txt");
    const std::vector<uint32_t> shots{8, 24, 120, 300, 520, 700, 780};
    const Outcome plain = Play(story, 800, shots, {"--no-decode-ahead"});
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_GT(plain.dump.size(), 10000u);
    ExpectSame(plain, Play(story, 800, shots, {}));
    ExpectSame(plain, Play(story, 800, shots, {"--cache-mb", "1"}));
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
    const Outcome plain = Play(story, 40, {}, {"--no-decode-ahead"});
    EXPECT_EQ(plain.exitCode, 1);
    EXPECT_NE(plain.log.find("Load Texture failed"), std::string::npos) << plain.log;
    ExpectSame(plain, Play(story, 40, {}, {}));
}
