#include "world/Entity.h"

#include "display/Database.h"
#include "display/Sprite.h"
#include "scripting/ScriptManager.h"
#include "support/GameHarness.h"
#include "support/SceneStory.h"
#include "support/TempStory.h"
#include "world/ModeRPGNormal.h"
#include "world/WalkGrid.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Position {
    double x, y;
};

// The hero's scene position in a frame, read back from its item: the camera
// stays at (0, 0) while the hero is in the top-left quarter of the scene.
Position HeroIn(const RunResult& run, uint32_t frame) {
    const nlohmann::json item = CSceneStory::Item(run, frame, "image/walk");
    if (item.empty()) return {NAN, NAN};
    return {item["x"].get<double>() + 64, item["y"].get<double>() + 128};
}

bool DialogueShownIn(const RunResult& run, uint32_t frame) {
    return !CSceneStory::Items(run, frame, "image/dia.png").empty();
}

class EntityStory : public ::testing::Test {
protected:
    EntityStory() { m_story.WriteSpriteImages(1); }
    CTempStory m_story;
};

// A scene built in-process around one entity, for what the dump cannot show.
class EntityInScene : public ::testing::Test {
protected:
    EntityInScene() {
        m_story.WriteSpriteImages(1);
        m_story.WriteSpriteImages(2);
        m_story.WriteSpriteImages(3);
        m_story.WriteScript("start.txt", "WaitForEvent EVENT_HERO_STOP Debug woke\n");
        m_harness = std::make_unique<CGameHarness>(m_story);
        m_harness->RunFrames(2);  // the mode is built and the start script waits
        m_scene = dynamic_cast<CModeRPGNormal*>(m_harness->Game().GetMode());
    }

    CEntity& Add(int spriteNumber, float x, float y) {
        auto entity = std::make_unique<CEntity>(m_harness->Game());
        entity->SetSprite(m_harness->Game().GetDatabase().LoadSprite(spriteNumber));
        entity->SetPosition(x, y);
        CEntity& added = *entity;
        m_scene->AddEntity(std::move(entity));
        return added;
    }
    // How often the start script has woken on EVENT_HERO_STOP, a frame later.
    size_t Wakings() {
        m_harness->RunFrames(1);
        return CSceneStory::Count(m_harness->Log(), "woke");
    }

    CTempStory m_story;
    std::unique_ptr<CGameHarness> m_harness;
    CModeRPGNormal* m_scene = nullptr;
};

}  // namespace

// MoveEntityTo runs in frame 2 and every update pass takes one step, so
// frame f shows the position after step f - 1. The last step lands exactly on
// the target; the hero's stop wakes the waiting script in the frame after,
// which shows the dialogue frame.
TEST_F(EntityStory, WalksStraightAtItsSpeedAndLandsOnTheTarget) {
    struct Walk {
        const char* what;
        int fromX, fromY, toX, toY, speed;
        double stepX, stepY;
        int steps;  // the last one lands on the target
    };
    const Walk walks[] = {
        {"speed 5 along (3, 4)", 0, 0, 30, 40, 5, 3, 4, 10},
        {"speed 10 along (6, 8)", 100, 100, 160, 180, 10, 6, 8, 10},
        {"speed 2 straight up", 100, 100, 100, 90, 2, 0, -2, 5},
        {"speed 1 to the left", 300, 200, 296, 200, 1, -1, 0, 4},
    };
    for (const Walk& w : walks) {
        SCOPED_TRACE(w.what);
        m_story.WriteScript("start.txt", CSceneStory::HeroAt(w.fromX, w.fromY) +
                                             "MoveEntityTo hero " + std::to_string(w.toX) + " " +
                                             std::to_string(w.toY) + " " + std::to_string(w.speed) +
                                             "\nWaitForEvent EVENT_HERO_STOP\nShowDialogueFrame\n");
        const uint32_t arrival = static_cast<uint32_t>(w.steps) + 1;
        const RunResult run = m_story.RunHeadless(arrival + 2);
        for (uint32_t frame = 2; frame < arrival; ++frame) {
            SCOPED_TRACE(frame);
            const Position at = HeroIn(run, frame);
            EXPECT_NEAR(at.x, w.fromX + w.stepX * (frame - 1), 1e-3);
            EXPECT_NEAR(at.y, w.fromY + w.stepY * (frame - 1), 1e-3);
        }
        const Position landed = HeroIn(run, arrival);
        EXPECT_EQ(landed.x, w.toX);
        EXPECT_EQ(landed.y, w.toY);
        EXPECT_EQ(HeroIn(run, arrival + 2).x, w.toX);  // and stays
        EXPECT_FALSE(DialogueShownIn(run, arrival));
        EXPECT_TRUE(DialogueShownIn(run, arrival + 1));
    }
}

TEST_F(EntityStory, ATargetWithinOneStepIsReachedAtOnceWithoutAStop) {
    m_story.WriteScript("start.txt", CSceneStory::HeroAt(100, 100) +
                                         "MoveEntityTo hero 103 104 5\n"
                                         "WaitForEvent EVENT_HERO_STOP\nShowDialogueFrame\n");
    const RunResult run = m_story.RunHeadless(6);
    EXPECT_EQ(HeroIn(run, 2).x, 103);
    EXPECT_EQ(HeroIn(run, 2).y, 104);
    EXPECT_FALSE(DialogueShownIn(run, 6));  // it never walked, so it never stopped
    EXPECT_EQ(CSceneStory::Item(run, 6, "image/walk")["image"], "image/walk00.png");  // standing
}

// A wall painted across the way: the walker halts on the last free point, in
// front of the first step that would end in a blocked cell. The hero's halt
// wakes the waiting script; an NPC halts the same way, silently.
TEST_F(EntityStory, StopsInFrontOfBlockedGround) {
    m_story.WriteSpriteImages(2);
    CWalkGrid grid(2048, 1024);
    grid.Paint(400, 290, 400, 310, 255);
    for (const bool hero : {true, false}) {
        SCOPED_TRACE(hero ? "hero" : "NPC");
        const std::string walker =
            hero ? CSceneStory::HeroAt(200, 300) + "MoveEntityTo hero 600 300 5\n"
                 : CSceneStory::HeroAt(100, 100) + CSceneStory::EntityAt(2, "npc", 200, 300) +
                       "SetNPC\nMoveEntityTo npc 600 300 5\n";
        // The scene is sized before the wall: sizing makes a new, empty grid.
        m_story.WriteScript("start.txt", walker +
                                             "SetTile 400 290 400 310 255\n"
                                             "WaitForEvent EVENT_HERO_STOP\nShowDialogueFrame\n");
        const RunResult run = m_story.RunHeadless(80);
        const nlohmann::json last =
            CSceneStory::Item(run, 80, hero ? "image/walk" : "image/oneechanS.png");
        const double x = last["x"].get<double>() + 64, y = last["y"].get<double>() + 128;
        EXPECT_EQ(y, 300);
        EXPECT_GT(x, 300);  // it did walk
        EXPECT_LT(x, 400);
        EXPECT_EQ(CSceneStory::Item(run, 79, hero ? "image/walk" : "image/oneechanS.png")["x"],
                  last["x"]);
        EXPECT_NE(grid.At(static_cast<int32_t>(x), 300), CWalkGrid::kBlocked);
        EXPECT_EQ(grid.At(static_cast<int32_t>(x + 5), 300), CWalkGrid::kBlocked);
        EXPECT_EQ(DialogueShownIn(run, 80), hero);
    }
}

TEST_F(EntityInScene, HeroFacesTheWayItWalksAndStandsThatWayWhenItStops) {
    struct Facing {
        float dx, dy;
        uint8_t walking;
    };
    // The tests run in the order of the facings: x = 0 picks 4 or 5, and
    // (x > 0, y = 0) picks 6.
    const Facing facings[] = {
        {-30, 40, 4}, {0, 40, 4},   {-30, 0, 4}, {-30, -40, 5},
        {0, -40, 5},  {30, -40, 6}, {30, 0, 6},  {30, 40, 7},
    };
    CEntity& hero = Add(1, 500, 500);
    m_scene->SetHero(&hero);
    size_t wakings = 0;
    for (const Facing& f : facings) {
        SCOPED_TRACE(std::to_string(f.dx) + "," + std::to_string(f.dy));
        hero.MoveTo(static_cast<int32_t>(500 + f.dx), static_cast<int32_t>(500 + f.dy), 5);
        EXPECT_EQ(hero.GetSprite()->GetAnimation(), f.walking);
        hero.Stop();
        EXPECT_EQ(hero.GetSprite()->GetAnimation(), f.walking - 4);
        EXPECT_EQ(Wakings(), ++wakings);
        m_harness->Game().GetScriptManager().Restart(
            *m_harness->Game().GetScriptManager().StartScript());
        m_harness->RunFrames(1);  // waits again
        hero.SetPosition(500, 500);
    }
    hero.GetSprite()->SetAnimation(2);
    hero.Stop();  // standing already: the pose stays
    EXPECT_EQ(hero.GetSprite()->GetAnimation(), 2);
}

TEST_F(EntityInScene, OnlyTheHeroChangesPoseAndRaisesTheStopEvent) {
    CEntity& npc = Add(1, 500, 500);
    npc.SetRole(CEntity::kNpc);
    npc.MoveTo(600, 600, 5);
    EXPECT_EQ(npc.GetSprite()->GetAnimation(), 0);
    npc.Stop();
    EXPECT_EQ(Wakings(), 0u);
}

TEST_F(EntityInScene, HitBoxAnswersInsideItsEdgesOnly) {
    // Sprite 2: hit box (0, 64)-(128, 256) of a 128 x 256 quad, centre (64, 128).
    CEntity& npc = Add(2, 200, 300);
    struct Probe {
        int32_t x, y;
        bool hit;
    };
    const Probe probes[] = {
        {136, 300, false}, {137, 300, true}, {263, 300, true}, {264, 300, false},
        {200, 236, false}, {200, 237, true}, {200, 427, true}, {200, 428, false},
        {200, 200, false},  // over the picture but above its hit box
    };
    for (const Probe& p : probes) {
        SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y));
        EXPECT_EQ(npc.HitTest(p.x, p.y), p.hit);
    }
    npc.SetCenter(0, 0);  // the box now starts at the position
    EXPECT_TRUE(npc.HitTest(201, 365));
    EXPECT_FALSE(npc.HitTest(199, 365));

    // A picture without a hit box answers to no point at all.
    const CEntity& prop = Add(3, 200, 300);
    for (const Probe& p : probes)
        EXPECT_FALSE(prop.HitTest(p.x, p.y));
    EXPECT_FALSE(prop.HitTest(200, 300));
}
