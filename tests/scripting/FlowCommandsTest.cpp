#include "display/Database.h"
#include "scripting/Script.h"
#include "scripting/ScriptManager.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct StoryCase {
    const char* what;
    std::string start;  // script/start.txt
    uint32_t frames;
    std::string log;
    int exitCode;
};

}  // namespace

// Each case is a start script run through `tabi --headless`; "Debug" lines
// in log.txt show what ran. Frame 1 changes mode, so scripts start in frame 2.
TEST(FlowCommands, StoriesLogWhatTheirCommandsDid) {
    const StoryCase cases[] = {
        {"no script step in frame 1", "Debug one", 1, "", 0},
        {"first step in frame 2", "Debug one", 2, "one\n", 0},
        {"Debug writes % literally", "Debug 100%d%s%n%%", 2, "100%d%s%n%%\n", 0},
        {"beq equal jumps", "move $t0 7 move $t1 7 beq $t0 $t1 yes Debug no yes: Debug yes", 2,
         "yes\n", 0},
        {"beq unequal goes on", "move $t0 7 move $t1 8 beq $t0 $t1 yes Debug no yes: Debug yes", 2,
         "no\nyes\n", 0},
        {"move copies -3",
         "move $t0 -3 move $t1 $t0 move $t2 -3 beq $t1 $t2 s Debug differ s: Debug same", 2,
         "same\n", 0},
        {"register 0 stays 0",
         "move $zero 5 move $t0 0 beq $zero $t0 k Debug written k: Debug kept", 2, "kept\n", 0},
        {"a:b is illegal", "a:b Debug next", 2, "CScript::Run() Illegal command: a:b\n\nnext\n", 1},
        {"a jump to a lands after a:b", "j a Debug skipped a:b Debug after", 2, "after\n", 0},
        {"a label costs a step, does nothing", "x: Debug x: Debug y", 2, "x:\ny\n", 0},
        {"missing label ends the script", "j nowhere Debug after", 2,
         "Jump failed. No label nowhere\n", 0},
        {"beq to a missing label is quiet", "beq $t0 $t0 nowhere Debug after", 2, "", 0},
        {"illegal tokens each logged, state kept", "foo Move Debug x", 2,
         "CScript::Run() Illegal command: foo\n\nCScript::Run() Illegal command: Move\n\nx\n", 1},
        {"End lets the frame finish", "End Debug still", 10, "still\n", 0},
        {"a failure outranks End", "End Dance", 10, "CScript::Run() Illegal command: Dance\n\n", 1},
        {"Terminate ends the script", "Debug a Terminate Debug b", 5, "a\n", 0},
        {"cut-off arguments repeat the last token", "Debug a Debug", 2, "a\nDebug\n", 0},
        {"WaitForEvent logs and waits", "WaitForEvent EVENT_MOUSE_DOWN Debug woke", 10,
         "WaitForEvent\n", 0},
        {"ChangeMode to an unknown mode fails", "move $a0 3 ChangeMode Debug never", 10,
         "CGame::ChangeMode() unknown mode 3: only 0 (RPGNormal) and 8 (GalNormal) exist; the "
         "run ends\n",
         1},
        {"ChangeMode takes the low 8 bits",
         "move $a0 264 ChangeMode Debug gal move $a0 0 ChangeMode "
         "Debug rpg",
         10, "gal\nrpg\n", 0},
        {"flags keep signed values",
         "move $a0 7 move $a1 -5 SetGlobalFlag move $v0 0 GetGlobalFlag move $t0 -5 beq $v0 $t0 ok "
         "Debug bad ok: Debug ok",
         2, "ok\n", 0},
        {"flag index out of range",
         "move $a0 256 move $a1 1 SetGlobalFlag move $v0 9 GetGlobalFlag move $a0 -1 GetGlobalFlag "
         "beq $v0 $zero z Debug nonzero z: Debug zero",
         2,
         "SetGlobalFlag: flag index 256 is outside 0-255\nGetGlobalFlag: flag index 256 is outside "
         "0-255\nGetGlobalFlag: flag index -1 is outside 0-255\nzero\n",
         0},
        {"previous scene",
         "SetCurScene 3 SetCurScene 5 GetPrevScene move $t0 3 beq $v0 $t0 ok "
         "Debug bad ok: Debug ok",
         2, "ok\n", 0},
        {"register past 31", "move $t24 1", 2,
         "CScript::SetRegister() $t24 is past register 31; nothing stored\n", 0},
        {"beq operand that is no register", "beq 5 $zero y Debug no y: Debug yes", 2,
         "CScript::GetRegister() 5 is not a register name; it reads 0\nyes\n", 0},
    };
    for (const StoryCase& c : cases) {
        SCOPED_TRACE(c.what);
        CTempStory story;
        const RunResult run = story.Play(c.start, c.frames);
        EXPECT_EQ(run.log, c.log);
        EXPECT_EQ(run.exitCode, c.exitCode);
    }
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
