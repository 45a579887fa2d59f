#include "world/Mode.h"

#include "support/GameHarness.h"
#include "support/TempStory.h"
#include "world/Entity.h"
#include "world/EntityIterator.h"
#include "world/ModeRPGNormal.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Walk(CEntityIterator& it) {
    std::string names;
    for (; !it.IsDone(); it.Next())
        names += std::string(it.CurrentItem()->GetName()) + " ";
    return names;
}

}  // namespace

// A new iterator stands on the first entity in drawing order (largest depth
// first); past the end it stays done and answers null; First starts over.
TEST(EntityIterator, WalksTheSceneInDrawingOrder) {
    CTempStory story;
    story.WriteScript("start.txt", "");
    CGameHarness harness(story);
    CModeRPGNormal scene(harness.Game());
    auto empty = scene.CreateEntityIterator();
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->IsDone());
    EXPECT_EQ(empty->CurrentItem(), nullptr);

    for (const char* name : {"low", "high", "middle"}) {
        auto entity = std::make_unique<CEntity>(harness.Game());
        entity->SetName(name);
        entity->SetDepth(name == std::string("high") ? 9 : name == std::string("middle") ? 5 : 0);
        scene.AddEntity(std::move(entity));
    }
    auto it = scene.CreateEntityIterator();
    ASSERT_FALSE(it->IsDone());
    EXPECT_EQ(it->CurrentItem()->GetName(), "high");
    EXPECT_EQ(Walk(*it), "high middle low ");
    it->Next();
    EXPECT_TRUE(it->IsDone());
    EXPECT_EQ(it->CurrentItem(), nullptr);
    it->First();
    EXPECT_EQ(Walk(*it), "high middle low ");
}

// The picture-novel mode has no entities: commands that look entities up
// find none there, and "CleanScene" clears only its sprites. Back in the
// role-playing mode the same entities stand at the same places.
TEST(Modes, SwitchingAwayAndBackKeepsTheScene) {
    CTempStory story;
    for (int number : {1, 2, 2002})
        story.WriteSpriteImages(number);
    story.WriteScript(
        "start.txt",
        "LoadSprite 1 x walker\nmove $a0 $v0\nmove $a1 300\nmove $a2 400\nPlaceEntity\n"
        "LoadSprite 2 x sister\nmove $a0 $v0\nmove $a1 600\nPlaceEntity\n"
        "move $a0 8\nChangeMode\n"
        "move $a0 2002\nAddSprite x bg\nSetEntityDepth sister 5\nCleanScene\n"
        "move $a0 0\nChangeMode\nDebug back\n");
    const RunResult run = story.RunHeadless(6);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log, "back\n");
    ASSERT_TRUE(run.Frame(2) && run.Frame(4) && run.Frame(6));
    EXPECT_EQ(run.Frame(4)->at("items").size(), 0u) << "the picture scene was cleaned";
    const nlohmann::json& before = run.Frame(2)->at("items");
    const nlohmann::json& after = run.Frame(6)->at("items");
    ASSERT_EQ(before.size(), 3u);  // walker, sister, pointer
    EXPECT_EQ(after, before);
    EXPECT_EQ(before[0].at("image"), "image/walk00.png");
    EXPECT_EQ(before[0].at("x"), 300 - 64);
    EXPECT_EQ(before[1].at("image"), "image/oneechanS.png");
    EXPECT_EQ(before[1].at("x"), 600 - 64);
}
