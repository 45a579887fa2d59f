#include "support/StoryCases.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

// Each command reads exactly its own tokens, found or not, and in either
// mode: a token left unread would run as an illegal command, one read too
// many would swallow the Debug.
TEST(SceneCommands, CommandsReadTheirTokensWhateverTheyFind) {
    std::istringstream commands(  // one a line, with the tokens it takes
        "LoadSprite 2 x npc\nPlaceEntity\nSetEntityDepth missing 5\nSetEntityCenter missing 1 2\n"
        "SetHero missing\nSetNPC\nSetSceneScale 640 480\nSetTile 1 2 3 4 5\n"
        "MoveEntityTo missing 1 2 3\nSetTrap 1 9\nCleanScene\nGetHero\nPlaySeq\nSetEntityScript\n"
        "GetSpeed");
    CTempStory story;
    story.WriteSpriteImages({1, 2, 3});
    for (std::string command; std::getline(commands, command);)
        for (const std::string mode : {"", "move $a0 8\nChangeMode\nmove $a0 0\n"}) {
            const RunResult run = story.Play(mode + command + "\nDebug next\n", 6);
            EXPECT_EQ(run.log, "next\n") << command << (mode.empty() ? "" : " (picture-novel)");
            EXPECT_EQ(run.exitCode, 0) << command;
        }
}

// Results in $v0, and refusals: cases as data.
TEST(SceneCommands, ResultsAndRefusals) {
    CStoryCases::Run("scene-results.txt");
}

// Entities drawn around their centre, and handles that outlive them.
TEST(SceneCommands, EntitiesAreDrawnAroundTheirCentre) {
    CStoryCases::Run("scene-entities.txt");
}
