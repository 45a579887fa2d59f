#include "display/Database.h"
#include "display/Displayer.h"
#include "display/Sprite.h"
#include "platform/Texture.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>

// What a wrong row of the image table would break shows in the stories that
// use it: sizes in the dump (DialogueCommandsTest, SceneCommandsTest), hit
// boxes in the clicks (EntityTest), animations in the walking and pointer
// stories; unknown numbers give the empty sprite, and a missing picture ends
// the run (scene-results.txt of SceneCommandsTest).

// Pictures are decoded once per file and shared, yet each sprite keeps its
// own animation: a scene built twice decodes nothing the second time.
TEST(Database, SpritesOfOnePictureShareItButAnimateAlone) {
    CTempStory story;
    story.WriteSpriteImages(1);
    CGameHarness harness(story);
    CDatabase& table = harness.Game().GetDatabase();
    const CDisplayer& displayer = harness.Game().GetDisplayer();
    const size_t before = displayer.DecodedTextures();
    auto first = table.LoadSprite(1);
    EXPECT_EQ(displayer.DecodedTextures(), before + 12);
    auto second = table.LoadSprite(1);
    first.reset();  // the pictures outlive the sprite that loaded them
    auto third = table.LoadSprite(1);
    EXPECT_EQ(displayer.DecodedTextures(), before + 12);
    second->SetAnimation(4);
    for (int tick = 0; tick < 7; ++tick)
        third->Animate();
    EXPECT_EQ(second->GetTexture()->Path(), "image/walk01.png");
    EXPECT_EQ(third->GetTexture()->Path(), "image/walk00.png");
    EXPECT_EQ(third->GetTexture(), table.LoadSprite(1)->GetTexture());
}
