// Clicks as scripts see them: one pointer event per frame, presses and
// releases on the frame they happen, and recorded input that replays the same.
#include "support/TempStory.h"

#include <gtest/gtest.h>

namespace {

// A picture-novel story that logs every click it is woken by.
constexpr const char* kClickCounter =
    "move $a0 8 ChangeMode\n"
    "loop: WaitForEvent EVENT_MOUSE_DOWN Debug click j loop\n";

size_t CountLines(const std::string& log, const std::string& line) {
    size_t count = 0;
    for (size_t at = log.find(line + "\n"); at != std::string::npos;
         at = log.find(line + "\n", at + 1))
        if (at == 0 || log[at - 1] == '\n') ++count;
    return count;
}

}  // namespace

TEST(InputManager, EachPressIsSeenOnceOnItsFrameAndAQuickTapNotAtAll) {
    CTempStory story;
    story.WriteScript("start.txt", kClickCounter);
    story.WriteInput("5 press\n6 release\n8 press\n8 release\n10 press\n14 release\n16 press\n");
    const struct {
        uint32_t frames;
        size_t clicks;
    } cases[] = {{4, 0}, {5, 1}, {9, 1}, {10, 2}, {15, 2}, {16, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frames);
        const RunResult run = story.RunHeadless(c.frames);
        ASSERT_EQ(run.exitCode, 0);
        EXPECT_EQ(CountLines(run.log, "click"), c.clicks);
    }
}

TEST(InputManager, RecordedInputReplaysToTheSameRun) {
    CTempStory story;
    story.WriteScript("start.txt", kClickCounter);
    story.WriteInput(
        "3 motion 100 50\n4 motion 20 0\n5 press\n6 release\n7 motion -30 400\n"
        "9 press\n9 release\n11 press\n13 release\n20 escape\n");
    const RunResult live = story.RunHeadless(40, {"--record", story.Path("record.txt")});
    ASSERT_EQ(live.exitCode, 0);
    ASSERT_EQ(CountLines(live.log, "click"), 2u);
    story.WriteInput(story.ReadFile("record.txt"));
    const RunResult replay = story.RunHeadless(40);
    EXPECT_EQ(replay.exitCode, 0);
    EXPECT_EQ(replay.log, live.log);
    EXPECT_EQ(replay.dump, live.dump);
    EXPECT_EQ(replay.dump.back().at("frame"), 20);
}
