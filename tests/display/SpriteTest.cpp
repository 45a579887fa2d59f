#include "display/Sprite.h"

#include "display/Database.h"
#include "platform/Texture.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

// The walking character (number 1): animation 4 shows walk01, walk00,
// walk02, walk00; animation 5 the same of the "walkb" group. The tick is a
// byte that moves the image on when it exceeds the frame duration, so the
// walk's duration of 6 shows each image for 7 frames. (That the scene
// animates its entities once a frame: the lamp of StoryTest.) Each case
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
