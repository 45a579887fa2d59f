#include "display/Database.h"
#include "display/Displayer.h"
#include "display/Sprite.h"
#include "platform/Texture.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kTableNumbers[] = {0,    1,    2,    3,    4,    5,    6,   1000,
                                 1001, 2001, 2002, 2003, 2004, 3000, 3001};

std::string Shown(const CSprite& sprite) {
    const CTexture* texture = sprite.GetTexture();
    return texture ? texture->Path() : "(nothing)";
}

// A story folder with a picture for every file of the image table.
class Database : public ::testing::Test {
protected:
    Database() {
        m_story.WriteScript("start.txt", "");
        for (int number : kTableNumbers)
            m_story.WriteSpriteImages(number);
    }
    CTempStory m_story;
};

struct Row {
    int number;
    int32_t width;
    int32_t height;
    std::optional<HitBox> hitBox;
    int sequenceEntries;  // the closing marks included
    // Each animation as the files it shows, in order.
    std::vector<std::vector<std::string>> animations;
};

std::vector<std::string> Files(std::initializer_list<const char*> names) {
    std::vector<std::string> files;
    for (const char* name : names)
        files.push_back(std::string("image/") + name + ".png");
    return files;
}

}  // namespace

// Every row: the quad, the hit box, how many sequence entries the animations
// use, and what each animation shows tick by tick (an image changes on its
// 7th tick and every animation loops). Images in the wrong order, a wrong
// file name or a lost closing mark all show up as a wrong picture here.
TEST_F(Database, EveryRowOfTheImageTableBuildsItsSprite) {
    const HitBox standing{0, 64, 128, 256};
    const Row rows[] = {
        {0, 2048, 1024, {}, 2, {Files({"genkan"})}},
        {1,
         128,
         256,
         standing,
         28,
         {Files({"walk00"}), Files({"walkb00"}), Files({"walkc00"}), Files({"walkd00"}),
          Files({"walk01", "walk00", "walk02", "walk00"}),
          Files({"walkb01", "walkb00", "walkb02", "walkb00"}),
          Files({"walkc01", "walkc00", "walkc02", "walkc00"}),
          Files({"walkd01", "walkd00", "walkd02", "walkd00"})}},
        {2, 128, 256, standing, 2, {Files({"oneechanS"})}},
        {3, 512, 512, {}, 2, {Files({"imouto"})}},
        {4, 2048, 1024, {}, 2, {Files({"rouka"})}},
        {5, 2048, 1024, {}, 2, {Files({"heya0"})}},
        {6, 512, 512, {}, 2, {Files({"oneechan"})}},
        {1000, 64, 64, {}, 6, {Files({"m0"}), Files({"m1", "m2", "m3"})}},
        {1001, 1280, 200, {}, 2, {Files({"dia"})}},
        {2001, 2048, 1024, {}, 2, {Files({"magic"})}},
        {2002, 1280, 720, {}, 2, {Files({"end"})}},
        {2003, 2048, 1024, {}, 2, {Files({"pc01"})}},
        {2004, 2048, 1024, {}, 2, {Files({"pc02"})}},
        {3000, 512, 1024, {}, 2, {Files({"tachie-imouto"})}},
        {3001, 512, 1024, {}, 2, {Files({"tachie-oneechan"})}},
    };
    CGameHarness harness(m_story);
    CDatabase& database = harness.Game().GetDatabase();
    for (const Row& row : rows) {
        SCOPED_TRACE("sprite " + std::to_string(row.number));
        const auto sprite = database.LoadSprite(row.number);
        EXPECT_EQ(sprite->Width(), row.width);
        EXPECT_EQ(sprite->Height(), row.height);
        ASSERT_NE(sprite->GetVertexBuffer(), nullptr);
        EXPECT_EQ(sprite->GetVertexBuffer()->width, static_cast<float>(row.width));
        EXPECT_EQ(sprite->GetVertexBuffer()->height, static_cast<float>(row.height));
        EXPECT_EQ(sprite->GetHitBox().has_value(), row.hitBox.has_value());
        if (row.hitBox && sprite->GetHitBox()) {
            EXPECT_EQ(sprite->GetHitBox()->left, row.hitBox->left);
            EXPECT_EQ(sprite->GetHitBox()->top, row.hitBox->top);
            EXPECT_EQ(sprite->GetHitBox()->right, row.hitBox->right);
            EXPECT_EQ(sprite->GetHitBox()->bottom, row.hitBox->bottom);
        }
        std::set<std::string> files;
        for (const auto& sequence : row.animations)
            files.insert(sequence.begin(), sequence.end());
        EXPECT_EQ(sprite->ImageCount(), files.size()) << "every image of the table is used";
        EXPECT_EQ(sprite->AnimationCount(), row.animations.size());
        EXPECT_EQ(sprite->FrameEntries(), row.sequenceEntries);
        EXPECT_EQ(sprite->GetAnimation(), 0);
        EXPECT_EQ(Shown(*sprite), row.animations[0][0]) << "a new sprite shows animation 0";

        for (size_t a = 0; a < row.animations.size(); ++a) {
            SCOPED_TRACE("animation " + std::to_string(a));
            const auto fresh = database.LoadSprite(row.number);
            fresh->SetAnimation(static_cast<uint8_t>(a));
            const std::vector<std::string>& sequence = row.animations[a];
            std::vector<std::string> seen{Shown(*fresh)};
            std::vector<std::string> wanted{sequence[0]};
            // After 6 ticks an image still shows; the 7th moves on.
            for (size_t step = 1; step <= sequence.size(); ++step) {
                for (int tick = 0; tick < 6; ++tick)
                    fresh->Animate();
                seen.push_back(Shown(*fresh));
                wanted.push_back(sequence[step - 1]);
                fresh->Animate();
                seen.push_back(Shown(*fresh));
                wanted.push_back(sequence[step % sequence.size()]);
            }
            EXPECT_EQ(seen, wanted);
        }
    }
}

// Numbers between the rows and negative ones give the empty sprite, which
// nothing can make fail: it has no picture, no quad and no animation.
TEST_F(Database, UnknownNumbersGiveTheEmptySpriteWithOneLogLineEach) {
    CGameHarness harness(m_story);
    const int unknown[] = {7, 999, 1002, 2000, 2005, 2999, 3002, -1, INT_MIN, INT_MAX};
    std::string expectedLog;
    for (int number : unknown) {
        SCOPED_TRACE(number);
        expectedLog += "CDatabase::LoadSprite No " + std::to_string(number) + "\n";
        const auto sprite = harness.Game().GetDatabase().LoadSprite(number);
        ASSERT_NE(sprite, nullptr);
        EXPECT_EQ(sprite->ImageCount(), 0);
        EXPECT_EQ(sprite->AnimationCount(), 0);
        EXPECT_EQ(sprite->GetVertexBuffer(), nullptr);
        sprite->SetAnimation(1);
        for (int tick = 0; tick < 300; ++tick)
            sprite->Animate();
        EXPECT_EQ(sprite->GetAnimation(), 0);
        EXPECT_EQ(sprite->GetTexture(), nullptr);
        const RenderItem item = sprite->MakeItem(3, 4);
        EXPECT_EQ(item.quad, nullptr);
        EXPECT_EQ(item.texture, nullptr);
    }
    EXPECT_EQ(harness.Log(), expectedLog);
}

// Pictures are decoded once per file and shared, yet each sprite keeps its
// own animation: a scene built twice decodes nothing the second time.
TEST_F(Database, SpritesOfOnePictureShareItButAnimateAlone) {
    CGameHarness harness(m_story);
    CDatabase& database = harness.Game().GetDatabase();
    const size_t before = harness.Game().GetDisplayer().DecodedTextures();
    auto first = database.LoadSprite(1);
    const size_t afterFirst = harness.Game().GetDisplayer().DecodedTextures();
    EXPECT_EQ(afterFirst, before + 12);
    auto second = database.LoadSprite(1);
    first.reset();  // the pictures outlive the sprite that loaded them
    auto third = database.LoadSprite(1);
    EXPECT_EQ(harness.Game().GetDisplayer().DecodedTextures(), afterFirst);

    second->SetAnimation(4);
    EXPECT_EQ(Shown(*second), "image/walk01.png");
    EXPECT_EQ(Shown(*third), "image/walk00.png");
    for (int tick = 0; tick < 7; ++tick)
        third->Animate();
    EXPECT_EQ(Shown(*second), "image/walk01.png");
    EXPECT_EQ(third->GetTexture(), database.LoadSprite(1)->GetTexture());
}

// A missing picture is reported once for the load that needed it and the
// program is asked to end; the sprite is still whole, that image blank.
TEST(DatabaseMissingPicture, LeavesTheSpriteWithoutThatImage) {
    CTempStory story;
    story.WriteScript("start.txt", "");
    CGameHarness harness(story);
    const auto sprite = harness.Game().GetDatabase().LoadSprite(2);
    EXPECT_TRUE(harness.Game().QuitRequested());
    EXPECT_EQ(harness.Game().ExitStatus(), 1);
    EXPECT_EQ(harness.Log(), "CDisplayer::LoadTexture() Load Texture failed\n\n");
    EXPECT_EQ(sprite->Width(), 128);
    EXPECT_EQ(sprite->ImageCount(), 1);
    EXPECT_EQ(sprite->GetTexture(), nullptr);
    EXPECT_TRUE(sprite->GetHitBox().has_value());
}
