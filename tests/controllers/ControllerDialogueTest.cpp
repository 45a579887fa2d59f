#include "controllers/ControllerDialogue.h"

#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What a frame of the dump shows, one word per item: the picture's file
// name without folder and extension, or "text".
std::string Items(const RunResult& run, uint32_t frame) {
    const nlohmann::json* line = run.Frame(frame);
    if (!line) return "(no render)";
    std::string items;
    for (const auto& item : line->at("items")) {
        if (item.at("kind") == 1) {
            items += "text ";
            continue;
        }
        std::string image = item.at("image").is_null() ? "-" : item.at("image").get<std::string>();
        if (image.starts_with("image/")) image = image.substr(6, image.size() - 10);
        items += image + " ";
    }
    return items;
}

class ControllerDialogue : public ::testing::Test {
protected:
    ControllerDialogue() {
        for (int number : {1, 3, 2002})
            m_story.WriteSpriteImages(number);
    }
    CTempStory m_story;
};

}  // namespace

// The frame starts hidden in both modes; once shown it stays shown across
// mode changes, and hiding and showing it again brings back the same texts
// and portrait. In the role-playing mode the frame lies over the scene and
// under the pointer, and only the scene moves with the camera; in the
// picture-novel mode it lies over the free sprites, and a click wakes the
// waiting script whether the frame is shown or not, in the frame of the
// click (the poll comes before the scripts): frame 6 already shows it.
TEST_F(ControllerDialogue, FrameIsHiddenUntilShownAndSurvivesModeChanges) {
    m_story.WriteScript("start.txt",
                        // frame 2, role-playing: a hero far into a wide scene
                        "SetSceneScale 2048 1024\nLoadSprite 1 x walker\nSetHero walker\n"
                        "move $a0 $v0\nmove $a1 1500\nmove $a2 800\nPlaceEntity\n"
                        "move $a0 0\nmove $a1 3\nLoadPortrait\nmove $a1 0\nSelectPortrait\n"
                        "SetDialogueSpeaker Mei\nSetDialogueContent hello\n"
                        "move $a0 8\nChangeMode\n"
                        // frame 4, picture-novel, hidden; a click in frame 6 shows it
                        "move $a0 2002\nAddSprite x bg\nWaitForEvent EVENT_MOUSE_DOWN\n"
                        "ShowDialogueFrame\nWaitForEvent EVENT_MOUSE_DOWN\n"
                        // frame 8: back to the role-playing mode, still shown in frame 10
                        "move $a0 0\nChangeMode\nHideDialogueFrame\nShowDialogueFrame\n"
                        "WaitForEvent EVENT_MOUSE_DOWN\n"
                        // frame 12: hidden again
                        "HideDialogueFrame\n");
    m_story.WriteInput("6 press\n7 release\n8 press\n9 release\n12 press\n13 release\n");
    const RunResult run = m_story.RunHeadless(13);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    struct Expected {
        uint32_t frame;
        const char* items;
    };
    const Expected frames[] = {
        {2, "walk00 m0 "},
        {3, "(no render)"},
        {4, "end "},
        {5, "end "},
        {6, "end dia imouto text text "},
        {8, "end dia imouto text text "},
        {9, "(no render)"},
        {10, "walk00 dia imouto text text m0 "},
        {12, "walk00 m0 "},
    };
    for (const Expected& e : frames) {
        SCOPED_TRACE("frame " + std::to_string(e.frame));
        EXPECT_EQ(Items(run, e.frame), e.items);
    }

    // The scene is scrolled by the camera (offset 768, 304); the frame is not.
    ASSERT_NE(run.Frame(10), nullptr);
    const nlohmann::json& rpg = run.Frame(10)->at("items");
    ASSERT_EQ(rpg.size(), 6u);
    EXPECT_EQ(rpg[0].at("x"), 1500 - 64 - 768);
    EXPECT_EQ(rpg[0].at("y"), 800 - 128 - 304);
    EXPECT_EQ(rpg[1].at("x"), 0);
    EXPECT_EQ(rpg[1].at("y"), 520);
    EXPECT_EQ(rpg[2].at("x"), 70);
    EXPECT_EQ(rpg[2].at("y"), 340);
    // Shown again, the frame holds what it held before it was hidden.
    const nlohmann::json& gal = run.Frame(6)->at("items");
    EXPECT_EQ(gal[3], rpg[3]);
    EXPECT_EQ(gal[4], rpg[4]);
    EXPECT_EQ(rpg[3].at("text"), "\u3000\u3000hello");
}
