#include "controllers/Controller.h"

#include "controllers/ControllerCamera.h"
#include "controllers/ControllerDialogue.h"
#include "controllers/ControllerRPGNormal.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"
#include "world/Mode.h"

#include <gtest/gtest.h>

#include <string>

// The game's chains after any run of switches, including switches to the
// mode already current: always the same links in the same order, attached to
// the current mode, and the links left out hold no links at all. (How items
// climb the chain and clicks go down it, the stories show.)
TEST(Controller, ModeChangesRebuildTheSameChains) {
    CTempStory story;
    CGameHarness harness(story);
    CGame& game = harness.Game();
    harness.RunFrames(1);
    CController* outside[] = {game.HeroController(), game.Camera()};
    for (const uint8_t mode : {8, 0, 0, 8, 8, 0, 8, 0, 8, 8, 0, 0, 8}) {
        game.ChangeMode(mode);
        harness.RunFrames(1);
        std::string chain;
        for (CController* link = game.GetController(); link; link = link->Child()) {
            chain += link->Name() + " ";
            EXPECT_EQ(link->Mode(), game.GetMode());
        }
        const bool gal = mode == 8;
        EXPECT_EQ(chain, gal ? "Dialogue " : "ControllerRPGNormal Dialogue Camera ");
        EXPECT_EQ(game.GetController()->Parent(), nullptr);
        EXPECT_EQ(game.GetMode()->Controller(),
                  gal ? static_cast<CController*>(game.Dialogue()) : game.Camera());
        for (CController* link : outside)
            EXPECT_TRUE(!gal || (!link->Parent() && !link->Child()));
    }
}
