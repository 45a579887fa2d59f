// What an author sees while a story plays: mistakes the log is silent about
// warned of on stderr at their place, once each, with log.txt unchanged; the
// --trace lines; and --start-at.
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// The lines of `text` that begin with `prefix`.
std::vector<std::string> LinesFrom(const std::string& text, const std::string& prefix) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(prefix)) lines.push_back(line);
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
    const std::string at = "script/start.txt:";
    EXPECT_EQ(
        LinesFrom(run.errors, at),
        std::vector<std::string>({
            at + "1:1: hello",
            at + "3:1: warning: $b1 is no register name; nothing is stored, as in $zero",
            at + "4:1: warning: SetTile before SetSceneScale: the scene has no walk grid yet; "
                 "ignored",
            at + "5:1: warning: SetHero: no entity is named nobody",
            at + "7:1: warning: beq: no label nowhere in this file; taking the branch ends the "
                 "script",
            at + "8:1: WaitForEvent",
            at + "8:1: warning: no event is named EVENT_NOPE; the script waits for the event it "
                 "waited for last",
        }));
    const std::string frame2 = "2 " + at;
    EXPECT_EQ(LinesFrom(story.ReadFile("trace.txt"), ""),
              std::vector<std::string>({
                  frame2 + "1:1 Debug hello",  // labels leave no line
                  frame2 + "3:1 move $b1 3",
                  frame2 + "4:1 SetTile 0 0 1 1 1",
                  frame2 + "5:1 SetHero nobody",
                  frame2 + "6:1 beq $a3 $zero first",
                  frame2 + "10:1 move $a3 1 | $a3=1",
                  frame2 + "11:1 j again",
                  frame2 + "3:1 move $b1 3",
                  frame2 + "4:1 SetTile 0 0 1 1 1",
                  frame2 + "5:1 SetHero nobody",
                  frame2 + "6:1 beq $a3 $zero first",
                  frame2 + "7:1 beq $a3 $a0 nowhere",
                  frame2 + "8:1 WaitForEvent EVENT_NOPE",
              }));
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
