#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr const char* kHello = "\xC4\xE3\xBA\xC3";               // 你好 in GB2312
constexpr const char* kToPictures = "move $a0 8\nChangeMode\n";  // steps resume in frame 4

// One item of a dump frame in a line: what a test compares.
std::string Describe(const nlohmann::json& item) {
    if (item.at("kind") == 1)
        return "text '" + item.at("text").get<std::string>() + "' " + item.at("rect").dump() + " " +
               std::to_string(item.at("color").get<uint32_t>());
    const auto& image = item.at("image");
    return (image.is_null() ? std::string("(nothing)") : image.get<std::string>()) + " at " +
           item.at("x").dump() + "," + item.at("y").dump() + " " + item.at("w").dump() + "x" +
           item.at("h").dump();
}

const std::string kBackground = "image/dia.png at 0.0,520.0 1280.0x200.0";
const std::string kPortrait = "image/imouto.png at 70.0,340.0 512.0x512.0";

// Script lines that put the slot (or visibility) in $a0, the number or
// sequence in $a1, and run the command.
std::string Call(const char* command, int a0, int a1 = 0) {
    return "move $a0 " + std::to_string(a0) + "\nmove $a1 " + std::to_string(a1) + "\n" + command +
           "\n";
}
std::string Load(int slot, int number) {
    return Call("LoadPortrait", slot, number);
}
std::string Select(int slot, int sequence) {
    return Call("SelectPortrait", slot, sequence);
}

}  // namespace

// Each case runs a picture-novel start script, then ShowDialogueFrame, and
// reads frame 4 of the dump: background, portrait, content, speaker, at the
// frame's screen places, in opaque black, the texts in UTF-8 (the content
// behind two ideographic spaces, the speaker's name before a full-width
// colon). The commands read their registers ($a0 slot, $a1 number or
// sequence, low 8 bits), know slots 0..49 only, and read their tokens in
// full whatever happens, so the Debug after each case still runs. The
// widget keeps 199 bytes: a longer text is cut, never inside a two-byte
// character (the colon goes whole), so the UTF-8 has no U+FFFD (EncodingTest
// cuts the texts of both encodings alike).
TEST(DialogueCommands, WhatFrame4Shows) {
    const std::string indent = "\u3000\u3000";
    struct Case {
        const char* what;
        std::string script;         // before ShowDialogueFrame
        std::string portrait = "";  // the portrait item, or "" for none
        std::string content = "";   // UTF-8
        std::string speaker = "";   // UTF-8, or "-" when hidden
        std::string log = "";
    };
    const std::string shown = Load(0, 3) + Select(0, 0);
    const Case cases[] = {
        {"a whole frame",
         Load(3, 3) + Select(3, 0) + "SetDialogueSpeaker \xC3\xC3\n" + "SetDialogueContent " +
             kHello + "\n",
         kPortrait, indent + "你好", "妹："},
        {"no portrait until one is selected", Load(0, 3)},
        {"a load into the slot on show shows the new picture",
         Load(2, 6) + Select(2, 0) + Load(2, 3), kPortrait},
        {"an empty slot leaves the shown portrait", shown + Select(5, 0), kPortrait},
        {"selecting another slot switches the character", Load(2, 3) + Load(49, 6) + Select(49, 0),
         "image/oneechan.png at 70.0,340.0 512.0x512.0"},
        {"the sequence is the low 8 bits of $a1", Load(7, 1) + Select(7, 258),
         "image/walkc00.png at 70.0,340.0 128.0x256.0"},
        {"an unknown number gives a portrait that draws nothing", Load(1, 7) + Select(1, 0),
         "(nothing) at 70.0,340.0 0.0x0.0", "", "", "CDatabase::LoadSprite No 7\n"},
        {"slots 50 and -1 do not exist: nothing is loaded",
         Load(50, 7) + Select(50, 7) + Load(-1, 7) + Select(-1, 7)},
        {"a hidden portrait is not drawn", shown + Call("SetPortraitVisible", 0)},
        {"shown again with any non-zero value",
         shown + Call("SetPortraitVisible", 0) + Call("SetPortraitVisible", -1), kPortrait},
        {"a hidden speaker leaves the text and the portrait", shown + Call("SetSpeakerVisible", 0),
         kPortrait, "", "-"},
        {"content of 195 bytes is whole", "SetDialogueContent " + std::string(195, 'c') + "\n", "",
         indent + std::string(195, 'c')},
        {"content of 196 bytes loses one", "SetDialogueContent " + std::string(196, 'c') + "\n", "",
         indent + std::string(195, 'c')},
        {"a lead byte alone at the end of the name leaves the colon whole",
         "SetDialogueSpeaker abc\xB0\n", "", "", "abc："},
    };
    CTempStory story;
    for (int number : {1, 3, 6})
        story.WriteSpriteImages(number);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RunResult run =
            story.Play(kToPictures + c.script + "ShowDialogueFrame\nDebug end\n", 4);
        EXPECT_EQ(run.log, c.log + "end\n");
        std::vector<std::string> items{kBackground};
        if (!c.portrait.empty()) items.push_back(c.portrait);
        items.push_back("text '" + c.content + "' [400,580,1100,720] 4278190080");
        if (c.speaker != "-")
            items.push_back("text '" + c.speaker + "' [400,540,1100,770] 4278190080");
        std::vector<std::string> seen;
        for (const auto& item : run.Frame(4) ? run.Frame(4)->at("items") : nlohmann::json::array())
            seen.push_back(Describe(item));
        EXPECT_EQ(seen, items);
    }
}
