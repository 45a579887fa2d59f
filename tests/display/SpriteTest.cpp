#include "display/Sprite.h"

#include "display/Database.h"
#include "platform/Texture.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One step of a timing case: ask for an animation, or tick and then look.
struct Step {
    enum Kind { Ask, Tick } kind;
    int value;
    const char* shown = nullptr;  // after a Tick: the image that must show
};

struct TimingCase {
    const char* what;
    int frameDuration;
    std::vector<Step> steps;
};

}  // namespace

// The walking character (number 1): animation 4 shows walk01, walk00,
// walk02, walk00; animation 5 the same of the "walkb" group. The tick is a
// byte that moves the image on when it exceeds the frame duration.
TEST(Sprite, AnimationTiming) {
    using S = Step;
    const TimingCase cases[] = {
        {"asking for the running animation neither restarts it nor resets the tick",
         6,
         {{S::Ask, 4},
          {S::Tick, 10, "walk00"},
          {S::Ask, 4},
          {S::Tick, 3, "walk00"},
          {S::Tick, 1, "walk02"}}},
        {"a switch keeps the tick, so its first image may be short",
         6,
         {{S::Ask, 4},
          {S::Tick, 5, "walk01"},
          {S::Ask, 5},
          {S::Tick, 1, "walkb01"},
          {S::Tick, 1, "walkb00"},
          {S::Tick, 6, "walkb00"},
          {S::Tick, 1, "walkb02"}}},
        {"animations that do not exist change nothing, the tick included",
         6,
         {{S::Tick, 3, "walk00"},
          {S::Ask, 8},
          {S::Ask, 20},
          {S::Ask, 255},
          {S::Tick, 0, "walk00"},
          {S::Ask, 4},
          {S::Tick, 3, "walk01"},
          {S::Tick, 1, "walk00"}}},
        {"a duration of 255 freezes the animation", 255, {{S::Ask, 4}, {S::Tick, 2000, "walk01"}}},
        {"a duration of 254 moves on at the 255th tick",
         254,
         {{S::Ask, 4}, {S::Tick, 254, "walk01"}, {S::Tick, 1, "walk00"}}},
    };
    CTempStory story;
    story.WriteScript("start.txt", "");
    story.WriteSpriteImages(1);
    CGameHarness harness(story);
    for (const TimingCase& c : cases) {
        SCOPED_TRACE(c.what);
        auto walker = harness.Game().GetDatabase().LoadSprite(1);
        walker->SetFrameDuration(static_cast<uint8_t>(c.frameDuration));
        int step = 0;
        for (const Step& s : c.steps) {
            SCOPED_TRACE("step " + std::to_string(step++));
            if (s.kind == Step::Ask) {
                walker->SetAnimation(static_cast<uint8_t>(s.value));
                continue;
            }
            for (int tick = 0; tick < s.value; ++tick)
                walker->Animate();
            EXPECT_EQ(walker->GetTexture()->Path(), std::string("image/") + s.shown + ".png");
        }
    }
}

// A story run: an entity of the walking character plays animation 4 in the
// role-playing mode, which animates its entities once a frame. From the
// first change on, each image shows for exactly 7 frames, in the order 1, 0,
// 2, 0. A click at frame 20 (the frame is shown, so the click reaches the
// script) asks for animation 4 again: the rhythm must not break.
TEST(SpriteStory, WalkingAnimationShowsEachImageForSevenFrames) {
    CTempStory story;
    story.WriteSpriteImages(1);
    story.WriteScript("start.txt",
                      "LoadSprite 1 x walker\n"
                      "move $a0 $v0\nmove $a1 240\nmove $a2 300\nPlaceEntity\n"
                      "move $a1 4\nPlaySeq\n"
                      "ShowDialogueFrame\nWaitForEvent EVENT_MOUSE_DOWN\nPlaySeq\nDebug again\n");
    story.WriteInput("20 press\n21 release\n");
    const RunResult run = story.RunHeadless(80);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log, "WaitForEvent\nagain\n");

    std::vector<std::string> shown;  // one per frame from frame 2
    for (uint32_t frame = 2; frame <= 80; ++frame) {
        const nlohmann::json* line = run.Frame(frame);
        ASSERT_NE(line, nullptr) << "frame " << frame;
        std::string walker;
        for (const auto& item : line->at("items"))
            if (item.at("kind") == 0 && item.at("image").is_string() &&
                item.at("image").get<std::string>().starts_with("image/walk")) {
                walker = item.at("image").get<std::string>();
                EXPECT_EQ(item.at("x"), 240 - 64);
                EXPECT_EQ(item.at("y"), 300 - 128);
            }
        shown.push_back(walker);
    }
    // Cut the frames into runs of one image each.
    std::vector<std::pair<std::string, int>> runs;
    for (const std::string& image : shown) {
        if (runs.empty() || runs.back().first != image) runs.emplace_back(image, 0);
        ++runs.back().second;
    }
    ASSERT_GE(runs.size(), 10u);
    EXPECT_EQ(runs[0].first, "image/walk01.png");
    EXPECT_LE(runs[0].second, 7);
    const char* cycle[] = {"image/walk01.png", "image/walk00.png", "image/walk02.png",
                           "image/walk00.png"};
    for (size_t i = 1; i + 1 < runs.size(); ++i) {  // the last run is cut off by the end
        SCOPED_TRACE("run " + std::to_string(i));
        EXPECT_EQ(runs[i].first, cycle[i % 4]);
        EXPECT_EQ(runs[i].second, 7);
    }
}
