#include "display/Database.h"
#include "display/Displayer.h"
#include "display/Sprite.h"
#include "platform/Texture.h"
#include "support/GameHarness.h"
#include "support/SceneStory.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

// The picture a sprite shows, as its file name without folder and extension.
std::string Shown(const CSprite& sprite) {
    const CTexture* texture = sprite.GetTexture();
    if (!texture) return "(nothing)";
    const std::string& path = texture->Path();
    return path.substr(6, path.size() - 10);
}

// A story folder with a picture for every file of the image table.
class Database : public ::testing::Test {
protected:
    static const CTempStory& Written(const CTempStory& story) {
        story.WriteScript("start.txt", "");
        for (int number : {0, 1, 2, 3, 4, 5, 6, 1000, 1001, 2001, 2002, 2003, 2004, 3000, 3001})
            story.WriteSpriteImages(number);
        return story;
    }
    CDatabase& Table() { return m_harness.Game().GetDatabase(); }
    CTempStory m_story;
    CGameHarness m_harness{Written(m_story)};
};

}  // namespace

// Every row: the quad, the hit box, how many sequence entries the animations
// use (the closing marks included), and what each animation shows, one
// image every 7 ticks and looping. Images in the wrong order, a wrong file
// name or a lost closing mark all show up as a wrong picture here.
TEST_F(Database, EveryRowOfTheImageTableBuildsItsSprite) {
    struct Row {
        int number;
        int32_t width, height;
        bool hitBox;  // (0, 64)-(128, 256) when there is one
        int sequenceEntries;
        const char* animations;  // the images of each, in order; "|" between animations
    };
    const Row rows[] = {
        {0, 2048, 1024, false, 2, "genkan"},
        {1, 128, 256, true, 28,
         "walk00|walkb00|walkc00|walkd00|walk01 walk00 walk02 walk00|"
         "walkb01 walkb00 walkb02 walkb00|walkc01 walkc00 walkc02 walkc00|"
         "walkd01 walkd00 walkd02 walkd00"},
        {2, 128, 256, true, 2, "oneechanS"},
        {3, 512, 512, false, 2, "imouto"},
        {4, 2048, 1024, false, 2, "rouka"},
        {5, 2048, 1024, false, 2, "heya0"},
        {6, 512, 512, false, 2, "oneechan"},
        {1000, 64, 64, false, 6, "m0|m1 m2 m3"},
        {1001, 1280, 200, false, 2, "dia"},
        {2001, 2048, 1024, false, 2, "magic"},
        {2002, 1280, 720, false, 2, "end"},
        {2003, 2048, 1024, false, 2, "pc01"},
        {2004, 2048, 1024, false, 2, "pc02"},
        {3000, 512, 1024, false, 2, "tachie-imouto"},
        {3001, 512, 1024, false, 2, "tachie-oneechan"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("sprite " + std::to_string(row.number));
        const auto sprite = Table().LoadSprite(row.number);
        const Quad* quad = sprite->GetVertexBuffer();
        ASSERT_NE(quad, nullptr);
        EXPECT_EQ(std::make_tuple(sprite->Width(), sprite->Height(), quad->width, quad->height),
                  std::make_tuple(row.width, row.height, static_cast<float>(row.width),
                                  static_cast<float>(row.height)));
        ASSERT_EQ(sprite->GetHitBox().has_value(), row.hitBox);
        if (row.hitBox) {
            const HitBox& box = *sprite->GetHitBox();
            EXPECT_EQ(std::make_tuple(box.left, box.top, box.right, box.bottom),
                      std::make_tuple(0, 64, 128, 256));
        }
        std::vector<std::string> animations;
        std::istringstream all(row.animations);
        for (std::string animation; std::getline(all, animation, '|');)
            animations.push_back(animation);
        std::set<std::string> files;
        for (size_t a = 0; a < animations.size(); ++a) {
            const auto fresh = Table().LoadSprite(row.number);
            fresh->SetAnimation(static_cast<uint8_t>(a));
            std::istringstream wanted(animations[a]);
            std::string seen = Shown(*fresh), first = seen;
            for (std::string image; wanted >> image;) {
                files.insert(image);
                for (int tick = 0; tick < 7; ++tick)
                    fresh->Animate();
                seen += ' ';
                seen += Shown(*fresh);
            }
            EXPECT_EQ(seen, animations[a] + " " + first) << "animation " << a;
        }
        EXPECT_EQ(sprite->ImageCount(), files.size()) << "every image of the table is used";
        EXPECT_EQ(sprite->AnimationCount(), animations.size());
        EXPECT_EQ(sprite->FrameEntries(), row.sequenceEntries);
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
// the run as a failure; the sprite without it draws nothing meanwhile.
TEST(DatabaseMissingPicture, EndsTheRunAsAFailure) {
    CTempStory story;
    story.WriteScript("start.txt", CSceneStory::EntityAt(2, "npc", 300, 300));
    const RunResult run = story.RunHeadless(5);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.log, "CDisplayer::LoadTexture() Load Texture failed\n\n");
}
