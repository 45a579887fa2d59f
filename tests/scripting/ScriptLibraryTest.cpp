#include "scripting/ScriptLibrary.h"

#include "display/Database.h"
#include "scripting/Script.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

// A file that cannot be opened is logged on each load and tried again on the
// next. A number outside the script table gives no script and no line.
TEST(ScriptLibrary, AMissingFileIsLoggedEachTimeAndTriedAgain) {
    const std::string failed = "CScript::CScript fopen failed\n\n";
    CTempStory story;
    CGameHarness harness(story);
    harness.RunFrames(2);
    CDatabase& database = harness.Game().GetDatabase();
    EXPECT_FALSE(database.LoadScript(3)->IsOpen());
    EXPECT_FALSE(database.LoadScript(3)->IsOpen());
    EXPECT_EQ(database.LoadScript(5), nullptr);
    EXPECT_EQ(harness.Log(), failed + failed);
    story.WriteScript("script03.txt", "Debug x");
    EXPECT_TRUE(database.LoadScript(3)->IsOpen());
}

// A story without its start script has nothing to play: rather than a black
// screen for ever, the run ends before its first frame and names the file.
TEST(ScriptLibrary, AMissingStartScriptEndsTheRunNamingTheFile) {
    CTempStory story;
    std::filesystem::remove(story.Dir() / "script/start.txt");
    const RunResult run = story.RunHeadless(5);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.log,
              "CScript::CScript fopen failed\n\n"
              "CScriptManager::Start() no start script: script/start.txt is missing or cannot be "
              "read\n");
    EXPECT_TRUE(run.dump.empty());
}
