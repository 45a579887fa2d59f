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

// Lines 3 to 7 run twice: their warnings are said once.
const char* const kScript =
    "Debug hello\n"              // 1
    "again:\n"                   // 2
    "move $b1 3\n"               // 3
    "SetTile 0 0 1 1 1\n"        // 4
    "SetHero nobody\n"           // 5
    "beq $a3 $zero first\n"      // 6
    "beq $a3 $a0 nowhere\n"      // 7
    "WaitForEvent EVENT_NOPE\n"  // 8
    "first:\n"                   // 9
    "move $a3 1\n"               // 10
    "j again\n";                 // 11

}  // namespace

TEST(AuthorLoop, WarningsAndTraceNameTheirPlace) {
    CTempStory story;
    story.WriteScript("start.txt", kScript);
    const RunResult run = story.RunBinary({"--data", story.Dir().string(), "--headless", "--frames",
                                           "3", "--trace", story.Path("trace.txt")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.log, "hello\nWaitForEvent\n");
    // Each warning once, at its place; the trace: a line per command run, in
    // frame 2 (labels leave no line), with the registers a command set.
    EXPECT_EQ(LinesFrom(run.errors, "script/"), CDataTable::ReadFile("author-loop-stderr.txt"));
    EXPECT_EQ(story.ReadFile("trace.txt"), CDataTable::ReadFile("author-loop-trace.txt"));
}

TEST(AuthorLoop, StartAtBeginsAtTheLabelAndRefusesAMissingOne) {
    CTempStory story;
    story.WriteScript("start.txt", kScript);
    EXPECT_EQ(story.RunHeadless(2, {"--start-at", "first"}).log, "WaitForEvent\n");  // no "hello"
    const RunResult refused =
        story.RunBinary({"--data", story.Dir().string(), "--headless", "--start-at", "fist"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.errors, "tabi: --start-at: script/start.txt has no label fist\n");
}
