#include "display/Displayer.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The start script switches to the picture-novel mode first: frame 2 asks,
// frame 3 changes mode, and the rest of the script runs from frame 4.
constexpr const char* kToPictures = "move $a0 8\nChangeMode\n";
constexpr const char* kBackground = "image/end.png";         // number 2002
constexpr const char* kLeft = "image/tachie-imouto.png";     // number 3000
constexpr const char* kRight = "image/tachie-oneechan.png";  // number 3001

struct Drawn {
    std::string image;  // "" for the empty sprite
    double x = 0;
    double y = 0;
    bool operator==(const Drawn&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Drawn& q) {
    return out << "{" << (q.image.empty() ? "(nothing)" : q.image) << " at " << q.x << ", " << q.y
               << "}";
}

std::vector<Drawn> QuadsOf(const nlohmann::json& frame) {
    std::vector<Drawn> quads;
    for (const auto& item : frame.at("items")) {
        if (item.at("kind") != 0) continue;
        const auto& image = item.at("image");
        quads.push_back({image.is_null() ? "" : image.get<std::string>(),
                         item.at("x").get<double>(), item.at("y").get<double>()});
    }
    return quads;
}

// Handles depend on what was made before; the log shows each as 0x#.
std::string WithoutHandles(std::string log) {
    for (size_t at = log.find("0x"); at != std::string::npos; at = log.find("0x", at + 3))
        if (log.size() >= at + 10) log.replace(at, 10, "0x#");
    return log;
}

struct StoryCase {
    const char* what;
    std::string script;
    std::vector<Drawn> lastFrame;  // every quad of the last frame, in drawing order
    std::string log;               // a regular expression for the whole log
};

}  // namespace

// Each case runs a start script for 14 frames and reads the last frame of
// the dump and the log.
TEST(SpriteCommands, StoriesPlaceFindAndDeleteFreeSprites) {
    const std::string pictures = kToPictures;
    const std::string three = pictures +
                              "move $a0 2002\nAddSprite x one\n"
                              "move $a0 3000\nAddSprite x two\n"
                              "move $a0 3001\nAddSprite x three\n";
    const std::string handle = "0x#";
    const std::string longName(40, 'L');
    const StoryCase cases[] = {
        {"drawn in the order of addition, at 0, 0",
         three,
         {{kBackground, 0, 0}, {kLeft, 0, 0}, {kRight, 0, 0}},
         ""},
        // -20 is 4294967276 unsigned, which a float holds as 2^32.
        {"placed from unsigned registers",
         three + "GetSprite two\nmove $a0 $v0\nmove $a1 100\nmove $a2 -20\nSetSpritePosition\n",
         {{kBackground, 0, 0}, {kLeft, 100, 4294967296.0}, {kRight, 0, 0}},
         ""},
        {"GetSprite finds the first of a name",
         pictures + "move $a0 3000\nAddSprite x twin\nmove $a0 3001\nAddSprite x twin\n"
                    "GetSprite twin\nmove $a0 $v0\nmove $a1 5\nmove $a2 6\nSetSpritePosition\n",
         {{kLeft, 5, 6}, {kRight, 0, 0}},
         ""},
        {"delete from the middle",
         three + "GetSprite two\nmove $a0 $v0\nDeleteSprite\n",
         {{kBackground, 0, 0}, {kRight, 0, 0}},
         "Sprite Deleted\n"},
        {"delete the last, then add: the new one goes on top",
         three + "GetSprite three\nmove $a0 $v0\nDeleteSprite\nmove $a0 3000\nAddSprite x four\n",
         {{kBackground, 0, 0}, {kLeft, 0, 0}, {kLeft, 0, 0}},
         "Sprite Deleted\n"},
        {"a deleted sprite's handle finds nothing",
         three + "GetSprite one\nmove $a0 $v0\nDeleteSprite\nDeleteSprite\nSetSpritePosition\n"
                 "GetSprite one\nbeq $v0 $zero gone\nDebug found\ngone:\nDebug gone\n",
         {{kLeft, 0, 0}, {kRight, 0, 0}},
         "Sprite Deleted\nDeleteSprite: register 4 holds handle " + handle +
             ", which names no live object of that kind\nSetSpritePosition: register 4 holds "
             "handle " +
             handle + ", which names no live object of that kind\ngone\n"},
        {"CleanScene removes them all",
         three + "GetSprite two\nmove $t0 $v0\nCleanScene\nmove $a0 $t0\nSetSpritePosition\n",
         {},
         "SetSpritePosition: register 4 holds handle " + handle +
             ", which names no live object of that kind\n"},
        {"adding after CleanScene starts a new list",
         three + "CleanScene\nmove $a0 3001\nAddSprite x again\n",
         {{kRight, 0, 0}},
         ""},
        {"an unknown number adds the empty sprite, which draws nothing",
         pictures + "move $a0 7\nAddSprite x ghost\nGetSprite ghost\nbeq $v0 $zero none\n"
                    "Debug listed\nnone:\n",
         {{"", 0, 0}},
         "CDatabase::LoadSprite No 7\nlisted\n"},
        {"AddSprite leaves $v0 alone",
         pictures + "move $v0 7\nmove $a0 3000\nAddSprite x a\nmove $t0 7\nbeq $v0 $t0 kept\n"
                    "Debug changed\nkept:\nDebug kept\n",
         {{kLeft, 0, 0}},
         "kept\n"},
        {"GetSprite of an unknown name stores 0",
         three + "move $v0 9\nGetSprite nobody\nbeq $v0 $zero zero\nDebug nonzero\nzero:\n"
                 "Debug zero\n",
         {{kBackground, 0, 0}, {kLeft, 0, 0}, {kRight, 0, 0}},
         "zero\n"},
        {"a long name still finds its sprite",
         pictures + "move $a0 3000\nAddSprite x " + longName + "\nGetSprite " + longName +
             "\nmove $a0 $v0\nmove $a1 9\nSetSpritePosition\n",
         {{kLeft, 9, 0}},
         ""},
        {"0 in $a0 finds nothing, quietly",
         three + "move $a0 0\nDeleteSprite\nmove $a1 50\nSetSpritePosition\n",
         {{kBackground, 0, 0}, {kLeft, 0, 0}, {kRight, 0, 0}},
         ""},
        {"the tokens stay in step whatever is found",
         pictures + "move $a0 3000\nAddSprite 7 a\nGetSprite b\nDebug next\n",
         {{kLeft, 0, 0}},
         "next\n"},
    };
    for (const StoryCase& c : cases) {
        SCOPED_TRACE(c.what);
        CTempStory story;
        for (int number : {2002, 3000, 3001})
            story.WriteSpriteImages(number);
        story.WriteScript("start.txt", c.script);
        const RunResult run = story.RunHeadless(14);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(WithoutHandles(run.log), c.log);
        ASSERT_FALSE(run.dump.empty());
        EXPECT_EQ(run.dump.back().at("frame"), 14);
        EXPECT_EQ(QuadsOf(run.dump.back()), c.lastFrame);
    }
}

// While the role-playing mode is current, AddSprite, GetSprite and
// DeleteSprite are ignored without a word and load nothing; the picture
// scene keeps its sprites and shows them again when it comes back.
// SetSpritePosition works on a sprite handle in either mode.
TEST(SpriteCommands, PictureCommandsAreIgnoredInTheRolePlayingMode) {
    CTempStory story;
    for (int number : {2002, 3000, 3001})
        story.WriteSpriteImages(number);
    story.WriteScript("start.txt",
                      "move $a0 8\nChangeMode\n"
                      "move $a0 3000\nAddSprite x kept\nGetSprite kept\nmove $t0 $v0\n"
                      "move $a0 0\nChangeMode\n"
                      "move $a0 3001\nAddSprite x ignored\nmove $a0 7\nAddSprite x unknown\n"
                      "move $v0 5\nGetSprite kept\nbeq $v0 $zero zero\nDebug found\nzero:\n"
                      "move $a0 $t0\nDeleteSprite\nmove $a0 12345\nDeleteSprite\n"
                      "move $a0 $t0\nmove $a1 30\nmove $a2 40\nSetSpritePosition\n"
                      "Debug rpg\nmove $a0 8\nChangeMode\nDebug back\n");
    {
        CGameHarness harness(story);
        harness.RunFrames(6);  // frame 6 runs the role-playing part
        EXPECT_EQ(harness.Log(), "rpg\n");
        EXPECT_EQ(harness.Game().GetDisplayer().DecodedTextures(), 4u + 1u + 1u)
            << "pointer, frame and the one picture added in the picture-novel mode";
    }
    const RunResult run = story.RunHeadless(9);
    EXPECT_EQ(run.log, "rpg\nback\n");
    ASSERT_NE(run.Frame(9), nullptr);
    EXPECT_EQ(QuadsOf(*run.Frame(9)), (std::vector<Drawn>{{kLeft, 30, 40}}));
}
