#include "display/Sprite.h"

#include "display/Database.h"
#include "platform/Texture.h"
#include "support/GameHarness.h"
#include "support/SceneStory.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

// The walking character (number 1): animation 4 shows walk01, walk00,
// walk02, walk00; animation 5 the same of the "walkb" group. The tick is a
// byte that moves the image on when it exceeds the frame duration. Each case
// is a line of steps: a bare number asks for that animation; "+N image"
// ticks N times and then expects that image on show.
TEST(Sprite, AnimationTiming) {
    struct TimingCase {
        const char* what;
        int frameDuration;
        const char* steps;
    };
    const TimingCase cases[] = {
        {"asking for the running animation neither restarts it nor resets the tick", 6,
         "4 +10 walk00 4 +3 walk00 +1 walk02"},
        {"a switch keeps the tick, so its first image may be short", 6,
         "4 +5 walk01 5 +1 walkb01 +1 walkb00 +6 walkb00 +1 walkb02"},
        {"animations that do not exist change nothing, the tick included", 6,
         "+3 walk00 8 20 255 +0 walk00 4 +3 walk01 +1 walk00"},
        {"a duration of 255 freezes the animation", 255, "4 +2000 walk01"},
        {"a duration of 254 moves on at the 255th tick", 254, "4 +254 walk01 +1 walk00"},
    };
    CTempStory story;
    story.WriteScript("start.txt", "");
    story.WriteSpriteImages(1);
    CGameHarness harness(story);
    for (const TimingCase& c : cases) {
        SCOPED_TRACE(c.what);
        auto walker = harness.Game().GetDatabase().LoadSprite(1);
        walker->SetFrameDuration(static_cast<uint8_t>(c.frameDuration));
        std::istringstream steps(c.steps);
        for (std::string step, image; steps >> step;) {
            if (step[0] != '+') {
                walker->SetAnimation(static_cast<uint8_t>(std::stoi(step)));
                continue;
            }
            for (int tick = std::stoi(step.substr(1)); tick > 0; --tick)
                walker->Animate();
            steps >> image;
            EXPECT_EQ(walker->GetTexture()->Path(), "image/" + image + ".png") << "after " << step;
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
    story.WriteInput("20 press\n21 release\n");
    const RunResult run = story.Play(CSceneStory::EntityAt(1, "walker", 240, 300) +
                                         "move $a1 4\nPlaySeq\nShowDialogueFrame\n"
                                         "WaitForEvent EVENT_MOUSE_DOWN\nPlaySeq\nDebug again\n",
                                     80);
    EXPECT_EQ(run.log, "WaitForEvent\nagain\n");
    const auto shown = [&](uint32_t frame) {
        return CSceneStory::Item(run, frame, "image/walk")["image"].get<std::string>();
    };
    const char* cycle[] = {"image/walk01.png", "image/walk00.png", "image/walk02.png",
                           "image/walk00.png"};
    uint32_t first = 2;  // the first change: the tick ran on before the animation began
    while (first < 10 && shown(first) == cycle[0])
        ++first;
    ASSERT_LE(first, 9u);
    for (uint32_t frame = 2; frame <= 80; ++frame)
        EXPECT_EQ(shown(frame), cycle[frame < first ? 0 : ((frame - first) / 7 + 1) % 4])
            << "frame " << frame;
}
