#include "controllers/ControllerRPGNormal.h"

#include "support/SceneStory.h"
#include "support/StoryCases.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string PointerImage(const RunResult& run, uint32_t frame) {
    const nlohmann::json* line = run.Frame(frame);
    return line ? line->at("items").back().value("image", "") : "";
}

// The hero at (200, 300) and a character (sprite 2) at (600, 300), whose hit
// box covers (536, 236)-(664, 428); the pointer starts at (0, 0). The camera
// stays at (0, 0) in these scenes.
std::string HeroAndCharacter(bool withScript) {
    return CSceneStory::HeroAt(200, 300) + CSceneStory::EntityAt(2, "npc", 600, 300) + "SetNPC\n" +
           (withScript ? "move $a1 1\nSetEntityScript\n" : "");
}
const ScenePoint kHeroStart{200, 300};

class HeroController : public ::testing::Test {
protected:
    HeroController() {
        m_story.WriteSpriteImages({1, 2});
        m_story.WriteScript("script01.txt", "Debug talk\n");
        m_story.WriteScript("script02.txt", "Debug other\n");
    }
    CTempStory m_story;
};

}  // namespace

// A click in frame 4 sends the hero towards (400, 500); in frame 10 the
// character is clicked. Free, that restarts the character's script, stops
// the hero (which raises EVENT_HERO_STOP) and puts the pointer back to its
// plain picture. Locked, both clicks are ignored; with the dialogue frame
// shown they go to the scripts. ShowDialogueFrame wins over a lock, Lock is
// refused while it is shown, and HideDialogueFrame and Unlock free the hero.
// In the picture-novel mode the frame is shown directly and the hero
// controller, out of the chain, keeps its state.
TEST_F(HeroController, ClicksFollowTheControllerState) {
    struct Case {
        const char* what;
        std::string lines;
        std::string log;
    };
    const std::string talked = "WaitForEvent\ntalk\nstopped\n";
    const Case cases[] = {
        {"free", "", talked},
        {"locked", "Lock\n", "WaitForEvent\n"},
        {"unlocked again", "Lock\nUnlock\n", talked},
        {"dialogue over a lock, which it refuses",
         "Lock\nShowDialogueFrame\nLock\nWaitForEvent EVENT_MOUSE_DOWN\nDebug clicked\n",
         "WaitForEvent\nclicked\nWaitForEvent\n"},
        {"dialogue hidden again", "ShowDialogueFrame\nHideDialogueFrame\n", talked},
        {"locked after the dialogue", "ShowDialogueFrame\nHideDialogueFrame\nLock\n",
         "WaitForEvent\n"},
        {"dialogue unlocked", "ShowDialogueFrame\nUnlock\n", talked},
        {"dialogue in the picture-novel mode",
         "move $a0 8\nChangeMode\nShowDialogueFrame\nLock\nmove $a0 0\nChangeMode\n", talked},
    };
    m_story.WriteInput(
        "3 motion 400 500\n4 press\n5 release\n8 motion 200 -150\n10 press\n11 release\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RunResult run = m_story.Play(
            HeroAndCharacter(true) + c.lines + "WaitForEvent EVENT_HERO_STOP\nDebug stopped\n", 14);
        EXPECT_EQ(run.log, c.log);
        const bool passage =
            c.lines.find("ChangeMode") != std::string::npos;  // takes the 1st click
        const bool walks = c.log == talked && !passage;
        if (!passage) {  // the press comes first
            EXPECT_EQ(CSceneStory::CentreIn(run, 4) != kHeroStart, walks);
        }
        EXPECT_EQ(CSceneStory::CentreIn(run, 14), CSceneStory::CentreIn(run, 10));
        if (!walks) continue;
        EXPECT_NE(CSceneStory::CentreIn(run, 9), CSceneStory::CentreIn(run, 8));
        const std::pair<uint32_t, const char*> pointers[] = {
            {7, "image/m0.png"}, {8, "image/m1.png"}, {10, "image/m0.png"}, {12, "image/m1.png"}};
        for (const auto& [frame, image] : pointers)
            EXPECT_EQ(PointerImage(run, frame), image) << "frame " << frame;
    }
}

// Which clicked character answers: clicked-characters.txt.
TEST(HeroClicks, ClickedCharactersAreSearchedInDrawingOrder) {
    CStoryCases::Run("clicked-characters.txt");
}

// Clicks through the camera's offset, and a held button: cases as data.
TEST(HeroClicks, ClicksAddTheCameraOffsetAndAHeldButtonSteers) {
    CStoryCases::Run("hero-clicks.txt");
}

// Resting on a character, the pointer cycles its second animation (images
// m1, m2, m3) at a frame duration of 20: each image shows for 21 frames,
// since asking again for the running animation does not restart it.
TEST_F(HeroController, PointerOverACharacterCyclesEvery21Frames) {
    m_story.WriteScript("start.txt", HeroAndCharacter(false));
    m_story.WriteInput("3 motion 600 350\n");
    const RunResult run = m_story.RunHeadless(70);
    const char* cycle[] = {"image/m1.png", "image/m2.png", "image/m3.png"};
    uint32_t first = 3;  // the first change: the tick ran on before the hover
    while (first < 30 && PointerImage(run, first) == cycle[0])
        ++first;
    ASSERT_LE(first, 24u);
    for (uint32_t frame = 3; frame <= 70; ++frame)
        EXPECT_EQ(PointerImage(run, frame),
                  cycle[frame < first ? 0 : ((frame - first) / 21 + 1) % 3])
            << "frame " << frame;
}
