#include "world/ModeGalNormal.h"

#include "app/HandleRegistry.h"
#include "controllers/Controller.h"
#include "display/Database.h"
#include "display/Sprite.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"
#include "world/EntityIterator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The innermost link of a chain, counting what the mode submits.
class CCaptureController : public CController {
public:
    using CController::CController;
    void Submit(std::unique_ptr<RenderItem>) override { ++items; }
    int items = 0;
};

}  // namespace

// Story runs (SpriteCommandsTest) cover order, lookup and deletion; what a
// story cannot reach is checked here: a sprite that is not in the list is
// left alone without a log line, and Clean destroys every sprite without
// one. The mode has no entities at all.
TEST(ModeGalNormal, OnlyDeleteSpriteDestroysWithALogLine) {
    CTempStory story;
    story.WriteScript("start.txt", "");
    story.WriteSpriteImages(0);
    CGameHarness harness(story);
    CGame& game = harness.Game();
    CModeGalNormal mode(game);
    CCaptureController capture(game);
    mode.SetController(&capture);
    std::vector<uint32_t> handles;
    for (const char* name : {"a", "b", "c"}) {
        auto sprite = game.GetDatabase().LoadSprite(0);
        sprite->SetName(name);
        handles.push_back(sprite->Handle());
        mode.AddSprite(std::move(sprite));
    }
    auto stranger = game.GetDatabase().LoadSprite(0);
    mode.DeleteSprite(stranger.get());
    mode.DeleteSprite(nullptr);
    EXPECT_EQ(mode.SpriteCount(), 3u);
    EXPECT_EQ(harness.Log(), "");
    EXPECT_EQ(game.Handles().Find<CSprite>(stranger->Handle()), stranger.get());

    mode.DeleteSprite(mode.GetSprite("b"));
    EXPECT_EQ(harness.Log(), "Sprite Deleted\n");
    EXPECT_EQ(game.Handles().Find<CSprite>(handles[1]), nullptr);
    mode.Clean();
    mode.Draw();
    EXPECT_EQ(capture.items, 0);
    for (uint32_t handle : handles)
        EXPECT_EQ(game.Handles().Find<CSprite>(handle), nullptr);
    EXPECT_EQ(harness.Log(), "Sprite Deleted\n") << "Clean writes no line";
    EXPECT_EQ(mode.CreateEntityIterator(), nullptr);
    EXPECT_EQ(mode.FindEntityByName("a"), nullptr);
}
