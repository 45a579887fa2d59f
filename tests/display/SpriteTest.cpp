#include "display/Sprite.h"

#include "display/Database.h"
#include "platform/Texture.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The walking character (number 1): animation 4 shows walk01, walk00,
// walk02, walk00; animation 5 the same of the "walkb" group.
class Sprite : public ::testing::Test {
protected:
    Sprite() {
        m_story.WriteScript("start.txt", "");
        m_story.WriteSpriteImages(0);
        m_story.WriteSpriteImages(1);
    }
    std::unique_ptr<CSprite> Load(int number) {
        if (!m_harness) m_harness = std::make_unique<CGameHarness>(m_story);
        return m_harness->Game().GetDatabase().LoadSprite(number);
    }
    static std::string Shown(const CSprite& sprite) {
        return sprite.GetTexture() ? sprite.GetTexture()->Path() : "(nothing)";
    }
    static void Tick(CSprite& sprite, int ticks) {
        for (int i = 0; i < ticks; ++i)
            sprite.Animate();
    }

    CTempStory m_story;
    std::unique_ptr<CGameHarness> m_harness;
};

}  // namespace

// Asking again for the running animation must neither restart it nor reset
// its tick: the hero controller asks every frame while the pointer rests.
TEST_F(Sprite, AskingForTheRunningAnimationChangesNothing) {
    auto walker = Load(1);
    walker->SetAnimation(4);
    Tick(*walker, 10);  // second image, 3 ticks in
    ASSERT_EQ(Shown(*walker), "image/walk00.png");
    walker->SetAnimation(4);
    EXPECT_EQ(Shown(*walker), "image/walk00.png");
    Tick(*walker, 3);
    EXPECT_EQ(Shown(*walker), "image/walk00.png");
    Tick(*walker, 1);
    EXPECT_EQ(Shown(*walker), "image/walk02.png") << "the 7th tick of the image moves on";
}

// A switch starts the new sequence but keeps the tick, so its first image
// may last fewer ticks than the rest.
TEST_F(Sprite, SwitchingKeepsTheTick) {
    auto walker = Load(1);
    walker->SetAnimation(4);
    Tick(*walker, 5);
    walker->SetAnimation(5);
    EXPECT_EQ(Shown(*walker), "image/walkb01.png");
    Tick(*walker, 1);
    EXPECT_EQ(Shown(*walker), "image/walkb01.png");
    Tick(*walker, 1);
    EXPECT_EQ(Shown(*walker), "image/walkb00.png");
    Tick(*walker, 6);
    EXPECT_EQ(Shown(*walker), "image/walkb00.png");
    Tick(*walker, 1);
    EXPECT_EQ(Shown(*walker), "image/walkb02.png");
}

TEST_F(Sprite, UndefinedAnimationsChangeNothing) {
    struct Case {
        int number;
        int animation;
    };
    const Case cases[] = {{1, 8}, {1, 19}, {1, 20}, {1, 255}, {0, 1}, {0, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE("sprite " + std::to_string(c.number) + ", animation " +
                     std::to_string(c.animation));
        auto sprite = Load(c.number);
        Tick(*sprite, 3);
        const std::string before = Shown(*sprite);
        sprite->SetAnimation(static_cast<uint8_t>(c.animation));
        EXPECT_EQ(sprite->GetAnimation(), 0);
        EXPECT_EQ(Shown(*sprite), before);
        Tick(*sprite, 4);  // the tick went on counting where it was
        EXPECT_EQ(Shown(*sprite), before);
    }
}

// The tick is a byte: with a duration of 255 it never exceeds it and the
// animation stands still; at 254 it still moves, on the 255th tick.
TEST_F(Sprite, FrameDurationOf255FreezesTheAnimation) {
    auto frozen = Load(1);
    frozen->SetFrameDuration(255);
    frozen->SetAnimation(4);
    for (int tick = 0; tick < 2000; ++tick) {
        frozen->Animate();
        ASSERT_EQ(Shown(*frozen), "image/walk01.png") << "tick " << tick;
    }
    auto slow = Load(1);
    slow->SetFrameDuration(254);
    slow->SetAnimation(4);
    Tick(*slow, 254);
    EXPECT_EQ(Shown(*slow), "image/walk01.png");
    Tick(*slow, 1);
    EXPECT_EQ(Shown(*slow), "image/walk00.png");
}

// Names keep at most 31 bytes and are never cut inside a two-byte character.
TEST_F(Sprite, NamesAreCutAt31BytesOnACharacter) {
    struct Case {
        const char* what;
        std::string name;
        std::string kept;
    };
    const std::string ascii31(31, 'n');
    const std::string ascii30(30, 'n');
    const Case cases[] = {
        {"31 bytes fit", ascii31, ascii31},
        {"32 bytes lose the last", ascii31 + "x", ascii31},
        {"a character across the limit goes whole", ascii30 + "\xC4\xE3", ascii30},
        {"a character that ends at 31 stays", std::string(29, 'n') + "\xC4\xE3" + "x",
         std::string(29, 'n') + "\xC4\xE3"},
        {"empty", "", ""},
    };
    auto sprite = Load(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sprite->SetName(c.name);
        EXPECT_EQ(sprite->Name(), c.kept);
        EXPECT_EQ(CSprite::CutName(c.name), c.kept);
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
