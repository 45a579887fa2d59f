// Clicks as scripts see them: one pointer event per frame, presses and
// releases on the frame they happen, and recorded input that replays the same.
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

// Space, Enter and the wheel down ("advance") click where a click turns a
// page: in the picture-novel mode and while the dialogue frame is shown, not
// on the open scene, where a click would walk the hero. An advance while the
// button is held, or in the frame that releases the advance before, adds nothing.
TEST(InputManager, AnAdvanceClicksOnlyWhereAClickTurnsAPage) {
    const struct {
        const char* name;
        const char* script;
        const char* input;
        size_t clicks;
    } cases[] = {
        {"picture-novel", kClickCounter, "5 advance\n6 advance\n8 advance\n", 2},
        {"held button", kClickCounter, "5 press\n6 advance\n8 release\n9 advance\n", 2},
        {"dialogue shown",
         "ShowDialogueFrame\nloop: WaitForEvent EVENT_MOUSE_DOWN Debug click j loop\n",
         "3 advance\n6 advance\n", 2},
        {"open scene", "loop: WaitForEvent EVENT_MOUSE_DOWN Debug click j loop\n",
         "3 advance\n6 advance\n", 0},
    };
    CTempStory story;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        story.WriteScript("start.txt", c.script);
        story.WriteInput(c.input);
        const RunResult run = story.RunHeadless(12, {"--record", story.Path("record.txt")});
        ASSERT_EQ(run.exitCode, 0);
        EXPECT_EQ(CSceneStory::Count(run.log, "click\n"), c.clicks);
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
    struct Step {
        uint32_t frame;
        int dx, dy;
        double layoutX, layoutY;
    };
    struct Case {
        const char* display;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"1280x720",  // layout = pointer
         {{3, 10, 30, 10, 30},
          {4, 0, 690, 10, 720},
          {5, 0, 100, 10, 720},
          {6, 0, -20, 10, 700},
          {7, 2000, 0, 1280, 700},
          {8, -100, 0, 1180, 700},
          {9, -5000, -5000, 0, 0},
          // Motions near the int32 limits saturate, alone and summed in one poll.
          {10, 2147483647, 0, 1280, 0},
          {11, 2147483647, 0, 1280, 0},
          {11, 2147483647, 0, 1280, 0},
          {12, -2147483648, 0, 0, 0},
          {12, -2147483648, 0, 0, 0}}},
        {"1680x1050",  // a 1280 x 800 back buffer: the layout area starts 40 lines down
         {{3, 0, 30, 0, 0},
          {4, 0, 10, 0, 0},
          {5, 0, 1, 0, 1},
          {6, 0, 719, 0, 720},
          {7, 0, 1000, 0, 720},
          {8, 0, -50, 0, 710},
          {9, 1500, 0, 1280, 710}}}};
    CTempStory story;
    story.WriteScript("start.txt", "");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.display);
        std::string input = "2 motion 3 -2\n2 motion -3 2\n";  // one frame's motions add up
        for (const Step& s : c.steps)
            input += std::to_string(s.frame) + " motion " + std::to_string(s.dx) + " " +
                     std::to_string(s.dy) + "\n";
        story.WriteInput(input);
        const RunResult run = story.RunHeadless(12, {"--display", c.display});
        for (const Step& s : c.steps) {
            SCOPED_TRACE(s.frame);
            const nlohmann::json pointer = CSceneStory::Item(run, s.frame, "image/m0.png");
            EXPECT_EQ(pointer["x"].get<double>(), s.layoutX - 5);
            EXPECT_EQ(pointer["y"].get<double>(), s.layoutY - 5);
        }
    }
}
