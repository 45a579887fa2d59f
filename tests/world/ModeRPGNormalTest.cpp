#include "world/ModeRPGNormal.h"

#include "support/SceneStory.h"
#include "support/StoryCases.h"
#include "support/TempStory.h"
#include "world/WalkGrid.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class SceneStory : public ::testing::Test {
protected:
    SceneStory() { m_story.WriteSpriteImages({1, 2, 3, 6}); }
    RunResult Run(const std::string& start, uint32_t frames) { return m_story.Play(start, frames); }
    CTempStory m_story;
};

// The walk of the hero from (200, 300) to the right, across a trap diamond
// whose corners are (320, 280) and (320, 320).
std::string WalkAcrossTrap(const std::string& extra) {
    return CSceneStory::HeroAt(200, 300) + "SetTile 320 280 320 320 7\n" + extra +
           "MoveEntityTo hero 600 300 5\n";
}

}  // namespace

// Drawing order by depth, then arrival: scene-depth.txt.
TEST_F(SceneStory, EntitiesAreDrawnByDepthThenByArrival) {
    CStoryCases::Run("scene-depth.txt");
}

// Every step that ends in a trap cell restarts the trap's script, so a walk
// across the trap logs once per such step (each restart runs in the frame
// after it). The arrival step itself is not checked against the grid. A trap's
// script that binds its own slot again is destroyed in the middle of its step:
// it takes no further step, and the new script runs from the next step on.
TEST_F(SceneStory, ATrapFiresOncePerStepThatEndsOnIt) {
    CWalkGrid grid(2048, 1024);
    grid.Paint(320, 280, 320, 320, 7);
    m_story.WriteScript("script02.txt", "Debug second\n");
    for (const bool replaced : {false, true}) {
        SCOPED_TRACE(replaced ? "replaced" : "kept");
        m_story.WriteScript("script01.txt",
                            replaced ? "SetTrap 7 2\nDebug never\n" : "Debug trap\n");
        const RunResult run = Run(WalkAcrossTrap("SetTrap 7 1\n"), 90);
        size_t stepsOnTrap = 0;
        for (uint32_t frame = 2; CSceneStory::CentreIn(run, frame).x < 600; ++frame)
            stepsOnTrap +=
                grid.At(static_cast<int32_t>(CSceneStory::CentreIn(run, frame).x), 300) == 7;
        EXPECT_GT(stepsOnTrap, 5u);
        EXPECT_EQ(CSceneStory::Count(run.log, replaced ? "second\n" : "trap\n"),
                  stepsOnTrap - replaced);
        EXPECT_EQ(CSceneStory::Count(run.log, "never"), 0u);
        EXPECT_EQ(CSceneStory::CentreIn(run, 90).x, 600);  // traps do not block
    }
}

// A trap with no script runs nothing, and slots 0 (free ground) and 255
// (blocked ground) never fire even when they hold a script. The low 8 bits
// of a tile value and of a trap number count: 300 paints trap 44, and trap
// 300 binds slot 44.
TEST_F(SceneStory, OnlyATrapWithAScriptFires) {
    m_story.WriteScript("script01.txt", "Debug trap\n");
    const std::pair<std::string, bool> starts[] = {
        {WalkAcrossTrap(""), false},                            // painted, never bound
        {WalkAcrossTrap("SetTrap 7 5\n"), false},               // outside the script table
        {WalkAcrossTrap("SetTrap 7 1\nSetTrap 7 9\n"), false},  // bound, then emptied again
        {CSceneStory::HeroAt(200, 300) + "SetTrap 0 1\nSetTrap 255 1\n" +
             "SetTile 400 290 400 310 255\nMoveEntityTo hero 600 300 5\n",
         false},
        {CSceneStory::HeroAt(200, 300) +
             "SetTile 320 280 320 320 300\nSetTrap 300 1\nMoveEntityTo hero 600 300 5\n",
         true},
    };
    for (const auto& [start, fires] : starts)
        EXPECT_EQ(CSceneStory::Count(Run(start, 90).log, "trap\n") > 5, fires) << start;
}

// The grid reaches a little beyond the scene's rectangle, but a point above
// its top edge soon lies outside it, which blocks; without a grid the walker
// goes on and arrives.
TEST_F(SceneStory, WithoutAGridEveryStepIsFreeAndOutsideTheGridIsBlocked) {
    for (const bool sized : {true, false}) {
        const RunResult run = Run(std::string(sized ? "SetSceneScale 2048 1024\n" : "") +
                                      CSceneStory::EntityAt(2, "npc", 50, 50) +
                                      "SetTrap 0 1\nMoveEntityTo npc 50 -50 5\n",
                                  40);
        const double y = CSceneStory::CentreIn(run, 40, "image/oneechanS").y;
        EXPECT_TRUE(sized ? y < 0 && y > -50 : y == -50) << y << (sized ? " sized" : " no grid");
    }
}

// CleanScene, here run by a trap the hero walks into: with a hero it leaves
// only the hero, standing, and raises EVENT_HERO_STOP (the waiting start
// script then shows the dialogue frame); without one it empties the scene
// and raises nothing.
TEST_F(SceneStory, CleanSceneKeepsOnlyTheStandingHero) {
    m_story.WriteScript("script01.txt", "CleanScene\n");
    for (const bool withHero : {true, false}) {
        SCOPED_TRACE(withHero ? "with a hero" : "without a hero");
        const std::string walker = withHero
                                       ? WalkAcrossTrap("")
                                       : "SetSceneScale 2048 1024\nSetTile 320 280 320 320 7\n" +
                                             CSceneStory::EntityAt(1, "walker", 200, 300) +
                                             "MoveEntityTo walker 600 300 5\n";
        const RunResult run =
            Run(walker + CSceneStory::EntityAt(2, "npc", 900, 300) +
                    CSceneStory::EntityAt(3, "prop", 900, 300) +
                    "SetTrap 7 1\nWaitForEvent EVENT_HERO_STOP\nShowDialogueFrame\n",
                60);
        EXPECT_EQ(CSceneStory::Items(run, 2, "image/").size(), 4u);
        // Standing, facing right, where the trap stopped it.
        EXPECT_EQ(CSceneStory::Words(run, 60), withHero ? "walkc00 dia text text m0 " : "m0 ");
        if (withHero) {
            EXPECT_EQ(CSceneStory::CentreIn(run, 60), CSceneStory::CentreIn(run, 50));
        }
    }
}

// CleanScene and the hero, scripts that destroy themselves, tall scenes.
TEST_F(SceneStory, KeepsTheHeroAndLetsScriptsDestroyThemselves) {
    CStoryCases::Run("scene-roles.txt");
}
