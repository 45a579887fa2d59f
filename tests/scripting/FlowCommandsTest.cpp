#include "display/Database.h"
#include "scripting/Script.h"
#include "scripting/ScriptManager.h"
#include "support/GameHarness.h"
#include "support/StoryCases.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>

// The commands' cases, each a start script and the log it leaves.
TEST(FlowCommands, StoriesLogWhatTheirCommandsDid) {
    CStoryCases::Run("flow-commands.txt");
}

// The poll that raises the click runs before the scripts, so both wake and
// step in the frame of the click; a script waiting for the hero stays. The
// flag the start script set is the one the other reads: flags are shared.
TEST(FlowCommands, OneClickWakesTwoWaitingScriptsInTheSameFrame) {
    CTempStory story;
    story.WriteScript("start.txt",
                      "move $a0 7 move $a1 1 SetGlobalFlag WaitForEvent EVENT_MOUSE_DOWN "
                      "Debug startWoke");
    story.WriteScript("script01.txt",
                      "WaitForEvent EVENT_MOUSE_DOWN move $a0 7 GetGlobalFlag move $t0 1 "
                      "beq $v0 $t0 s Debug apart s: Debug oneWoke");
    story.WriteScript("script02.txt", "WaitForEvent EVENT_HERO_STOP Debug heroWoke");
    CGameHarness harness(story);
    CScriptManager& scripts = harness.Game().GetScriptManager();
    auto one = harness.Game().GetDatabase().LoadScript(1);
    auto two = harness.Game().GetDatabase().LoadScript(2);
    scripts.Restart(*one);
    scripts.Restart(*two);
    harness.RunFrames(3);
    EXPECT_EQ(harness.Log(), "WaitForEvent\nWaitForEvent\nWaitForEvent\n");
    scripts.RaiseEvent(CScriptManager::kEventMouseDown);
    harness.RunFrames(1);
    EXPECT_EQ(harness.Log(), "WaitForEvent\nWaitForEvent\nWaitForEvent\nstartWoke\noneWoke\n");
}
