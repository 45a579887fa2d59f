#include "input/InputFile.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

namespace {

struct BadLine {
    const char* text;
    const char* message;
};

}  // namespace

// Events come out ordered by frame, in the file's order within a frame, and
// each formats back to the line a recording writes.
TEST(InputFile, ReadsEveryEventIgnoringCommentsAndBlankLines) {
    CTempStory story;
    story.WriteFile("in.txt",
                    "# a replay\n\n3 motion 10 -4   # right and up\n  5 press\n5 release\n"
                    "7 escape\n2 close\n4 save quick\n4 load a-1_B\n9 reload\n");
    std::vector<ReplayEvent> events;
    std::string error;
    ASSERT_TRUE(CInputFile::Read(story.Path("in.txt"), events, error)) << error;
    std::string lines;
    for (const ReplayEvent& e : events)
        lines += CInputFile::FormatLine(e) + "\n";
    EXPECT_EQ(lines,
              "2 close\n3 motion 10 -4\n4 save quick\n4 load a-1_B\n5 press\n5 release\n"
              "7 escape\n9 reload\n");
}

TEST(InputFile, ABadLineIsNamedByFileAndLineAndNothingRuns) {
    const BadLine cases[] = {
        {"press", "frame number"},
        {"0 press", "frame number"},
        {"-2 press", "frame number"},
        {"3", "must follow"},
        {"3 click", "unknown event"},
        {"3 motion 1", "two whole numbers"},
        {"3 motion 1 x", "two whole numbers"},
        {"3 press now", "takes nothing"},
        {"99999999999 press", "frame number"},
        {"3 save", "wants the save's name"},
        {"3 load ../x", "a save's name is"},
        {"3 reload now", "takes nothing"},
    };
    for (const BadLine& bad : cases) {
        SCOPED_TRACE(bad.text);
        CTempStory story;
        story.WriteScript("start.txt", "Debug ran\n");
        story.WriteFile("in.txt", std::string("1 motion 1 1\n# fine so far\n") + bad.text + "\n");
        const RunResult run = story.RunBinary({"--data", story.Dir().string(), "--headless",
                                               "--frames", "5", "--input", story.Path("in.txt")});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.errors.find(story.Path("in.txt") + ":3: "), std::string::npos) << run.errors;
        EXPECT_NE(run.errors.find(bad.message), std::string::npos) << run.errors;
        EXPECT_FALSE(std::filesystem::exists(story.Dir() / "log.txt"));
    }
}
