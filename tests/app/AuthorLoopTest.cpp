// What an author sees while a story plays: mistakes the log is silent about
// warned of on stderr at their place, once each, with log.txt unchanged; the
// --trace lines; and --start-at.
#include "support/DataTable.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// The lines of `text` that begin with `prefix`, each ending in a line break.
std::string LinesFrom(const std::string& text, const std::string& prefix) {
    std::string lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(prefix)) lines += line + "\n";
    return lines;
}

}  // namespace

TEST(AuthorLoop, WarningsAndTraceNameTheirPlace) {
    CTempStory story;
    story.WriteScript("start.txt", CDataTable::ReadFile("author-loop-start.txt"));
    const RunResult run = story.RunBinary({"--data", story.Dir().string(), "--headless", "--frames",
                                           "3", "--trace", story.Path("trace.txt")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.log, "hello\nWaitForEvent\n");
    // Lines 3 to 7 run twice: each warning is said once, at its place. The
    // trace has a line per command run in frame 2 (labels leave none), with
    // the registers a command set.
    EXPECT_EQ(LinesFrom(run.errors, "script/"), CDataTable::ReadFile("author-loop-stderr.txt"));
    EXPECT_EQ(story.ReadFile("trace.txt"), CDataTable::ReadFile("author-loop-trace.txt"));
}

TEST(AuthorLoop, StartAtBeginsAtTheLabelAndRefusesAMissingOne) {
    CTempStory story;
    story.WriteScript("start.txt", CDataTable::ReadFile("author-loop-start.txt"));
    EXPECT_EQ(story.RunHeadless(2, {"--start-at", "first"}).log, "WaitForEvent\n");  // no "hello"
    const RunResult refused =
        story.RunBinary({"--data", story.Dir().string(), "--headless", "--start-at", "fist"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.errors, "tabi: --start-at: script/start.txt has no label fist\n");
}

// A line the engine logs between commands (a screenshot that cannot be
// written) is not put at the place of the command that ran last.
TEST(AuthorLoop, LinesLoggedOutsideACommandHaveNoPlace) {
    CTempStory story;
    story.WriteScript("start.txt", "Debug hello\nWaitForEvent EVENT_MOUSE_DOWN\n");
    const RunResult run =
        story.RunBinary({"--data", story.Dir().string(), "--headless", "--frames", "3",
                         "--screenshot", "2:" + story.Path("missing/shot.png")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(LinesFrom(run.errors, "script/"),
              "script/start.txt:1:1: hello\nscript/start.txt:2:1: WaitForEvent\n");
    EXPECT_NE(run.errors.find("\nCDisplayer::Render() screenshot"), std::string::npos)
        << run.errors;
}
