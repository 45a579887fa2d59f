#include "display/Database.h"
#include "display/Displayer.h"
#include "display/Sprite.h"
#include "platform/Texture.h"
#include "support/GameHarness.h"
#include "support/SceneStory.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>

namespace {

// The picture a sprite shows, as its file name without folder and extension.
std::string Shown(const CSprite& sprite) {
    const CTexture* texture = sprite.GetTexture();
    return texture ? texture->Path().substr(6, texture->Path().size() - 10) : "(nothing)";
}

struct Shape {
    int number;
    int32_t width, height;
    bool hitBox;  // (0, 64)-(128, 256) when there is one
    int animations, sequenceEntries;
};

// One sprite of each shape the image table holds.
constexpr Shape kShapes[] = {
    {0, 2048, 1024, false, 1, 2},   {1, 128, 256, true, 8, 28},     {2, 128, 256, true, 1, 2},
    {3, 512, 512, false, 1, 2},     {1000, 64, 64, false, 2, 6},    {1001, 1280, 200, false, 1, 2},
    {2002, 1280, 720, false, 1, 2}, {3000, 512, 1024, false, 1, 2},
};

const CTempStory& WithShapes(const CTempStory& story) {
    for (const Shape& shape : kShapes)
        story.WriteSpriteImages(shape.number);
    return story;
}

class Database : public ::testing::Test {
protected:
    CDatabase& Table() { return m_harness.Game().GetDatabase(); }
    CTempStory m_story;
    CGameHarness m_harness{WithShapes(m_story)};
};

}  // namespace

// A wrong size, hit box or animation list in a row shows here. The order and
// rhythm of the images show in the walking and pointer stories (SpriteTest,
// ControllerRPGNormalTest, EntityTest), and every file name of the table in
// the demo's playthrough check (tools/check-demo.sh), which loads them all.
TEST_F(Database, EachShapeBuildsItsQuadHitBoxAndAnimations) {
    for (const Shape& s : kShapes) {
        SCOPED_TRACE("sprite " + std::to_string(s.number));
        const auto sprite = Table().LoadSprite(s.number);
        const Quad* quad = sprite->GetVertexBuffer();
        ASSERT_NE(quad, nullptr);
        EXPECT_EQ(std::make_tuple(sprite->Width(), sprite->Height(), quad->width, quad->height,
                                  sprite->AnimationCount(), sprite->FrameEntries()),
                  std::make_tuple(s.width, s.height, static_cast<float>(s.width),
                                  static_cast<float>(s.height), s.animations, s.sequenceEntries));
        ASSERT_EQ(sprite->GetHitBox().has_value(), s.hitBox);
        if (s.hitBox) {
            const HitBox& box = *sprite->GetHitBox();
            EXPECT_EQ(std::make_tuple(box.left, box.top, box.right, box.bottom),
                      std::make_tuple(0, 64, 128, 256));
        }
    }
}

// Numbers between the rows and negative ones give the empty sprite, which
// nothing can make fail: it has no picture, no quad and no animation.
TEST_F(Database, UnknownNumbersGiveTheEmptySpriteWithOneLogLineEach) {
    std::string expectedLog;
    for (int number : {7, 999, 1002, 2000, 2005, 2999, 3002, -1, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(number);
        expectedLog += "CDatabase::LoadSprite No " + std::to_string(number) + "\n";
        const auto sprite = Table().LoadSprite(number);
        EXPECT_EQ(sprite->AnimationCount(), 0);
        sprite->SetAnimation(1);
        for (int tick = 0; tick < 300; ++tick)
            sprite->Animate();
        EXPECT_EQ(sprite->MakeItem(3, 4).quad, nullptr);
        EXPECT_EQ(sprite->MakeItem(3, 4).texture, nullptr);
    }
    EXPECT_EQ(m_harness.Log(), expectedLog);
}

// Pictures are decoded once per file and shared, yet each sprite keeps its
// own animation: a scene built twice decodes nothing the second time.
TEST_F(Database, SpritesOfOnePictureShareItButAnimateAlone) {
    const CDisplayer& displayer = m_harness.Game().GetDisplayer();
    const size_t before = displayer.DecodedTextures();
    auto first = Table().LoadSprite(1);
    EXPECT_EQ(displayer.DecodedTextures(), before + 12);
    auto second = Table().LoadSprite(1);
    first.reset();  // the pictures outlive the sprite that loaded them
    auto third = Table().LoadSprite(1);
    EXPECT_EQ(displayer.DecodedTextures(), before + 12);
    second->SetAnimation(4);
    for (int tick = 0; tick < 7; ++tick)
        third->Animate();
    EXPECT_EQ(Shown(*second), "walk01");
    EXPECT_EQ(Shown(*third), "walk00");
    EXPECT_EQ(third->GetTexture(), Table().LoadSprite(1)->GetTexture());
}

// A missing picture is reported once, for the load that needed it, and ends
// the run as a failure. (What else stands in a picture's place is reported
// the same way: FileReadTest.)
TEST(DatabaseMissingPicture, EndsTheRunAsAFailure) {
    CTempStory story;
    const RunResult run = story.Play(CSceneStory::EntityAt(2, "npc", 300, 300), 5);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.log, "CDisplayer::LoadTexture() Load Texture failed\n\n");
}
