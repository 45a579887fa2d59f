#include "controllers/Controller.h"

#include "controllers/ControllerCamera.h"
#include "controllers/ControllerDialogue.h"
#include "controllers/ControllerRPGNormal.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"
#include "world/ModeGalNormal.h"
#include "world/ModeRPGNormal.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ChainFrom(CController* head) {
    std::string names;
    for (CController* link = head; link; link = link->Child())
        names += link->Name() + " ";
    return names;
}

}  // namespace

// The game's chains after any run of switches, including switches to the
// mode already current: always the same links in the same order, attached to
// the current mode, and the links left out hold no links at all. (How items
// climb the chain and clicks go down it, the stories show.)
TEST(Controller, ModeChangesRebuildTheSameChains) {
    CTempStory story;
    story.WriteScript("start.txt", "");
    CGameHarness harness(story);
    CGame& game = harness.Game();
    harness.RunFrames(1);
    CController* hero = game.HeroController();
    CController* camera = game.Camera();
    CController* dialogue = game.Dialogue();
    ASSERT_TRUE(hero && camera && dialogue);
    CMode* rolePlaying = game.GetMode();

    const uint8_t modes[] = {8, 0, 0, 8, 8, 0, 8, 0, 8, 8, 0, 0, 8};
    for (size_t i = 0; i < std::size(modes); ++i) {
        SCOPED_TRACE("switch " + std::to_string(i) + " to mode " + std::to_string(modes[i]));
        game.ChangeMode(modes[i]);
        harness.RunFrames(1);
        const bool gal = modes[i] == 8;
        EXPECT_EQ(ChainFrom(game.GetController()),
                  gal ? "Dialogue " : "ControllerRPGNormal Dialogue Camera ");
        EXPECT_EQ(game.GetController()->Parent(), nullptr);
        EXPECT_EQ(game.Dialogue(), dialogue);
        EXPECT_EQ(game.HeroController(), gal ? nullptr : hero);
        EXPECT_EQ(game.Camera(), gal ? nullptr : camera);
        EXPECT_EQ(game.GetMode()->Name(), gal ? "GalNormal" : "RPGNormal");
        EXPECT_EQ(game.Scene() != nullptr, !gal);
        EXPECT_EQ(game.Pictures() != nullptr, gal);
        for (CController* link = game.GetController(); link; link = link->Child())
            EXPECT_EQ(link->Mode(), game.GetMode());
        EXPECT_EQ(game.GetMode()->Controller(), gal ? dialogue : camera);
        EXPECT_EQ(game.GetMode() == rolePlaying, !gal);
        for (CController* outside : {hero, camera})
            EXPECT_TRUE(!gal || (!outside->Parent() && !outside->Child()));
    }
}
