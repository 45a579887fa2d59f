#include "support/SceneStory.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Options(std::string_view letters) {
    std::string text;
    for (char letter : letters)
        text += std::string("AddChoice ") + letter + "\n";
    return text;
}

// Shows the options, then leaves "pickedN" in the log for $v0 = N.
std::string ShowAndReport() {
    std::string text = "ShowChoices\n";
    for (int n = 0; n <= 9; ++n)
        text += "move $t0 " + std::to_string(n) + "\nbeq $v0 $t0 p" + std::to_string(n) + "\n";
    for (int n = 0; n <= 9; ++n)
        text += "p" + std::to_string(n) + ":\nDebug picked" + std::to_string(n) + "\nTerminate\n";
    return text;
}

// The options drawn in frame N as "1. A|2. B*|" (* : the lit one).
std::string Menu(const RunResult& run, uint32_t frame) {
    std::string shown;
    const nlohmann::json* line = run.Frame(frame);
    for (const auto& item : line ? line->at("items") : nlohmann::json::array())
        if (item["kind"] == 1 && item["rect"][0] == 280)
            shown += item["text"].get<std::string>() + (item["color"] == 0xFF000000u ? "*|" : "|");
    return shown;
}

struct Case {
    const char* name;
    std::string start;
    const char* input;
    uint32_t shownAt;  // a frame while the menu is open
    std::string menu;
    const char* picked;
    const char* logged = "";
};

const std::string kGal = "move $a0 8\nChangeMode\n";

std::string Accents(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "\xC3\xA9";
    return text;
}

}  // namespace

// Each story offers options and reports what the player picked. A click
// off the options picks nothing and the hero, sent walking before, stands
// still; keys without an option do nothing; a tenth option is refused; a
// menu shown in one mode is picked in the other; long texts are cut whole.
TEST(Choices, ThePlayerPicksByClickOrKeyInEitherMode) {
    const Case cases[] = {
        {"click", CSceneStory::HeroAt(200, 300) + "MoveEntityTo hero 900 300 5\n" + Options("LRS"),
         "2 motion 640 135\n4 press\n5 release\n6 motion 0 300\n8 press\n", 7, "1. L|2. R*|3. S|",
         "picked2"},
        {"keys", kGal + Options("ABC"), "4 motion 640 380\n5 key 7\n8 key 3\n", 7,
         "1. A*|2. B|3. C|", "picked3"},
        {"ten", kGal + Options("ABCDEFGHIJ"), "6 key 9\n", 5,
         "1. A|2. B|3. C|4. D|5. E|6. F|7. G|8. H|9. I|", "picked9", "option J refused"},
        {"mode change",
         CSceneStory::HeroAt(200, 500) + CSceneStory::EntityAt(2, "npc", 250, 300) +
             "SetTile 320 280 320 320 7\nSetTrap 7 1\nMoveEntityTo npc 600 300 5\n" + Options("XY"),
         "40 motion 640 490\n41 press\n", 39, "1. X|2. Y|", "picked2"},
        {"utf-8", "AddChoice " + std::string(40, 'x') + Accents(100) + "\n", "5 key 1\n", 4,
         "1. " + std::string(40, 'x') + Accents(78) + "|", "picked1"},  // cut at 199 bytes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTempStory story;
        for (int number : {1, 2})
            story.WriteSpriteImages(number);
        story.WriteScript("start.txt", c.start + ShowAndReport());
        story.WriteScript("script01.txt", kGal);
        if (std::string(c.name) == "utf-8") story.WriteFile("story.toml", "encoding = \"utf-8\"\n");
        story.WriteInput(c.input);
        const RunResult run = story.RunHeadless(c.shownAt + 4);
        EXPECT_EQ(Menu(run, c.shownAt), c.menu);
        EXPECT_EQ(Menu(run, c.shownAt + 4), "");  // cleared once picked
        EXPECT_EQ(CSceneStory::Count(run.log, "picked"), 1u) << run.log;
        EXPECT_NE(run.log.find(c.picked), std::string::npos) << run.log;
        EXPECT_NE(run.log.find(c.logged), std::string::npos) << run.log;
        const std::string name = c.name;
        if (name == "click") {  // the hero stood still
            EXPECT_EQ(CSceneStory::CentreIn(run, c.shownAt + 4), (ScenePoint{200, 300}));
        }
        if (name == "mode change") {  // picked in the picture-novel mode
            EXPECT_TRUE(CSceneStory::Items(run, c.shownAt, "image/walk").empty());
        }
    }
}
