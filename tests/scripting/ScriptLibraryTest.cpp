#include "scripting/ScriptLibrary.h"

#include "display/Database.h"
#include "scripting/Script.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

TEST(ScriptLibrary, LoadsOnlyTheNumbersOfTheTable) {
    CTempStory story;
    for (const char* name : {"start.txt", "script01.txt", "script02.txt", "script03.txt",
                             "script04.txt", "script05.txt", "script10.txt", "script11.txt"})
        story.WriteScript(name, "Debug x");
    CGameHarness harness(story);
    CDatabase& database = harness.Game().GetDatabase();
    for (const int number : {0, 1, 2, 3, 4, 10}) {
        SCOPED_TRACE(number);
        const auto script = database.LoadScript(number);
        ASSERT_NE(script, nullptr);
        EXPECT_TRUE(script->IsOpen());
        EXPECT_EQ(script->State(), ScriptState::Ready);
    }
    for (const int number : {-1, 5, 9, 11, 100})
        EXPECT_EQ(database.LoadScript(number), nullptr) << number;
    EXPECT_EQ(harness.Log(), "");
}

TEST(ScriptLibrary, AMissingFileIsLoggedEachTimeAndTriedAgain) {
    CTempStory story;
    story.WriteScript("start.txt", "");
    CGameHarness harness(story);
    EXPECT_FALSE(harness.Game().GetDatabase().LoadScript(3)->IsOpen());
    EXPECT_FALSE(harness.Game().GetDatabase().LoadScript(3)->IsOpen());
    EXPECT_EQ(harness.Log(), "CScript::CScript fopen failed\n\nCScript::CScript fopen failed\n\n");
    story.WriteScript("script03.txt", "Debug x");
    EXPECT_TRUE(harness.Game().GetDatabase().LoadScript(3)->IsOpen());
}
