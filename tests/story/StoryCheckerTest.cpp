// `tabi --check` on stories with one mistake of each kind it knows: every
// finding with its exact place, and nothing more.
#include "scripting/CommandTable.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

const char* const kManifest = R"(encoding = "utf-8"
[scripts]
0 = "script/start.txt"
1 = "script/gone.txt"
[pictures.7]
name = "tower"
files = ["image/tower.png"]
size = [64, 64]
[pictures.8]
name = "broken"
files = ["image/broken.png"]
size = [64, 64]
)";

// One mistake a line; the comments are the class each one stands for.
const std::string kScript = std::string() +
                            "AddSprite x early\n"              // a command of the other mode
                            "SetTile 0 0 1 1 1\n"              // the scene before SetSceneScale
                            "PlaceEntty\n"                     // unknown command
                            "j nowhere\n"                      // jump to no label
                            "loop:\n"                          //
                            "loop:\n"                          // label defined twice
                            "WaitForEvent EVENT_MOUSE_DWON\n"  // unknown event
                            "move $b1 3\n"                     // no register
                            "beq $t40 $a0 loop\n"              // past register 31
                            "LoadSprite 4242 x thing\n"        // picture number not in the table
                            "LoadSprite @towr x t\n"           // picture name not in the table
                            "SetTrap 1 77\n"                   // script number not in the table
                            "SetDialogueContent " +
                            std::string(196, 'a') +
                            "\n"                               // too long
                            "Debug \xFF\n"                     // not UTF-8
                            "move $a0 300 SetGlobalFlag\n"     // flag index out of range
                            "move $a0 5 ChangeMode\n"          // no such mode
                            "LoadSprite @tower x t\n"          // its file is missing
                            "move $a1 @broken LoadPortrait\n"  // its file is broken
                            "SetSceneScale 100\n";             // too few tokens at the end

}  // namespace

TEST(StoryChecker, FindsEveryKindOfMistakeAtItsPlace) {
    CTempStory story;
    story.WriteFile("story.toml", kManifest);
    story.WriteScript("start.txt", kScript);
    story.WriteFile("image/broken.png", "\x89PNG\r\n\x1a\nnot really");
    const RunResult utf8 = story.RunBinary({"--check", "--data", story.Dir().string()});
    EXPECT_EQ(utf8.exitCode, 1);
    const std::string at = "script/start.txt:";
    EXPECT_EQ(Lines(utf8.output),
              std::vector<std::string>({
                  at + "1:1: warning: 'AddSprite' does nothing in the role-playing mode, which is "
                       "current here",
                  at + "2:1: warning: 'SetTile' before SetSceneScale: the scene has no size yet, "
                       "so it does nothing",
                  at + "3:1: error: unknown command 'PlaceEntty'; did you mean 'PlaceEntity'?",
                  at + "4:3: error: no label 'nowhere' in this file",
                  at + "6:1: error: label 'loop' is defined twice; jumps go to the first one",
                  at + "7:14: error: unknown event 'EVENT_MOUSE_DWON'; did you mean "
                       "'EVENT_MOUSE_DOWN'?",
                  at + "8:6: error: '$b1' is no register name (registers are $zero, $v0, "
                       "$a0-$a3, $t0...)",
                  at + "9:5: error: '$t40' is past register 31",
                  at + "10:12: error: picture 4242 is not in the picture table",
                  at + "11:12: error: no picture is named 'towr'; did you mean 'tower'?",
                  at + "12:11: error: script 77 is not in the script table",
                  at + "13:20: warning: text too long: the dialogue box shows only its first 195 "
                       "bytes",
                  at + "14:7: error: bytes that are not valid UTF-8 (they show as U+FFFD)",
                  at + "15:14: error: flag index 300 (in $a0) is outside 0-255",
                  at + "16:12: error: mode 5 (in $a0) is no mode: 0 is role-playing, 8 "
                       "picture-novel",
                  at + "19:1: error: too few tokens at the end of the file: 'SetSceneScale' reads "
                       "2, 1 left",
                  "script/gone.txt: error: script 1 is missing or cannot be read",
                  "image/tower.png: error: cannot open: No such file or directory (picture 7)",
                  "image/broken.png: error: the file ends before its end chunk (picture 8)",
                  "16 errors, 3 warnings",
              }));

    CTempStory gb2312;  // no manifest: GB2312, where a byte-order mark is a mistake
    gb2312.WriteScript("start.txt",
                       "\xEF\xBB\xBF"
                       "Debug \xA1\n");
    const RunResult old = gb2312.RunBinary({"--check", "--data", gb2312.Dir().string()});
    EXPECT_EQ(old.exitCode, 1);
    EXPECT_EQ(Lines(old.output),
              std::vector<std::string>(
                  {"script/start.txt:1:1: warning: a UTF-8 byte-order mark in a GB2312 story "
                   "(skipped); save the file without it, or set encoding = \"utf-8\" in story.toml",
                   "script/start.txt:1:7: error: bytes that are not valid GB2312 (they show as "
                   "U+FFFD)",
                   "1 error, 1 warning"}));
    EXPECT_FALSE(std::filesystem::exists(gb2312.Dir() / "log.txt")) << "a check writes nothing";
}

// The checker knows a command only by the shape its table gives it: a
// command added without one could not be checked.
TEST(StoryChecker, EveryCommandDeclaresItsShape) {
    for (const auto& [name, entry] : CCommandTable::Engine().Entries()) {
        EXPECT_TRUE(entry->shape.IsDeclared()) << name;
        EXPECT_EQ(entry->shape.args.find_first_not_of("npclesrwvtkx"), std::string_view::npos)
            << name;
        EXPECT_EQ(entry->shape.operands.find_first_not_of("-pcfm"), std::string_view::npos) << name;
    }
}
