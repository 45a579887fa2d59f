#include "scripting/ScriptLibrary.h"

#include "display/Database.h"
#include "scripting/Script.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

// A file that cannot be opened is logged on each load and tried again on the
// next: a missing start script once, at start-up, and it never runs, even
// when the file appears later. A number outside the script table gives no
// script and no line.
TEST(ScriptLibrary, AMissingFileIsLoggedEachTimeAndTriedAgain) {
    const std::string failed = "CScript::CScript fopen failed\n\n";
    CTempStory story;
    story.WriteScript("script05.txt", "Debug x");
    CGameHarness harness(story);
    harness.RunFrames(3);
    story.WriteScript("start.txt", "Debug late");
    harness.RunFrames(2);
    EXPECT_EQ(harness.Log(), failed);
    CDatabase& database = harness.Game().GetDatabase();
    EXPECT_FALSE(database.LoadScript(3)->IsOpen());
    EXPECT_FALSE(database.LoadScript(3)->IsOpen());
    EXPECT_EQ(database.LoadScript(5), nullptr);
    EXPECT_EQ(harness.Log(), failed + failed + failed);
    story.WriteScript("script03.txt", "Debug x");
    EXPECT_TRUE(database.LoadScript(3)->IsOpen());
}
