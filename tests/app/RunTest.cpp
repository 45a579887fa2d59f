// How a run starts, counts its frames and ends, as a story author or a script
// driving tabi sees it: the log, the render dump's frame numbers, exit codes.
#include "support/GameHarness.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint32_t> DumpFrames(const RunResult& run) {
    std::vector<uint32_t> frames;
    for (const auto& line : run.dump)
        frames.push_back(line.at("frame").get<uint32_t>());
    return frames;
}

}  // namespace

TEST(Run, TheLogIsEmptiedAtStartAndEachLineIsOnDiskAtOnce) {
    CTempStory story;
    story.WriteFile("log.txt", "an old run's line\n");
    story.WriteScript("start.txt", "Debug first Debug 100%_sure\n");
    CGameHarness harness(story);
    harness.RunFrames(2);
    // Read while the game still runs: nothing waits in a buffer.
    EXPECT_EQ(story.ReadFile("log.txt"), "first\n100%_sure\n");
}

TEST(Run, ModeChangeFramesCountButDrawNothing) {
    CTempStory story;
    story.WriteScript("start.txt",
                      "Debug a move $a0 8 ChangeMode Debug b move $a0 0 ChangeMode Debug c\n");
    const RunResult five = story.RunHeadless(5);
    EXPECT_EQ(five.exitCode, 0);
    // 1 is the first mode change; the script changes mode in 2 and 4.
    EXPECT_EQ(DumpFrames(five), (std::vector<uint32_t>{2, 4}));
    EXPECT_EQ(five.log, "a\nb\n");
    const RunResult six = story.RunHeadless(6);
    EXPECT_EQ(DumpFrames(six), (std::vector<uint32_t>{2, 4, 6}));
    EXPECT_EQ(six.log, "a\nb\nc\n");
    EXPECT_TRUE(story.RunHeadless(1).dump.empty());
}

TEST(Run, EscapeAndCloseEndTheRunAfterTheirFrame) {
    struct Case {
        const char* input;
        uint32_t lastFrame;
    };
    const Case cases[] = {
        {"4 escape\n", 4},
        {"4 close\n", 4},
        {"1 escape\n", 2},  // frame 1 polls nothing: the next poll sees it
        {"1 close\n", 1},   // a window message is handled in its own pass
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        CTempStory story;
        story.WriteScript("start.txt", "a: j a\n");
        story.WriteInput(c.input);
        const RunResult run = story.RunHeadless(50);
        EXPECT_EQ(run.exitCode, 0);
        const std::vector<uint32_t> frames = DumpFrames(run);
        EXPECT_EQ(frames.empty() ? 1 : frames.back(), c.lastFrame);  // frame 1 draws nothing
    }
}

TEST(Run, UsageErrorsExitWith2BeforeAnythingRuns) {
    CTempStory story;
    story.WriteScript("start.txt", "Debug ran\n");
    const std::string dir = story.Dir().string();
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},
        {"--data", dir + "/missing"},
        {"--data", dir, "--frames", "0"},
        {"--data", dir, "--frames", "ten"},
        {"--data", dir, "--display", "1280"},
        {"--data", dir, "--display", "0x720"},
        {"--data", dir, "--screenshot", "shot.png"},
        {"--data", dir, "--screenshot", "0:shot.png"},
        {"--data", dir, "--renderer", "magic"},
        {"--data", dir, "--input", dir + "/no-such-file.txt", "--headless"},
        {"--data", dir, "--input", dir + "/script/start.txt"},  // replays need --headless
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.back());
        const RunResult run = story.RunBinary(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_FALSE(run.errors.empty());
        EXPECT_FALSE(std::filesystem::exists(story.Dir() / "log.txt"));
    }
    EXPECT_EQ(story.RunBinary({"--help"}).exitCode, 0);
    EXPECT_EQ(story.RunBinary({"--version"}).exitCode, 0);
}

TEST(Run, EveryLogLineAlsoReachesStandardError) {
    CTempStory story;
    story.WriteScript("start.txt", "Debug to_both WaitForEvent EVENT_HERO_STOP\n");
    const RunResult run =
        story.RunBinary({"--data", story.Dir().string(), "--headless", "--frames", "3"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.log, "to_both\nWaitForEvent\n");
    EXPECT_NE(run.errors.find("to_both\nWaitForEvent\n"), std::string::npos) << run.errors;
}
