#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The start script switches to the picture-novel mode first: frame 2 asks,
// frame 3 changes mode, and the rest of the script runs from frame 4.
constexpr const char* kToPictures = "move $a0 8\nChangeMode\n";
const std::string kBackground = "image/end.png";         // number 2002
const std::string kLeft = "image/tachie-imouto.png";     // number 3000
const std::string kRight = "image/tachie-oneechan.png";  // number 3001

// Every quad of a dump frame, in drawing order, as "picture@x,y".
std::vector<std::string> QuadsOf(const nlohmann::json& frame) {
    std::vector<std::string> quads;
    for (const auto& item : frame.at("items")) {
        if (item.at("kind") != 0) continue;
        quads.push_back(item.at("image").get<std::string>() + "@" + item.at("x").dump() + "," +
                        item.at("y").dump());
    }
    return quads;
}

// Handles depend on what was made before; the log shows each as 0x#.
std::string WithoutHandles(std::string log) {
    for (size_t at = log.find("0x"); at != std::string::npos; at = log.find("0x", at + 3))
        if (log.size() >= at + 10) log.replace(at, 10, "0x#");
    return log;
}

std::string Stale(const char* command) {
    return std::string(command) +
           ": register 4 holds handle 0x#, which names no live object of that kind\n";
}

CTempStory& WithPictures(CTempStory& story) {
    for (int number : {2002, 3000, 3001})
        story.WriteSpriteImages(number);
    return story;
}

}  // namespace

// Each case runs a start script for 14 frames and reads every quad of the
// last frame of the dump and the log.
TEST(SpriteCommands, StoriesPlaceFindAndDeleteFreeSprites) {
    struct StoryCase {
        const char* what;
        std::string script;
        std::vector<std::string> lastFrame;
        std::string log;
    };
    const std::string pictures = kToPictures;
    const std::string three = pictures +
                              "move $a0 2002\nAddSprite x one\n"
                              "move $a0 3000\nAddSprite x two\n"
                              "move $a0 3001\nAddSprite x three\n";
    const std::string bg = kBackground + "@0.0,0.0", left = kLeft + "@0.0,0.0",
                      right = kRight + "@0.0,0.0";
    const StoryCase cases[] = {
        {"drawn in the order of addition, at 0, 0", three, {bg, left, right}, ""},
        // -20 is 4294967276 unsigned, which a float holds as 2^32.
        {"placed from unsigned registers",
         three + "GetSprite two\nmove $a0 $v0\nmove $a1 100\nmove $a2 -20\nSetSpritePosition\n",
         {bg, kLeft + "@100.0,4294967296.0", right},
         ""},
        {"GetSprite finds the first of a name",
         pictures + "move $a0 3000\nAddSprite x twin\nmove $a0 3001\nAddSprite x twin\n"
                    "GetSprite twin\nmove $a0 $v0\nmove $a1 5\nmove $a2 6\nSetSpritePosition\n",
         {kLeft + "@5.0,6.0", right},
         ""},
        {"delete from the middle, then add: the new one goes on top",
         three + "GetSprite two\nmove $a0 $v0\nDeleteSprite\nmove $a0 3000\nAddSprite x four\n",
         {bg, right, left},
         "Sprite Deleted\n"},
        {"a deleted sprite's handle finds nothing",
         three + "GetSprite one\nmove $a0 $v0\nDeleteSprite\nDeleteSprite\nSetSpritePosition\n"
                 "GetSprite one\nbeq $v0 $zero gone\nDebug found\ngone:\nDebug gone\n",
         {left, right},
         "Sprite Deleted\n" + Stale("DeleteSprite") + Stale("SetSpritePosition") + "gone\n"},
        {"CleanScene removes them all; adding after it starts a new list",
         three + "GetSprite two\nmove $t0 $v0\nCleanScene\nmove $a0 $t0\nSetSpritePosition\n"
                 "move $a0 3001\nAddSprite x again\n",
         {right},
         Stale("SetSpritePosition")},
        {"an entity's handle names no sprite",
         "LoadSprite 1000 x entity\nmove $t0 $v0\n" + three +
             "move $a0 $t0\nmove $a1 9\nSetSpritePosition\n",
         {bg, left, right},
         Stale("SetSpritePosition")},
        {"AddSprite leaves $v0 alone and GetSprite of an unknown name stores 0",
         three + "move $v0 7\nmove $a0 3000\nAddSprite x a\nmove $t0 7\nbeq $v0 $t0 kept\n"
                 "Debug changed\nkept:\nGetSprite nobody\nbeq $v0 $zero zero\nDebug nonzero\n"
                 "zero:\nDebug zero\n",
         {bg, left, right, left},
         "zero\n"},
        {"0 in $a0 finds nothing, quietly",
         three + "move $a0 0\nDeleteSprite\nmove $a1 50\nSetSpritePosition\n",
         {bg, left, right},
         ""},
        // While the role-playing mode is current, AddSprite, GetSprite and
        // DeleteSprite are ignored without a word and load nothing (loading
        // number 7 would log); the picture scene keeps its sprites for the
        // return. SetSpritePosition works on a sprite handle in either mode.
        {"picture commands are ignored in the role-playing mode",
         pictures +
             "move $a0 3000\nAddSprite x kept\nGetSprite kept\nmove $t0 $v0\n"
             "move $a0 0\nChangeMode\nmove $a0 3001\nAddSprite x ignored\nmove $a0 7\n"
             "AddSprite x unknown\nmove $v0 5\nGetSprite kept\nbeq $v0 $zero zero\n"
             "Debug found\nzero:\nmove $a0 $t0\nDeleteSprite\nmove $a0 12345\nDeleteSprite\n"
             "move $a0 $t0\nmove $a1 30\nmove $a2 40\nSetSpritePosition\nDebug rpg\n" +
             pictures,
         {kLeft + "@30.0,40.0"},
         "rpg\n"},
        {"the tokens stay in step whatever is found",
         pictures + "move $a0 3000\nAddSprite 7 a\nGetSprite b\nDebug next\n",
         {left},
         "next\n"},
    };
    for (const StoryCase& c : cases) {
        SCOPED_TRACE(c.what);
        CTempStory story;
        WithPictures(story).WriteScript("start.txt", c.script);
        const RunResult run = story.RunHeadless(14);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(WithoutHandles(run.log), c.log);
        ASSERT_NE(run.Frame(14), nullptr);
        EXPECT_EQ(QuadsOf(*run.Frame(14)), c.lastFrame);
    }
}
