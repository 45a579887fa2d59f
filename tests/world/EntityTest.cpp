#include "world/Entity.h"

#include "support/SceneStory.h"
#include "support/StoryCases.h"
#include "support/TempStory.h"
#include "world/WalkGrid.h"

#include <gtest/gtest.h>

namespace {

bool DialogueShownIn(const RunResult& run, uint32_t frame) {
    return !CSceneStory::Items(run, frame, "image/dia.png").empty();
}

// Every walk ends by showing the dialogue frame once the hero has stopped.
constexpr const char* kShowOnStop = "WaitForEvent EVENT_HERO_STOP\nShowDialogueFrame\n";

class EntityStory : public ::testing::Test {
protected:
    EntityStory() { m_story.WriteSpriteImages({1, 2, 3}); }
    RunResult Run(const std::string& start, uint32_t frames) { return m_story.Play(start, frames); }
    CTempStory m_story;
};

}  // namespace

// MoveEntityTo runs in frame 2 and every update pass takes one step, so
// frame f shows the position after step f - 1. The last step lands exactly on
// the target; the hero's stop wakes the waiting script in the frame after,
// which shows the dialogue frame. A target within one step is reached at
// once, without walking, so without a stop.
TEST_F(EntityStory, WalksStraightAtItsSpeedAndLandsOnTheTarget) {
    struct Walk {
        const char* what;
        int fromX, fromY, toX, toY, speed;
        double stepX, stepY;
        uint32_t steps;  // the last one lands on the target
        bool stops;
    };
    const Walk walks[] = {
        {"speed 5 along (3, 4)", 0, 0, 30, 40, 5, 3, 4, 10, true},
        {"speed 2 straight up", 100, 100, 100, 90, 2, 0, -2, 5, true},
        {"speed 1 to the left", 300, 200, 296, 200, 1, -1, 0, 4, true},
        {"within one step", 100, 100, 103, 104, 5, 3, 4, 1, false},
    };
    for (const Walk& w : walks) {
        SCOPED_TRACE(w.what);
        const uint32_t arrival = w.steps + 1;
        const RunResult run = Run(CSceneStory::HeroAt(w.fromX, w.fromY) + "MoveEntityTo hero " +
                                      std::to_string(w.toX) + " " + std::to_string(w.toY) + " " +
                                      std::to_string(w.speed) + "\n" + kShowOnStop,
                                  arrival + 2);
        for (uint32_t frame = 2; frame < arrival; ++frame) {
            const ScenePoint at = CSceneStory::CentreIn(run, frame);
            EXPECT_NEAR(at.x, w.fromX + w.stepX * (frame - 1), 1e-3) << "frame " << frame;
            EXPECT_NEAR(at.y, w.fromY + w.stepY * (frame - 1), 1e-3) << "frame " << frame;
        }
        const ScenePoint target{static_cast<double>(w.toX), static_cast<double>(w.toY)};
        EXPECT_EQ(CSceneStory::CentreIn(run, arrival), target);
        EXPECT_EQ(CSceneStory::CentreIn(run, arrival + 2), target);  // and stays
        EXPECT_FALSE(DialogueShownIn(run, arrival));
        EXPECT_EQ(DialogueShownIn(run, arrival + 1), w.stops);
        if (!w.stops) {  // never walked: still standing
            EXPECT_EQ(CSceneStory::Item(run, arrival + 2, "image/walk")["image"],
                      "image/walk00.png");
        }
    }
}

// A wall painted across the way: the walker halts on the last free point, in
// front of the first step that would end in a blocked cell. The hero's halt
// wakes the waiting script; an NPC halts the same way, silently. Scene
// commands in the picture-novel mode leave the scene alone: a wall painted
// before a passage there still stops the hero after it.
TEST_F(EntityStory, StopsInFrontOfBlockedGround) {
    CWalkGrid grid(2048, 1024);
    grid.Paint(400, 290, 400, 310, 255);
    const std::string wall = "SetTile 400 290 400 310 255\n";
    const std::string hero = CSceneStory::HeroAt(200, 300) + wall;
    const std::string walkers[] = {
        hero + "MoveEntityTo hero 600 300 5\n",
        hero +
            "move $a0 8\nChangeMode\nSetTile 400 290 400 310 0\nSetSceneScale 100 100\n"
            "SetTrap 1 1\nSetHero nobody\nCleanScene\nmove $a0 0\nChangeMode\n"
            "MoveEntityTo hero 600 300 5\n",
        CSceneStory::HeroAt(100, 100) + CSceneStory::EntityAt(2, "npc", 200, 300) + wall +
            "SetNPC\nMoveEntityTo npc 600 300 5\n",
    };
    for (const std::string& walker : walkers) {
        SCOPED_TRACE(walker);
        // The scene is sized before the wall: sizing makes a new, empty grid.
        const bool npc = walker.find("npc") != std::string::npos;
        const RunResult run = Run(walker + kShowOnStop, 80);
        EXPECT_EQ(run.log, "WaitForEvent\n");
        const char* item = npc ? "image/oneechanS.png" : "image/walk";
        const ScenePoint last = CSceneStory::CentreIn(run, 80, item);
        EXPECT_EQ(last.y, 300);
        EXPECT_GT(last.x, 300);  // it did walk
        EXPECT_EQ(CSceneStory::CentreIn(run, 79, item), last);
        EXPECT_NE(grid.At(static_cast<int32_t>(last.x), 300), CWalkGrid::kBlocked);
        EXPECT_EQ(grid.At(static_cast<int32_t>(last.x + 5), 300), CWalkGrid::kBlocked);
        EXPECT_EQ(DialogueShownIn(run, 80), !npc);
    }
}

// The hero's pose by the way it walks: hero-facing.txt.
TEST(EntityPose, HeroFacesTheWayItWalksAndStandsThatWayWhenItStops) {
    CStoryCases::Run("hero-facing.txt");
}

// A click finds a character inside its hit box only: sprite 2's box is
// (0, 64)-(128, 256) of its 128 x 256 quad, centred on (64, 128), so for a
// character at (200, 300) it lies between (136, 236) and (264, 428), those
// edges outside. SetEntityCenter moves the box with the picture; a picture
// without a hit box answers no click at all.
TEST_F(EntityStory, ClicksHitInsideTheHitBoxOnly) {
    struct Probe {
        int number;
        const char* extra;
        int x, y;
        bool hit;
    };
    const char* centred = "SetEntityCenter npc 0 0\n";
    const Probe probes[] = {
        {2, "", 136, 300, false},     {2, "", 137, 300, true},       {2, "", 263, 300, true},
        {2, "", 264, 300, false},     {2, "", 200, 236, false},      {2, "", 200, 237, true},
        {2, "", 200, 427, true},      {2, "", 200, 428, false},      {2, "", 200, 200, false},
        {2, centred, 201, 365, true}, {2, centred, 199, 365, false}, {3, "", 200, 300, false},
    };
    m_story.WriteScript("script01.txt", "Debug talk\n");
    for (const Probe& p : probes) {
        SCOPED_TRACE(std::to_string(p.number) + " " + p.extra + std::to_string(p.x) + "," +
                     std::to_string(p.y));
        m_story.WriteInput("3 motion " + std::to_string(p.x) + " " + std::to_string(p.y) +
                           "\n5 press\n6 release\n");
        EXPECT_EQ(
            Run(CSceneStory::HeroAt(100, 100) + CSceneStory::EntityAt(p.number, "npc", 200, 300) +
                    "SetNPC\nmove $a1 1\nSetEntityScript\n" + p.extra,
                7)
                .log,
            p.hit ? "talk\n" : "");
    }
}
