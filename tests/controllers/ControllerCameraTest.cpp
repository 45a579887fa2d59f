#include "controllers/ControllerCamera.h"

#include "support/SceneStory.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>

// The camera holds the hero in the middle of the layout area, clamped to the
// scene at all four edges. It reads back from the hero's own item: the item
// lies at the hero's position less its centre (64, 128) less the offset.
// (That the frame and the pointer do not scroll, ControllerDialogueTest and
// ControllerRPGNormalTest show.)
TEST(ControllerCamera, FollowsTheHeroInsideTheScene) {
    struct Case {
        const char* what;
        int width, height, heroX, heroY;
        double offsetX, offsetY;
    };
    const Case cases[] = {
        {"middle", 2048, 1024, 1024, 512, 384, 152},
        {"top-left corner", 2048, 1024, 100, 100, 0, 0},
        {"bottom-right corner", 2048, 1024, 2000, 1000, 768, 304},
        {"left and bottom edges", 2048, 1024, 10, 1020, 0, 304},
        {"right and top edges", 2048, 1024, 2040, 5, 768, 0},
        {"exactly at 640, 360", 2048, 1024, 640, 360, 0, 0},
        {"one past", 2048, 1024, 641, 361, 1, 1},
        {"narrow scene, hero right of its middle", 1000, 1024, 500, 512, -280, 152},
        {"low scene, hero low", 2048, 600, 1024, 400, 384, -120},
    };
    CTempStory story;
    story.WriteSpriteImages(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        story.WriteScript("start.txt", "SetSceneScale " + std::to_string(c.width) + " " +
                                           std::to_string(c.height) + "\n" +
                                           CSceneStory::EntityAt(1, "hero", c.heroX, c.heroY) +
                                           "SetHero hero\n");
        const ScenePoint seen = CSceneStory::CentreIn(story.RunHeadless(2), 2);
        EXPECT_EQ(c.heroX - seen.x, c.offsetX);
        EXPECT_EQ(c.heroY - seen.y, c.offsetY);
    }
    // The offset follows the walking hero in the frame of each step.
    const RunResult run =
        story.Play(CSceneStory::HeroAt(700, 400) + "MoveEntityTo hero 800 400 10\n", 8);
    for (uint32_t frame = 2; frame <= 8; ++frame)
        EXPECT_EQ(CSceneStory::CentreIn(run, frame).x, 640) << "frame " << frame;
}
