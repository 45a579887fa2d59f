#include "support/SceneStory.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

struct StoryCase {
    const char* what;
    std::string start;
    std::string log;
    uint32_t frames = 6;
};

constexpr const char* kToGal = "move $a0 8\nChangeMode\n";

class SceneCommands : public ::testing::Test {
protected:
    SceneCommands() { m_story.WriteSpriteImages({1, 2, 3}); }
    void ExpectLogs(const StoryCase& c) {
        SCOPED_TRACE(c.what);
        const RunResult run = m_story.Play(c.start, c.frames);
        EXPECT_EQ(run.log, c.log);
        EXPECT_EQ(run.exitCode, 0);
    }
    CTempStory m_story;
};

std::string Check(const std::string& value, const char* yes, const char* no) {
    return "move $t9 " + value + "\nbeq $v0 $t9 yes\nDebug " + no + "\nj done\nyes:\nDebug " + yes +
           "\ndone:\n";
}

}  // namespace

// Each command reads exactly its own tokens, found or not, and in either
// mode: a token left unread would run as an illegal command, one read too
// many would swallow the Debug.
TEST_F(SceneCommands, CommandsReadTheirTokensWhateverTheyFind) {
    std::istringstream commands(  // one a line, with the tokens it takes
        "LoadSprite 2 x npc\nPlaceEntity\nSetEntityDepth missing 5\nSetEntityCenter missing 1 2\n"
        "SetHero missing\nSetNPC\nSetSceneScale 640 480\nSetTile 1 2 3 4 5\n"
        "MoveEntityTo missing 1 2 3\nSetTrap 1 9\nCleanScene\nGetHero\nPlaySeq\nSetEntityScript\n"
        "GetSpeed");
    const std::string gal = std::string(kToGal) + "move $a0 0\n";
    for (std::string command; std::getline(commands, command);)
        for (const std::string& mode : {std::string(), gal})
            ExpectLogs({command.c_str(), mode + command + "\nDebug next\n", "next\n"});
}

// Results in $v0. Scene-only commands in the picture-novel mode are ignored
// and answer 0; LoadSprite there loads no picture at all (sprite 4's
// pictures are missing from this story, which would otherwise end it). A
// walk that could never end is refused: the hero stays, and a script waiting
// for it to stop is not left waiting on a frozen walking pose.
TEST_F(SceneCommands, ResultsAndRefusals) {
    const std::string walk = CSceneStory::HeroAt(200, 300) + "MoveEntityTo hero 600 300 ";
    const std::string arrive =
        "\nMoveEntityTo hero 230 340 5\nWaitForEvent EVENT_HERO_STOP\nDebug arrived\n";
    const std::string stays = " is not above 0; hero stays where it is\nWaitForEvent\narrived\n";
    const StoryCase cases[] = {
        {"GetHero gives the hero's handle",
         "LoadSprite 1 x hero\nmove $t0 $v0\nSetHero hero\nmove $v0 0\nGetHero\n" +
             Check("$t0", "same", "differ"),
         "same\n"},
        {"GetHero without a hero", "move $v0 5\nGetHero\n" + Check("0", "zero", "nonzero"),
         "zero\n"},
        {"GetHero in picture-novel mode",
         "LoadSprite 1 x hero\nSetHero hero\n" + std::string(kToGal) + "move $v0 5\nGetHero\n" +
             Check("0", "zero", "nonzero"),
         "zero\n"},
        {"LoadSprite in picture-novel mode",
         std::string(kToGal) + "move $v0 5\nLoadSprite 4 x corridor\n" +
             Check("0", "zero", "nonzero"),
         "zero\n"},
        {"GetSpeed of velocity (3, 4)",
         "LoadSprite 2 x npc\nmove $a0 $v0\nMoveEntityTo npc 30 40 5\nGetSpeed\n" +
             Check("25", "25", "other"),
         "25\n"},
        {"GetSpeed of a standing entity",
         "LoadSprite 2 x npc\nmove $a0 $v0\nmove $v0 7\nGetSpeed\n" + Check("0", "0", "other"),
         "0\n"},
        {"GetSpeed without an entity",
         "move $a0 0\nmove $v0 7\nGetSpeed\n" + Check("0", "0", "other"), "0\n"},
        {"speed 0", walk + "0" + arrive, "MoveEntityTo: speed 0" + stays, 30},
        {"speed -5", walk + "-5" + arrive, "MoveEntityTo: speed -5" + stays, 30},
        // The empty sprite has no picture, quad or animation, and nothing
        // makes it fail, not even a byte tick run round many times.
        {"unknown numbers give the empty sprite",
         "LoadSprite 7 x a\nmove $a0 $v0\nmove $a1 1\nPlaySeq\nLoadSprite -1 x b\n"
         "LoadSprite -2147483648 x c\n",
         "CDatabase::LoadSprite No 7\nCDatabase::LoadSprite No -1\n"
         "CDatabase::LoadSprite No -2147483648\n",
         300},
    };
    for (const StoryCase& c : cases)
        ExpectLogs(c);
}

// One entity at (300, 200), as frame 2 draws it: its picture (which
// PlaySeq picks by the low 8 bits of $a1, or keeps when the sprite lacks the
// sequence) and its top-left corner, the place less the centre. Names keep
// 22 bytes: the 23rd is cut off, so the entity answers to its first 22 only.
TEST_F(SceneCommands, EntitiesAreDrawnAroundTheirCentre) {
    const std::string name23 = "abcdefghijklmnopqrstuvw";
    struct Placement {
        const char* what;
        int number;
        std::string lines;
        const char* image;
        double x, y;       // the item's top-left corner
        double slack = 0;  // floats near 2^32 are 256 apart
        std::string name = "npc";
    };
    const Placement placements[] = {
        {"SetEntityCenter moves the picture", 2, "SetEntityCenter npc 10 -20\n", "oneechanS", 290,
         220},
        {"a negative register is a huge coordinate", 2, "move $a1 -3\nPlaceEntity\n", "oneechanS",
         4294967293.0 - 64, 72, 256},
        {"a name no entity has changes nothing", 2, "SetEntityCenter Npc 0 0\n", "oneechanS", 236,
         72},
        {"a name keeps 22 bytes", 2, "SetEntityCenter " + name23.substr(0, 22) + " 10 -20\n",
         "oneechanS", 290, 220, 0, name23},
        {"so its 23 bytes find nothing", 2, "SetEntityCenter " + name23 + " 10 -20\n", "oneechanS",
         236, 72, 0, name23},
        {"PlaySeq 263 is 7", 1, "move $a1 263\nPlaySeq\n", "walkd01", 236, 72},
        {"PlaySeq of a sequence it lacks", 1, "move $a1 8\nPlaySeq\n", "walk00", 236, 72},
    };
    for (const Placement& p : placements) {
        SCOPED_TRACE(p.what);
        m_story.WriteScript("start.txt",
                            CSceneStory::EntityAt(p.number, p.name, 300, 200) + p.lines);
        const nlohmann::json item =
            CSceneStory::Item(m_story.RunHeadless(2), 2, std::string("image/") + p.image + ".png");
        EXPECT_NEAR(item["x"].get<double>(), p.x, p.slack);
        EXPECT_EQ(item["y"].get<double>(), p.y);
    }
}

// A handle kept across CleanScene names nothing: each command given it logs
// one line and does nothing, even after a new entity took the same slot.
TEST_F(SceneCommands, HandlesOfCleanedEntitiesFindNothing) {
    const RunResult run =
        m_story.Play(CSceneStory::EntityAt(2, "npc", 300, 200) + "move $t0 $a0\nCleanScene\n" +
                         CSceneStory::EntityAt(3, "new", 300, 200) +
                         "move $a0 $t0\nmove $a1 50\nmove $a2 50\nPlaceEntity\nSetNPC\n"
                         "move $a1 1\nPlaySeq\nSetEntityScript\nmove $v0 9\nGetSpeed\n" +
                         Check("0", "zero", "nonzero"),
                     3);
    const std::vector<std::string> lines = run.LogLines();
    ASSERT_EQ(lines.size(), 6u) << run.log;
    const char* commands[] = {"PlaceEntity", "SetNPC", "PlaySeq", "SetEntityScript", "GetSpeed"};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_TRUE(lines[i].starts_with(std::string(commands[i]) + ": register 4 holds handle"));
    EXPECT_EQ(lines[5], "zero");
    EXPECT_EQ(CSceneStory::Item(run, 3, "image/imouto.png")["x"], 300 - 256);  // did not move
}
