#include "controllers/Controller.h"

#include "display/Displayer.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"
#include "world/Mode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A link that marks every item passing up through it.
class CTraceController : public CController {
public:
    CTraceController(CGame& game, const char* name, std::string& trail)
        : CController(game), m_trail(trail) {
        SetName(name);
    }
    void Submit(std::unique_ptr<RenderItem> item) override {
        m_trail += Name() + " ";
        item->x += 1;
        CController::Submit(std::move(item));
    }

private:
    std::string& m_trail;
};

// A mode that submits one item per Draw and counts its updates.
class CProbeMode : public CMode {
public:
    using CMode::CMode;
    void Update() override { ++updates; }
    void Draw() override { Submit(std::make_unique<RenderItem>()); }
    int updates = 0;
};

std::string ChainFrom(CController* head) {
    std::string names;
    for (CController* link = head; link; link = link->Child())
        names += link->Name() + " ";
    return names;
}

class Controller : public ::testing::Test {
protected:
    Controller() { m_story.WriteScript("start.txt", ""); }
    CTempStory m_story;
};

}  // namespace

// Links are appended at the end whatever order they had before the last
// Detach; render items climb from the last link to the head and then reach
// the displayer; update and draw end in the mode, once each.
TEST_F(Controller, ChainPassesRunDownAndItemsClimbUp) {
    CGameHarness harness(m_story);
    CGame& game = harness.Game();
    std::string trail;
    CTraceController head(game, "head", trail), middle(game, "middle", trail),
        last(game, "last", trail);
    CProbeMode mode(game);

    head.AddChild(&last);
    head.AddChild(&middle);
    EXPECT_EQ(ChainFrom(&head), "head last middle ");
    head.Detach();
    for (CController* link : {&head, &middle, &last}) {
        SCOPED_TRACE(link->Name());
        EXPECT_EQ(link->Parent(), nullptr);
        EXPECT_EQ(link->Child(), nullptr);
    }
    head.AddChild(&middle);
    head.AddChild(&last);
    EXPECT_EQ(ChainFrom(&head), "head middle last ");
    EXPECT_EQ(last.Parent(), &middle);
    EXPECT_EQ(middle.Parent(), &head);

    head.SetMode(&mode);
    EXPECT_EQ(mode.Controller(), &last);
    for (CController* link : {&head, &middle, &last})
        EXPECT_EQ(link->Mode(), &mode);

    const size_t queued = game.GetDisplayer().QueuedItems();
    head.Draw();
    EXPECT_EQ(trail, "last middle head ");
    EXPECT_EQ(game.GetDisplayer().QueuedItems(), queued + 1);
    head.Update();
    EXPECT_EQ(mode.updates, 1);

    EXPECT_EQ(head.Find("last"), &last);
    EXPECT_EQ(middle.Find("middle"), &middle);
    EXPECT_EQ(middle.Find("head"), nullptr) << "Find never looks above";
    EXPECT_EQ(head.Find("Last"), nullptr);
    head.Detach();
}

// The game's chains after any run of switches, including switches to the
// mode already current: always the same links in the same order, attached to
// the current mode, and the links left out hold no links at all.
TEST_F(Controller, ModeChangesRebuildTheSameChains) {
    CGameHarness harness(m_story);
    CGame& game = harness.Game();
    harness.RunFrames(1);
    CController* hero = game.FindController("ControllerRPGNormal");
    CController* camera = game.FindController("Camera");
    CController* dialogue = game.FindController("Dialogue");
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
        EXPECT_EQ(game.FindController("Dialogue"), dialogue);
        EXPECT_EQ(game.FindController("ControllerRPGNormal"), gal ? nullptr : hero);
        EXPECT_EQ(game.FindController("Camera"), gal ? nullptr : camera);
        EXPECT_EQ(game.GetMode()->Name(), gal ? "GalNormal" : "RPGNormal");
        for (CController* link = game.GetController(); link; link = link->Child())
            EXPECT_EQ(link->Mode(), game.GetMode());
        EXPECT_EQ(game.GetMode()->Controller(), gal ? dialogue : camera);
        if (gal) {
            for (CController* outside : {hero, camera}) {
                EXPECT_EQ(outside->Parent(), nullptr);
                EXPECT_EQ(outside->Child(), nullptr);
            }
        } else {
            EXPECT_EQ(game.GetMode(), rolePlaying);
            EXPECT_EQ(camera->Child(), nullptr);
        }
    }
}

// A mouse press on a link that keeps the base behaviour wakes the scripts
// waiting for a click; release and move do not.
TEST_F(Controller, BasePressRaisesMouseDown) {
    m_story.WriteScript("start.txt", "WaitForEvent EVENT_MOUSE_DOWN\nDebug woke\n");
    CGameHarness harness(m_story);
    harness.RunFrames(2);
    CController plain(harness.Game());
    plain.OnMouseMove(10, 10);
    plain.OnMouseUp(MouseButtons{}, 10, 10);
    harness.RunFrames(1);
    EXPECT_EQ(harness.Log(), "WaitForEvent\n");
    plain.OnMouseDown(MouseButtons{}, 10, 10);
    harness.RunFrames(1);
    EXPECT_EQ(harness.Log(), "WaitForEvent\nwoke\n");
}
