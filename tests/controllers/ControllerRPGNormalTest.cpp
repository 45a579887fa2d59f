#include "controllers/ControllerRPGNormal.h"

#include "support/SceneStory.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Position {
    double x, y;
    bool operator==(const Position&) const = default;
};

// The camera stays at (0, 0) in these scenes: the hero keeps to the top-left.
Position HeroIn(const RunResult& run, uint32_t frame) {
    const nlohmann::json item = CSceneStory::Item(run, frame, "image/walk");
    if (item.empty()) return {-1, -1};
    return {item["x"].get<double>() + 64, item["y"].get<double>() + 128};
}

std::string PointerImage(const RunResult& run, uint32_t frame) {
    const nlohmann::json* line = run.Frame(frame);
    return line ? line->at("items").back().value("image", "") : "";
}

// The hero at (200, 300) and a character (sprite 2) at (600, 300), whose hit
// box covers (536, 236)-(664, 428); the pointer starts at (0, 0).
std::string HeroAndCharacter(bool withScript) {
    return CSceneStory::HeroAt(200, 300) + CSceneStory::EntityAt(2, "npc", 600, 300) + "SetNPC\n" +
           (withScript ? "move $a1 1\nSetEntityScript\n" : "");
}

// Walk to (400, 500) with a click in frames 4 and 5, then rest the pointer on
// the character from frame 8 and click it in frame 10.
constexpr const char* kWalkThenClickCharacter =
    "3 motion 400 500\n4 press\n5 release\n8 motion 200 -150\n10 press\n11 release\n";

class HeroController : public ::testing::Test {
protected:
    HeroController() {
        m_story.WriteSpriteImages(1);
        m_story.WriteSpriteImages(2);
        m_story.WriteScript("script01.txt", "Debug talk\n");
        m_story.WriteScript("script02.txt", "Debug other\n");
    }
    CTempStory m_story;
};

}  // namespace

// The click restarts the character's script, stops the hero (which raises
// EVENT_HERO_STOP) and puts the pointer back to its plain picture.
TEST_F(HeroController, ClickOnACharacterStartsItsScriptAndStopsTheHero) {
    m_story.WriteScript("start.txt",
                        HeroAndCharacter(true) + "WaitForEvent EVENT_HERO_STOP\nDebug stopped\n");
    m_story.WriteInput(kWalkThenClickCharacter);
    const RunResult run = m_story.RunHeadless(14);
    EXPECT_EQ(run.log, "WaitForEvent\ntalk\nstopped\n");
    EXPECT_EQ(HeroIn(run, 3), (Position{200, 300}));
    EXPECT_NE(HeroIn(run, 4), HeroIn(run, 3));  // the press comes before the frame's step
    EXPECT_NE(HeroIn(run, 9), HeroIn(run, 8));
    EXPECT_EQ(HeroIn(run, 14), HeroIn(run, 10));  // stopped by the click
    EXPECT_EQ(PointerImage(run, 7), "image/m0.png");
    EXPECT_EQ(PointerImage(run, 8), "image/m1.png");  // resting on the character
    EXPECT_EQ(PointerImage(run, 10), "image/m0.png");
    EXPECT_EQ(PointerImage(run, 12), "image/m1.png");  // the hover test again
}

// Without a script the character only changes the pointer; the click walks
// the hero to the point clicked, like any other ground.
TEST_F(HeroController, ClickOnACharacterWithoutAScriptWalksThere) {
    m_story.WriteScript("start.txt", HeroAndCharacter(false));
    m_story.WriteInput("3 motion 600 350\n5 press\n6 release\n");
    const RunResult run = m_story.RunHeadless(200);
    EXPECT_EQ(PointerImage(run, 4), "image/m1.png");
    EXPECT_EQ(run.log, "");
    EXPECT_EQ(HeroIn(run, 200), (Position{600, 350}));
}

// Overlapping characters are searched in drawing order (largest depth
// first): a click starts the first one hit that has a script; one without a
// script does not end the search.
TEST_F(HeroController, OverlappingCharactersAreSearchedInDrawingOrder) {
    struct Case {
        const char* what;
        std::string characters;
        std::string log;
    };
    const std::string a = CSceneStory::EntityAt(2, "a", 600, 300) + "SetNPC\n";
    const std::string b = CSceneStory::EntityAt(2, "b", 610, 300) + "SetNPC\n";
    const Case cases[] = {
        {"the first has no script", a + b + "move $a1 2\nSetEntityScript\n", "other\n"},
        {"both have one: the first added",
         a + "move $a1 1\nSetEntityScript\n" + b + "move $a1 2\nSetEntityScript\n", "talk\n"},
        {"both have one: the deeper",
         a + "move $a1 1\nSetEntityScript\n" + b + "move $a1 2\nSetEntityScript\n" +
             "SetEntityDepth b 10\n",
         "other\n"},
        {"a prop is no character",
         CSceneStory::EntityAt(2, "a", 600, 300) + "move $a1 1\nSetEntityScript\n", ""},
    };
    m_story.WriteInput("3 motion 600 350\n5 press\n6 release\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_story.WriteScript("start.txt", CSceneStory::HeroAt(200, 300) + c.characters);
        EXPECT_EQ(m_story.RunHeadless(8).log, c.log);
    }
}

// The click is turned into a scene point with the camera's offset: with the
// hero in the middle of the scene, the character sits 384, 152 pixels up and
// left of where its scene position would put it on the screen.
TEST_F(HeroController, ClicksAddTheCameraOffset) {
    m_story.WriteScript("start.txt", CSceneStory::HeroAt(1024, 512) +
                                         CSceneStory::EntityAt(2, "npc", 1164, 728) +
                                         "SetNPC\nmove $a1 1\nSetEntityScript\n");
    m_story.WriteInput("3 motion 780 600\n5 press\n6 release\n");
    const RunResult run = m_story.RunHeadless(8);
    EXPECT_EQ(run.log, "talk\n");
    EXPECT_EQ(CSceneStory::Item(run, 8, "image/m")["x"], 775);  // the pointer does not scroll
}

// Holding the button re-aims the hero at the pointer every frame; after the
// release it walks on to the last point it was given, whatever the pointer
// does.
TEST_F(HeroController, HoldingTheButtonSteersTheHero) {
    m_story.WriteScript("start.txt", CSceneStory::HeroAt(200, 300));
    m_story.WriteInput(
        "3 motion 400 500\n4 press\n6 motion 100 -200\n8 release\n10 motion 100 100\n");
    const RunResult run = m_story.RunHeadless(200);
    EXPECT_EQ(HeroIn(run, 200), (Position{500, 300}));
}

// What a click does in each state the scripts can put the controller in.
TEST_F(HeroController, ClicksFollowTheControllerState) {
    struct Case {
        const char* what;
        std::string lines;
        bool heroWalks;
        std::string log;
    };
    const Case cases[] = {
        {"free", "", true, ""},
        {"locked", "Lock\n", false, ""},
        {"unlocked again", "Lock\nUnlock\n", true, ""},
        {"dialogue: the click goes to the scripts", "ShowDialogueFrame\nLock\n", false,
         "WaitForEvent\nclicked\n"},
        {"dialogue hidden again", "ShowDialogueFrame\nHideDialogueFrame\n", true, ""},
    };
    m_story.WriteInput("3 motion 400 500\n5 press\n6 release\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const bool waits = !c.log.empty();
        m_story.WriteScript("start.txt",
                            HeroAndCharacter(true) + c.lines +
                                (waits ? "WaitForEvent EVENT_MOUSE_DOWN\nDebug clicked\n" : ""));
        const RunResult run = m_story.RunHeadless(10);
        EXPECT_EQ(run.log, c.log);
        EXPECT_EQ(HeroIn(run, 10) != (Position{200, 300}), c.heroWalks);
    }
    // Locked, a click on the character starts nothing either.
    m_story.WriteScript("start.txt", HeroAndCharacter(true) + "Lock\n");
    m_story.WriteInput("3 motion 600 350\n5 press\n6 release\n");
    EXPECT_EQ(m_story.RunHeadless(10).log, "");
}

// Resting on a character, the pointer cycles its second animation (images
// m1, m2, m3) at a frame duration of 20: each image shows for 21 frames,
// since asking again for the running animation does not restart it.
TEST_F(HeroController, PointerOverACharacterCyclesEvery21Frames) {
    m_story.WriteScript("start.txt", HeroAndCharacter(false));
    m_story.WriteInput("3 motion 600 350\n");
    const RunResult run = m_story.RunHeadless(100);
    std::vector<uint32_t> changes;
    std::string shown = PointerImage(run, 3);
    EXPECT_EQ(shown, "image/m1.png");
    for (uint32_t frame = 4; frame <= 100; ++frame) {
        const std::string image = PointerImage(run, frame);
        if (image == shown) continue;
        EXPECT_EQ(image, shown == "image/m1.png"   ? "image/m2.png"
                         : shown == "image/m2.png" ? "image/m3.png"
                                                   : "image/m1.png");
        shown = image;
        changes.push_back(frame);
    }
    ASSERT_GE(changes.size(), 3u);
    for (size_t i = 1; i < changes.size(); ++i)
        EXPECT_EQ(changes[i] - changes[i - 1], 21u);
}
