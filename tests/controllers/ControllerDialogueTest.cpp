#include "controllers/ControllerDialogue.h"

#include "support/SceneStory.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>

// The frame starts hidden in both modes; once shown it stays shown across
// mode changes, and hiding and showing it again brings back the same texts
// and portrait. In the role-playing mode the frame lies over the scene and
// under the pointer, and only the scene moves with the camera; in the
// picture-novel mode it lies over the free sprites, and a click wakes the
// waiting script whether the frame is shown or not, in the frame of the
// click (the poll comes before the scripts): frame 6 already shows it.
// Scene commands in the picture-novel mode leave the scene alone: it comes
// back as it was. A switch to the mode already current rebuilds the same
// chain (a link added twice would loop for ever).
TEST(ControllerDialogue, FrameIsHiddenUntilShownAndSurvivesModeChanges) {
    CTempStory story;
    for (int number : {1, 3, 2002})
        story.WriteSpriteImages(number);
    story.WriteScript("start.txt",
                      // frame 2, role-playing: a hero far into a wide scene
                      "SetSceneScale 2048 1024\nLoadSprite 1 x walker\nSetHero walker\n"
                      "move $a0 $v0\nmove $a1 1500\nmove $a2 800\nPlaceEntity\n"
                      "move $a0 0\nmove $a1 3\nLoadPortrait\nmove $a1 0\nSelectPortrait\n"
                      "SetDialogueSpeaker Mei\nSetDialogueContent hello\n"
                      "move $a0 8\nChangeMode\n"
                      // frame 4, picture-novel, hidden; a click in frame 6 shows it
                      "move $a0 2002\nAddSprite x bg\nWaitForEvent EVENT_MOUSE_DOWN\n"
                      "ShowDialogueFrame\nWaitForEvent EVENT_MOUSE_DOWN\n"
                      // frame 8: the picture scene cleaned, the role-playing one untouched
                      "SetEntityDepth walker 5\nCleanScene\n"
                      // back to the role-playing mode, still shown in frame 10
                      "move $a0 0\nChangeMode\nHideDialogueFrame\nShowDialogueFrame\n"
                      "WaitForEvent EVENT_MOUSE_DOWN\n"
                      // frame 12: hidden again; then each mode asked for while current
                      "HideDialogueFrame\nmove $a0 0\nChangeMode\nmove $a0 8\nChangeMode\n"
                      "move $a0 8\nChangeMode\nShowDialogueFrame\nmove $a0 0\nChangeMode\n");
    story.WriteInput("6 press\n7 release\n8 press\n9 release\n12 press\n13 release\n");
    const RunResult run = story.RunHeadless(20);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    const std::pair<uint32_t, const char*> frames[] = {
        {2, "walk00 m0 "},
        {3, "(no render)"},
        {4, "end "},
        {5, "end "},
        {6, "end dia imouto text text "},
        {8, "dia imouto text text "},
        {9, "(no render)"},
        {10, "walk00 dia imouto text text m0 "},
        {12, "walk00 m0 "},
        {18, "dia imouto text text "},
        {20, "walk00 dia imouto text text m0 "},
    };
    for (const auto& [frame, words] : frames)
        EXPECT_EQ(CSceneStory::Words(run, frame), words) << "frame " << frame;

    // The scene is scrolled by the camera (offset 768, 304); the frame is not.
    ASSERT_TRUE(run.Frame(6) && run.Frame(10));
    const nlohmann::json& rpg = run.Frame(10)->at("items");
    ASSERT_EQ(rpg.size(), 6u);
    EXPECT_EQ(rpg[0].at("x"), 1500 - 64 - 768);
    EXPECT_EQ(rpg[0].at("y"), 800 - 128 - 304);
    EXPECT_EQ(rpg[1].at("y"), 520);
    EXPECT_EQ(rpg[2].at("x"), 70);
    // Shown again, the frame holds what it held before it was hidden.
    const nlohmann::json& gal = run.Frame(6)->at("items");
    EXPECT_EQ(gal[3], rpg[3]);
    EXPECT_EQ(gal[4], rpg[4]);
    EXPECT_EQ(rpg[3].at("text"), "\u3000\u3000hello");
}
