#include "world/ModeRPGNormal.h"

#include "support/SceneStory.h"
#include "support/TempStory.h"
#include "world/WalkGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> SceneImages(const RunResult& run, uint32_t frame) {
    std::vector<std::string> images;
    for (const auto& item : CSceneStory::Items(run, frame, "image/"))
        if (item["image"] != "image/m0.png" && item["image"] != "image/m1.png")
            images.push_back(item["image"]);
    return images;
}

class SceneStory : public ::testing::Test {
protected:
    SceneStory() {
        for (int number : {1, 2, 3, 6})
            m_story.WriteSpriteImages(number);
    }
    CTempStory m_story;
};

// The walk of the hero from (200, 300) to the right, across a trap diamond
// whose corners are (320, 280) and (320, 320).
std::string WalkAcrossTrap(const std::string& extra) {
    return CSceneStory::HeroAt(200, 300) + "SetTile 320 280 320 320 7\n" + extra +
           "MoveEntityTo hero 600 300 5\n";
}

}  // namespace

// Largest depth drawn first; equal depths keep the order they were added in,
// and neither walking nor a later re-sort swaps them.
TEST_F(SceneStory, EntitiesAreDrawnByDepthThenByArrival) {
    m_story.WriteScript("start.txt",
                        "SetSceneScale 2048 1024\n" + CSceneStory::EntityAt(2, "first", 100, 100) +
                            CSceneStory::EntityAt(3, "second", 100, 100) +
                            CSceneStory::EntityAt(6, "third", 100, 100) +
                            "SetEntityDepth first 100\nSetEntityDepth second 50\n"
                            "SetEntityDepth third 200\n" +
                            CSceneStory::EntityAt(2, "fourth", 100, 100) +
                            "SetEntityDepth fourth 100\n"
                            "MoveEntityTo second 400 400 5\nMoveEntityTo fourth 300 300 5\n"
                            "WaitForEvent EVENT_MOUSE_DOWN\n");
    const std::vector<std::string> byDepth{"image/oneechan.png", "image/oneechanS.png",
                                           "image/oneechanS.png", "image/imouto.png"};
    const RunResult run = m_story.RunHeadless(30);
    EXPECT_EQ(SceneImages(run, 2), byDepth);
    EXPECT_EQ(SceneImages(run, 30), byDepth);  // the walks changed nothing
    // The later of the two equal depths is the one that walked to (300, 300).
    const auto equal = CSceneStory::Items(run, 30, "image/oneechanS.png");
    EXPECT_EQ(equal.at(0)["x"], 100 - 64);
    EXPECT_GT(equal.at(1)["x"].get<double>(), 100);

    m_story.WriteScript("start.txt",
                        "SetSceneScale 2048 1024\n" + CSceneStory::EntityAt(2, "a", 100, 100) +
                            CSceneStory::EntityAt(3, "b", 100, 100) +
                            CSceneStory::EntityAt(6, "c", 100, 100) +
                            "SetEntityDepth b 5\nSetEntityDepth a -5\nSetEntityDepth c 5\n"
                            "SetEntityDepth missing 99\n");
    EXPECT_EQ(SceneImages(m_story.RunHeadless(2), 2),
              (std::vector<std::string>{"image/imouto.png", "image/oneechan.png",
                                        "image/oneechanS.png"}));
}

// Every step that ends in a trap cell restarts the trap's script, so a walk
// across the trap logs once per such step (each restart runs in the frame
// after it). The arrival step itself is not checked against the grid.
TEST_F(SceneStory, ATrapFiresOncePerStepThatEndsOnIt) {
    m_story.WriteScript("script01.txt", "Debug trap\n");
    m_story.WriteScript("start.txt", WalkAcrossTrap("SetTrap 7 1\n"));
    const RunResult run = m_story.RunHeadless(90);

    CWalkGrid grid(2048, 1024);
    grid.Paint(320, 280, 320, 320, 7);
    size_t stepsOnTrap = 0;
    for (uint32_t frame = 2; frame <= 90; ++frame) {
        const nlohmann::json hero = CSceneStory::Item(run, frame, "image/walk");
        const double x = hero["x"].get<double>() + 64;
        if (x >= 600) break;  // arrived
        if (grid.At(static_cast<int32_t>(x), 300) == 7) ++stepsOnTrap;
    }
    EXPECT_GT(stepsOnTrap, 5u);
    EXPECT_EQ(CSceneStory::Count(run.log, "trap\n"), stepsOnTrap);
    EXPECT_EQ(CSceneStory::Item(run, 90, "image/walk")["x"], 600 - 64);  // traps do not block
}

TEST_F(SceneStory, TrapsWithoutAScriptAndSlotsNoCellFiresDoNothing) {
    m_story.WriteScript("script01.txt", "Debug trap\n");
    const char* bindings[] = {
        "",                            // painted, never bound
        "SetTrap 7 5\n",               // bound to a number outside the script table
        "SetTrap 7 1\nSetTrap 7 9\n",  // bound, then emptied again
    };
    for (const char* binding : bindings) {
        SCOPED_TRACE(binding);
        m_story.WriteScript("start.txt", WalkAcrossTrap(binding));
        const RunResult run = m_story.RunHeadless(90);
        EXPECT_EQ(run.log, "");
        EXPECT_EQ(CSceneStory::Item(run, 90, "image/walk")["x"], 600 - 64);
    }
    // Slots 0 and 255 hold scripts, yet stay silent on free ground and in front of a wall.
    m_story.WriteScript("start.txt", CSceneStory::HeroAt(200, 300) +
                                         "SetTrap 0 1\nSetTrap 255 1\nSetTile 400 290 400 310 255\n"
                                         "MoveEntityTo hero 600 300 5\n");
    EXPECT_EQ(m_story.RunHeadless(90).log, "");
}

// A trap's script that binds its own slot again is destroyed in the middle
// of its step: it takes no further step, and the new script runs from then on.
TEST_F(SceneStory, ATrapScriptMayReplaceItself) {
    m_story.WriteScript("script01.txt", "SetTrap 7 2\nDebug never\n");
    m_story.WriteScript("script02.txt", "Debug second\n");
    m_story.WriteScript("start.txt", WalkAcrossTrap("SetTrap 7 1\n"));
    const RunResult run = m_story.RunHeadless(90);
    EXPECT_EQ(CSceneStory::Count(run.log, "never"), 0u);
    EXPECT_GT(CSceneStory::Count(run.log, "second\n"), 3u);
}

// The grid reaches a little beyond the scene's rectangle, but a point above
// its top edge soon lies outside it, which blocks; without a grid the walker
// goes on and arrives.
TEST_F(SceneStory, WithoutAGridEveryStepIsFreeAndOutsideTheGridIsBlocked) {
    for (const bool sized : {true, false}) {
        SCOPED_TRACE(sized ? "sized" : "no grid");
        m_story.WriteScript("start.txt", std::string(sized ? "SetSceneScale 2048 1024\n" : "") +
                                             CSceneStory::EntityAt(2, "npc", 50, 50) +
                                             "SetTrap 0 1\nMoveEntityTo npc 50 -50 5\n");
        const RunResult run = m_story.RunHeadless(40);
        const double y = CSceneStory::Item(run, 40, "image/oneechanS.png")["y"].get<double>() + 128;
        if (sized) {
            EXPECT_LT(y, 0);
            EXPECT_GT(y, -50);
        } else {
            EXPECT_EQ(y, -50);
        }
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
        m_story.WriteScript("start.txt",
                            walker + CSceneStory::EntityAt(2, "npc", 900, 300) +
                                CSceneStory::EntityAt(3, "prop", 900, 300) +
                                "SetTrap 7 1\nWaitForEvent EVENT_HERO_STOP\nShowDialogueFrame\n");
        const RunResult run = m_story.RunHeadless(60);
        EXPECT_EQ(SceneImages(run, 2).size(), 3u);
        const std::vector<std::string> left = SceneImages(run, 60);
        EXPECT_EQ(left.size(), withHero ? 2u : 0u);  // the hero and the dialogue frame
        if (!withHero) continue;
        EXPECT_EQ(CSceneStory::Items(run, 60, "image/walk").size(), 1u);
        EXPECT_EQ(CSceneStory::Item(run, 60, "image/walk")["x"],
                  CSceneStory::Item(run, 50, "image/walk")["x"]);
        EXPECT_LT(CSceneStory::Item(run, 60, "image/walk")["x"].get<double>(), 600 - 64);
        EXPECT_EQ(CSceneStory::Item(run, 60, "image/walk")["image"],
                  "image/walkc00.png");  // standing, facing right
    }
}

// The hero is spared by identity: SetNPC on it does not get it destroyed,
// while a former hero (replaced by SetHero) is destroyed like any other.
TEST_F(SceneStory, CleanSceneSparesTheHeroWhateverItsRole) {
    m_story.WriteScript("start.txt", CSceneStory::HeroAt(100, 100) + "SetNPC\n" +
                                         CSceneStory::EntityAt(2, "other", 300, 100) +
                                         "CleanScene\n");
    EXPECT_EQ(SceneImages(m_story.RunHeadless(3), 3), std::vector<std::string>{"image/walk00.png"});

    m_story.WriteScript(
        "start.txt", CSceneStory::HeroAt(100, 100) + CSceneStory::EntityAt(2, "other", 300, 100) +
                         "SetHero other\nCleanScene\nMoveEntityTo hero 200 200 5\n");
    EXPECT_EQ(SceneImages(m_story.RunHeadless(3), 3),
              std::vector<std::string>{"image/oneechanS.png"});
}

// A character's script may destroy itself in the middle of its step: by
// cleaning the scene it stands in, or by giving its own entity another
// script (the handle reaches it through a global flag). It takes no step
// after that; the new script runs on the next click.
TEST_F(SceneStory, ACharacterScriptMayDestroyItself) {
    struct Case {
        const char* what;
        std::string script;
        std::string log;
    };
    const Case cases[] = {
        {"CleanScene", "CleanScene\nDebug never\n", ""},
        {"SetEntityScript",
         "move $a0 5\nGetGlobalFlag\nmove $a0 $v0\nmove $a1 2\nSetEntityScript\nDebug never\n",
         "second\n"},
    };
    m_story.WriteScript("script02.txt", "Debug second\n");
    m_story.WriteInput("3 motion 600 350\n5 press\n6 release\n9 press\n10 release\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_story.WriteScript("script01.txt", c.script);
        m_story.WriteScript("start.txt", CSceneStory::HeroAt(200, 300) +
                                             CSceneStory::EntityAt(2, "npc", 600, 300) +
                                             "SetNPC\nmove $a1 1\nSetEntityScript\n"
                                             "move $a1 $a0\nmove $a0 5\nSetGlobalFlag\n");
        const RunResult run = m_story.RunHeadless(12);
        EXPECT_EQ(run.log, c.log);
    }
}

// A scene higher than 20477 pixels would need a grid of more than 8192 x
// 8192 cells: it is taken as 20477 high, which the camera then keeps to.
TEST_F(SceneStory, TallScenesAreCutToWhatTheirGridAllows) {
    m_story.WriteScript("start.txt", "SetSceneScale 2048 30000\n" +
                                         CSceneStory::EntityAt(1, "hero", 1024, 29000) +
                                         "SetHero hero\n");
    const RunResult run = m_story.RunHeadless(2);
    EXPECT_EQ(run.log,
              "SetSceneScale: a scene 30000 pixels high is too high for its walk grid; 20477 is "
              "used\n");
    EXPECT_EQ(CSceneStory::Item(run, 2, "image/walk")["y"], 29000 - 128 - (20477 - 720));
}
