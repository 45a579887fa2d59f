#include "app/Game.h"

#include "app/HandleRegistry.h"
#include "support/GameHarness.h"
#include "support/SceneStory.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// One round of a story that uses both styles: a scene with a trap, a
// character with a script and the hero walking, then a picture-novel
// passage clicked through, then back, and the scene cleaned for the next
// round (the hero stays).
std::string MixedRound() {
    return "SetSceneScale 2048 1024\nSetTile 320 280 320 320 7\nSetTrap 7 1\n" +
           CSceneStory::EntityAt(0, "bg", 1024, 512) + "SetEntityDepth bg 1000\n" +
           "GetHero\nmove $a0 $v0\nmove $a1 200\nmove $a2 300\nPlaceEntity\n" +
           CSceneStory::EntityAt(2, "npc", 700, 300) +
           "SetNPC\nmove $a1 2\nSetEntityScript\n"
           "MoveEntityTo hero 400 300 5\nMoveEntityTo npc 650 320 1\n"
           "WaitForEvent EVENT_HERO_STOP\n"
           "move $a0 8\nChangeMode\nmove $a0 3\nAddSprite x pic\nShowDialogueFrame\n"
           "SetDialogueSpeaker Someone\nSetDialogueContent Hello\nWaitForEvent EVENT_MOUSE_DOWN\n"
           "HideDialogueFrame\nCleanScene\nmove $a0 0\nChangeMode\nCleanScene\nHideDialogueFrame\n";
}

// Clicks, every 10 frames, alternately on the character (whose script then
// shows a dialogue and waits, and may be cleaned away while it waits) and on
// open ground; in the picture-novel passages each click turns the page.
std::string Clicks(uint32_t frames) {
    std::string input = "2 motion 400 300\n";
    for (uint32_t frame = 5; frame + 3 < frames; frame += 10) {
        const bool toCharacter = (frame / 10) % 2 == 0;
        input += std::to_string(frame) + (toCharacter ? " motion 260 50\n" : " motion -260 -50\n");
        input += std::to_string(frame + 1) + " press\n" + std::to_string(frame + 2) + " release\n";
    }
    return input;
}

constexpr int kRounds = 12;
constexpr uint32_t kFrames = 1200;

}  // namespace

// Every round ends, the same input gives the same frames on a second run,
// and the objects of one round are all gone by the next: the number of live
// handles never grows past what the first rounds needed.
TEST(MixedStory, SwitchingModesManyTimesLeaksNothingAndReplaysTheSame) {
    CTempStory story;
    for (int number : {0, 1, 2, 3})
        story.WriteSpriteImages(number);
    std::string start = CSceneStory::HeroAt(200, 300);
    for (int round = 0; round < kRounds; ++round)
        start += MixedRound() + "Debug round\n";
    story.WriteScript("start.txt", start);
    story.WriteScript("script01.txt", "Debug trap\n");
    story.WriteScript("script02.txt",
                      "ShowDialogueFrame\nWaitForEvent EVENT_MOUSE_DOWN\nHideDialogueFrame\n");
    story.WriteInput(Clicks(kFrames));

    const RunResult first = story.RunHeadless(kFrames);
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_EQ(CSceneStory::Count(first.log, "round\n"), static_cast<size_t>(kRounds)) << first.log;
    const RunResult second = story.RunHeadless(kFrames);
    ASSERT_EQ(first.dump.size(), second.dump.size());
    for (size_t i = 0; i < first.dump.size(); ++i)
        ASSERT_EQ(first.dump[i], second.dump[i]) << "line " << i;
    EXPECT_EQ(first.log, second.log);

    CGameHarness harness(story);
    size_t earlyMost = 0, laterMost = 0;
    for (uint32_t frame = 1; frame <= kFrames; ++frame) {
        harness.RunFrames(1);
        size_t& most = frame <= kFrames / 4 ? earlyMost : laterMost;
        most = std::max(most, harness.Game().Handles().LiveCount());
    }
    EXPECT_GT(earlyMost, 0u);
    EXPECT_LE(laterMost, earlyMost);
}
