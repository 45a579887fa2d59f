// How a run starts, counts its frames and ends, as a story author or a script
// driving tabi sees it: the log, the render dump's frame numbers, exit codes.
#include "support/DataTable.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

TEST(Run, TheLogIsEmptiedAtStartAndEachLineIsOnDiskAtOnce) {
    CTempStory story;
    story.WriteFile("log.txt", "an old run's line\n");
    story.WriteScript("start.txt", "Debug first Debug 100%_sure\n");
    CGameHarness harness(story);
    harness.RunFrames(2);
    // Read while the game still runs: nothing waits in a buffer.
    EXPECT_EQ(story.ReadFile("log.txt"), "first\n100%_sure\n");
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
        const uint32_t last = run.dump.empty() ? 1 : run.dump.back().at("frame").get<uint32_t>();
        EXPECT_EQ(last, c.lastFrame);  // frame 1 draws nothing
    }
}

TEST(Run, UsageErrorsExitWith2BeforeAnythingRuns) {
    CTempStory story;
    story.WriteScript("start.txt", "Debug ran\n");
    story.WriteFile("bad.txt", "1 press\n3 click\n");
    for (const DataRow& c : CDataTable::Read("usage-errors.txt", story.Dir().string())) {
        SCOPED_TRACE(c.where);
        const RunResult run = story.RunBinary(c.Words(0));
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.errors.find(c[1]), std::string::npos) << run.errors;
        EXPECT_FALSE(std::filesystem::exists(story.Dir() / "log.txt"));
    }
    EXPECT_EQ(story.RunBinary({"--help"}).exitCode, 0);
    EXPECT_EQ(story.RunBinary({"--version"}).exitCode, 0);
}

// An output that cannot be written ends the run as a failure, said on stderr;
// a log that cannot be written is said once and the run goes on.
TEST(Run, WriteFailuresAreReported) {
    CTempStory story;
    story.WriteScript("start.txt", "Debug one Debug two WaitForEvent EVENT_HERO_STOP\n");
    story.WriteInput("3 motion 5 5\n");
    const std::vector<std::string> run = {
        "--data",  story.Dir().string(),   "--headless", "--frames", "5",
        "--input", story.Path("input.txt")};
    const struct {
        std::vector<std::string> output;
        const char* says;
    } cases[] = {
        {{"--dump", "/dev/full"}, "cannot write the render dump /dev/full"},
        {{"--record", "/dev/full"}, "cannot write the input record /dev/full"},
        {{"--screenshot", "3:/dev/full"}, "screenshot /dev/full failed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output[0]);
        std::vector<std::string> args = run;
        args.insert(args.end(), c.output.begin(), c.output.end());
        const RunResult failed = story.RunBinary(args);
        EXPECT_EQ(failed.exitCode, 1);
        EXPECT_NE(failed.errors.find(c.says), std::string::npos) << failed.errors;
    }
    // The log is a link to a full device, which the result reads as empty.
    std::filesystem::remove(story.Dir() / "log.txt");
    std::filesystem::create_symlink("/dev/full", story.Dir() / "log.txt");
    std::vector<std::string> args = run;
    args.insert(args.end(), {"--dump", story.Path("dump.jsonl")});
    const RunResult unlogged = story.RunBinary(args);
    EXPECT_EQ(unlogged.exitCode, 0);
    EXPECT_EQ(unlogged.dump.size(), 4u);  // frames 2 to 5 ran
    const std::string& errors = unlogged.errors;
    const std::string said = "cannot write log.txt";
    const size_t first = errors.find(said);
    EXPECT_NE(first, std::string::npos) << errors;
    EXPECT_EQ(errors.find(said, first + 1), std::string::npos) << "said more than once";
}
