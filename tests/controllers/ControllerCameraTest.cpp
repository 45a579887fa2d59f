#include "controllers/ControllerCamera.h"

#include "support/SceneStory.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CameraStory : public ::testing::Test {
protected:
    CameraStory() {
        m_story.WriteSpriteImages(1);
        m_story.WriteSpriteImages(2);
    }
    CTempStory m_story;
};

}  // namespace

// The camera holds the hero in the middle of the layout area, clamped to the
// scene at all four edges. It reads back from the hero's own item: the item
// lies at the hero's position less its centre (64, 128) less the offset.
TEST_F(CameraStory, FollowsTheHeroInsideTheScene) {
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
        {"narrow scene, hero left of it", 1000, 1024, 300, 512, 0, 152},
        {"low scene, hero low", 2048, 600, 1024, 400, 384, -120},
        {"low scene, hero high", 2048, 600, 1024, 200, 384, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_story.WriteScript("start.txt", "SetSceneScale " + std::to_string(c.width) + " " +
                                             std::to_string(c.height) + "\n" +
                                             CSceneStory::EntityAt(1, "hero", c.heroX, c.heroY) +
                                             "SetHero hero\n");
        const nlohmann::json hero = CSceneStory::Item(m_story.RunHeadless(2), 2, "image/walk");
        EXPECT_EQ(c.heroX - 64 - hero["x"].get<double>(), c.offsetX);
        EXPECT_EQ(c.heroY - 128 - hero["y"].get<double>(), c.offsetY);
    }
}

// Every item of the scene is shifted by the same offset; the dialogue frame
// and the pointer are not.
TEST_F(CameraStory, ShiftsSceneItemsButNotTheFrameOrThePointer) {
    m_story.WriteScript("start.txt", CSceneStory::HeroAt(1024, 512) +
                                         CSceneStory::EntityAt(2, "npc", 1100 + 64, 600 + 128) +
                                         "ShowDialogueFrame\n");
    const RunResult run = m_story.RunHeadless(2);
    const nlohmann::json npc = CSceneStory::Item(run, 2, "image/oneechanS.png");
    EXPECT_EQ(npc["x"], 716);
    EXPECT_EQ(npc["y"], 448);
    const nlohmann::json frame = CSceneStory::Item(run, 2, "image/dia.png");
    EXPECT_EQ(frame["x"], 0);
    EXPECT_EQ(frame["y"], 520);
    const nlohmann::json pointer = CSceneStory::Item(run, 2, "image/m0.png");
    EXPECT_EQ(pointer["x"], -5);
    EXPECT_EQ(pointer["y"], -5);
}

// The offset follows the walking hero frame by frame, and without a hero it
// stays where it was.
TEST_F(CameraStory, FollowsAWalkingHeroAndStaysWithoutOne) {
    m_story.WriteScript("start.txt",
                        CSceneStory::HeroAt(700, 400) + "MoveEntityTo hero 800 400 10\n");
    const RunResult run = m_story.RunHeadless(8);
    for (uint32_t frame = 2; frame <= 8; ++frame) {
        SCOPED_TRACE(frame);
        // The hero stays in the middle of the layout area as it walks.
        EXPECT_EQ(CSceneStory::Item(run, frame, "image/walk")["x"], 640 - 64);
    }
    m_story.WriteScript("start.txt",
                        "SetSceneScale 2048 1024\n" + CSceneStory::EntityAt(2, "npc", 1500, 900));
    EXPECT_EQ(CSceneStory::Item(m_story.RunHeadless(2), 2, "image/oneechanS.png")["x"], 1500 - 64);
}
