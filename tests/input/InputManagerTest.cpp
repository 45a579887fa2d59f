// Clicks as scripts see them: one pointer event per frame, presses and
// releases on the frame they happen, and recorded input that replays the same.
#include "support/DataTable.h"
#include "support/SceneStory.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A picture-novel story that logs every click it is woken by.
constexpr const char* kClickCounter =
    "move $a0 8 ChangeMode\n"
    "loop: WaitForEvent EVENT_MOUSE_DOWN Debug click j loop\n";

}  // namespace

// Presses and releases are latched: one reaches the game a frame, in order,
// so a press and a release given for one frame are a click (the release comes
// a frame later), and one frame's two clicks take four frames.
TEST(InputManager, EveryPressIsSeenInOrderOnePerFrame) {
    CTempStory story;
    story.WriteScript("start.txt", kClickCounter);
    story.WriteInput(
        "5 press\n6 release\n8 press\n8 release\n10 press\n14 release\n16 press\n17 release\n"
        "20 press\n20 release\n20 press\n20 release\n");
    const struct {
        uint32_t frames;
        size_t clicks;
    } cases[] = {{4, 0},  {5, 1},  {7, 1},  {8, 2},  {9, 2},  {10, 3}, {15, 3},
                 {16, 4}, {19, 4}, {20, 5}, {21, 5}, {22, 6}, {30, 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frames);
        const RunResult run = story.RunHeadless(c.frames);
        ASSERT_EQ(run.exitCode, 0);
        EXPECT_EQ(CSceneStory::Count(run.log, "click\n"), c.clicks);
    }
}

// An advance clicks only where a click turns a page, and is recorded as given.
TEST(InputManager, AnAdvanceClicksOnlyWhereAClickTurnsAPage) {
    CTempStory story;
    for (const DataRow& c : CDataTable::Read("advance-clicks.txt")) {
        SCOPED_TRACE(c.where);
        story.WriteScript("start.txt", c[1]);
        story.WriteInput(c[2]);
        const RunResult run = story.RunHeadless(12, {"--record", story.Path("record.txt")});
        ASSERT_EQ(run.exitCode, 0);
        EXPECT_EQ(CSceneStory::Count(run.log, "click\n"), std::stoul(c[3]));
        // Recorded as given, so a replay of the record plays the same.
        story.WriteInput(story.ReadFile("record.txt"));
        EXPECT_EQ(story.RunHeadless(12).dump, run.dump);
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
    ASSERT_EQ(CSceneStory::Count(live.log, "click\n"), 3u);
    // The record holds what the game saw: frame 9's tap as a press and a release a frame apart.
    EXPECT_NE(story.ReadFile("record.txt").find("9 press\n10 release\n"), std::string::npos);
    story.WriteInput(story.ReadFile("record.txt"));
    const RunResult replay = story.RunHeadless(40);
    EXPECT_EQ(replay.exitCode, 0);
    EXPECT_EQ(replay.log, live.log);
    EXPECT_EQ(replay.dump, live.dump);
    EXPECT_EQ(replay.dump.back().at("frame"), 20);
}

// The pointer moves by relative motion only, is held inside the back buffer
// (and never right of 1280), and reaches the controllers in layout pixels:
// the bands round the centred layout area are cut off. The hero controller
// draws it 5 pixels up and left of the layout point.
TEST(InputManager, PointerMapsIntoTheLayoutArea) {
    const std::vector<DataRow> motions = CDataTable::Read("pointer-motions.txt");
    CTempStory story;
    story.WriteScript("start.txt", "");
    for (const char* display : {"1280x720", "1680x1050"}) {
        SCOPED_TRACE(display);
        std::string input = "2 motion 3 -2\n2 motion -3 2\n";  // one frame's motions add up
        for (const DataRow& m : motions)
            if (m[0] == display) input += m[1] + "\n";
        story.WriteInput(input);
        const RunResult run = story.RunHeadless(12, {"--display", display});
        for (const DataRow& m : motions) {
            if (m[0] != display) continue;
            SCOPED_TRACE(m.where);
            const nlohmann::json pointer =
                CSceneStory::Item(run, std::stoul(m.Words(1)[0]), "image/m0.png");
            EXPECT_EQ(pointer["x"].get<double>(), std::stod(m.Words(2)[0]) - 5);
            EXPECT_EQ(pointer["y"].get<double>(), std::stod(m.Words(2)[1]) - 5);
        }
    }
}
