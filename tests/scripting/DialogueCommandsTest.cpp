#include "controllers/ControllerDialogue.h"
#include "controllers/ControllerRPGNormal.h"
#include "display/Database.h"
#include "platform/TextCodec.h"
#include "scripting/Script.h"
#include "scripting/ScriptManager.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// GB2312 bytes of the texts used below.
constexpr const char* kMei = "\xC3\xC3";                         // 妹
constexpr const char* kHello = "\xC4\xE3\xBA\xC3";               // 你好
constexpr const char* kIndent = "\xA1\xA1\xA1\xA1";              // two ideographic spaces
constexpr const char* kColon = "\xA3\xBA";                       // full-width colon
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

std::vector<std::string> Describe(const RunResult& run, uint32_t frame) {
    std::vector<std::string> items;
    if (const nlohmann::json* line = run.Frame(frame))
        for (const auto& item : line->at("items"))
            items.push_back(Describe(item));
    return items;
}

std::string Utf8(const std::string& gb2312) {
    return CTextCodec::Gb2312ToUtf8(gb2312);
}

const std::string kBackground = "image/dia.png at 0.0,520.0 1280.0x200.0";
const std::string kPortrait = "image/imouto.png at 70.0,340.0 512.0x512.0";
std::string Content(const std::string& utf8) {
    return "text '" + utf8 + "' [400,580,1100,720] 4278190080";
}
std::string Speaker(const std::string& utf8) {
    return "text '" + utf8 + "' [400,540,1100,770] 4278190080";
}

class DialogueCommands : public ::testing::Test {
protected:
    DialogueCommands() {
        for (int number : {1, 3, 6})
            m_story.WriteSpriteImages(number);
    }
    // Runs a picture-novel start script and answers the items of frame 4.
    std::vector<std::string> Frame4(const std::string& script, std::string* log = nullptr) {
        m_story.WriteScript("start.txt", kToPictures + script);
        const RunResult run = m_story.RunHeadless(4);
        EXPECT_EQ(run.exitCode, 0) << run.log;
        if (log) *log = run.log;
        return Describe(run, 4);
    }
    CTempStory m_story;
};

}  // namespace

// The frame's items reach the dump in the order background, portrait,
// content, speaker, at the frame's screen places, in opaque black, with the
// texts turned into UTF-8: the content behind two ideographic spaces, the
// speaker's name before a full-width colon.
TEST_F(DialogueCommands, FrameItemsInTheDump) {
    const std::string script = std::string("move $a0 3\nmove $a1 3\nLoadPortrait\nmove $a1 0\n") +
                               "SelectPortrait\nSetDialogueSpeaker " + kMei +
                               "\nSetDialogueContent " + kHello + "\nShowDialogueFrame\n";
    EXPECT_EQ(Frame4(script),
              (std::vector<std::string>{kBackground, kPortrait, Content("\u3000\u3000你好"),
                                        Speaker("妹：")}));
}

// What each command changes, seen in frame 4. Tokens are read in full
// whatever happens, so the Debug after each case still runs.
TEST_F(DialogueCommands, PortraitAndVisibilityCommands) {
    struct Case {
        const char* what;
        std::string script;  // before ShowDialogueFrame
        std::vector<std::string> items;
        std::string log;
    };
    auto with = [](std::vector<std::string> items) {
        items.push_back(Content(""));
        items.push_back(Speaker(""));
        return items;
    };
    const Case cases[] = {
        {"no portrait until one is selected", "move $a0 0\nmove $a1 3\nLoadPortrait\n",
         with({kBackground}), ""},
        {"an empty slot selects nothing", "move $a0 4\nmove $a1 0\nSelectPortrait\n",
         with({kBackground}), ""},
        {"loading twice into a slot keeps the second",
         "move $a0 2\nmove $a1 6\nLoadPortrait\nmove $a1 3\nLoadPortrait\nmove $a1 0\n"
         "SelectPortrait\n",
         with({kBackground, kPortrait}), ""},
        {"loading into the slot on show shows the new picture",
         "move $a0 2\nmove $a1 6\nLoadPortrait\nmove $a1 0\nSelectPortrait\nmove $a1 3\n"
         "LoadPortrait\n",
         with({kBackground, kPortrait}), ""},
        {"an empty slot leaves the shown portrait",
         "move $a0 2\nmove $a1 3\nLoadPortrait\nmove $a1 0\nSelectPortrait\nmove $a0 5\n"
         "SelectPortrait\n",
         with({kBackground, kPortrait}), ""},
        {"selecting another slot switches the character",
         "move $a0 2\nmove $a1 3\nLoadPortrait\nmove $a0 49\nmove $a1 6\nLoadPortrait\n"
         "move $a1 0\nSelectPortrait\n",
         with({kBackground, "image/oneechan.png at 70.0,340.0 512.0x512.0"}), ""},
        {"the sequence is the low 8 bits of $a1",
         "move $a0 7\nmove $a1 1\nLoadPortrait\nmove $a1 258\nSelectPortrait\n",
         with({kBackground, "image/walkc00.png at 70.0,340.0 128.0x256.0"}), ""},
        {"an unknown number gives a portrait that draws nothing",
         "move $a0 1\nmove $a1 7\nLoadPortrait\nmove $a1 0\nSelectPortrait\n",
         with({kBackground, "(nothing) at 70.0,340.0 0.0x0.0"}), "CDatabase::LoadSprite No 7\n"},
        {"slots 50 and -1 do not exist: nothing is loaded",
         "move $a0 50\nmove $a1 7\nLoadPortrait\nSelectPortrait\nmove $a0 -1\nLoadPortrait\n"
         "SelectPortrait\n",
         with({kBackground}), ""},
        {"a hidden portrait is not drawn",
         "move $a0 0\nmove $a1 3\nLoadPortrait\nmove $a1 0\nSelectPortrait\nmove $a0 0\n"
         "SetPortraitVisible\n",
         with({kBackground}), ""},
        {"shown again with any non-zero value",
         "move $a0 0\nmove $a1 3\nLoadPortrait\nmove $a1 0\nSelectPortrait\nmove $a0 0\n"
         "SetPortraitVisible\nmove $a0 -1\nSetPortraitVisible\n",
         with({kBackground, kPortrait}), ""},
        {"a hidden speaker leaves the text and the portrait",
         "move $a0 0\nmove $a1 3\nLoadPortrait\nmove $a1 0\nSelectPortrait\nmove $a0 0\n"
         "SetSpeakerVisible\n",
         {kBackground, kPortrait, Content("")},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string log;
        EXPECT_EQ(Frame4(c.script + "ShowDialogueFrame\nDebug end\n", &log), c.items);
        EXPECT_EQ(log, c.log + "end\n");
    }
}

// The widget keeps 199 bytes: a content token of 195 bytes fits behind the
// indent, a speaker token of 197 bytes before the colon. Longer texts are
// cut, never inside a two-byte character, so the UTF-8 has no U+FFFD.
TEST_F(DialogueCommands, OverlongTextsAreCutOnACharacter) {
    std::string hanzi98;  // 98 characters, 196 bytes
    for (int i = 0; i < 49; ++i)
        hanzi98 += kHello;
    const std::string hanzi99 = hanzi98 + "\xC4\xE3";
    struct Case {
        const char* what;
        const char* command;
        std::string token;
        std::string shown;  // GB2312
    };
    const Case cases[] = {
        {"content of 195 bytes is whole", "SetDialogueContent", std::string(195, 'c'),
         kIndent + std::string(195, 'c')},
        {"content of 196 bytes loses one", "SetDialogueContent", std::string(196, 'c'),
         kIndent + std::string(195, 'c')},
        {"content of 98 characters keeps 97", "SetDialogueContent", hanzi98,
         kIndent + hanzi98.substr(0, 194)},
        {"content of 499 bytes", "SetDialogueContent", std::string(499, 'c'),
         kIndent + std::string(195, 'c')},
        {"speaker of 197 bytes keeps its colon", "SetDialogueSpeaker", std::string(197, 's'),
         std::string(197, 's') + kColon},
        {"speaker of 198 bytes loses the colon whole", "SetDialogueSpeaker", std::string(198, 's'),
         std::string(198, 's')},
        {"speaker of one letter and 98 characters keeps its colon", "SetDialogueSpeaker",
         "s" + hanzi98, "s" + hanzi98 + kColon},
        {"speaker of 99 characters loses the colon whole", "SetDialogueSpeaker", hanzi99, hanzi99},
        {"speaker of 100 characters keeps 99", "SetDialogueSpeaker", hanzi98 + kHello, hanzi99},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<std::string> items =
            Frame4(std::string(c.command) + " " + c.token + "\nShowDialogueFrame\n");
        ASSERT_EQ(items.size(), 3u);
        const std::string& text =
            std::string(c.command) == "SetDialogueContent" ? items[1] : items[2];
        EXPECT_EQ(text, std::string(c.command) == "SetDialogueContent" ? Content(Utf8(c.shown))
                                                                       : Speaker(Utf8(c.shown)));
        EXPECT_EQ(text.find("\uFFFD"), std::string::npos);
    }
}

// The hero controller's states through the commands: 0 free, 1 dialogue,
// 3 locked. Lock is refused while a dialogue is shown or already locked;
// ShowDialogueFrame wins over a lock; HideDialogueFrame and Unlock free it.
// In the picture-novel mode the frame is shown and hidden directly and the
// hero controller, out of the chain, keeps its state.
TEST(DialogueStates, CommandSequencesSetTheHeroState) {
    struct Case {
        const char* commands;
        bool pictures;  // run them in the picture-novel mode
        uint8_t state;
        bool shown;
    };
    const Case cases[] = {
        {"ShowDialogueFrame", false, 1, true},
        {"ShowDialogueFrame HideDialogueFrame", false, 0, false},
        {"Lock", false, 3, false},
        {"Lock Lock", false, 3, false},
        {"Lock ShowDialogueFrame", false, 1, true},
        {"Lock ShowDialogueFrame Lock", false, 1, true},
        {"Lock ShowDialogueFrame Lock HideDialogueFrame Lock", false, 3, false},
        {"ShowDialogueFrame Unlock", false, 0, false},
        {"Lock Unlock", false, 0, false},
        {"Unlock", false, 0, false},
        {"ShowDialogueFrame", true, 0, true},
        {"ShowDialogueFrame Lock HideDialogueFrame Lock", true, 0, false},
        {"ShowDialogueFrame Unlock", true, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.commands) + (c.pictures ? " (picture-novel)" : ""));
        CTempStory story;
        story.WriteScript("start.txt", std::string(c.pictures ? kToPictures : "") + c.commands);
        CGameHarness harness(story);
        harness.RunFrames(1);
        auto* hero = dynamic_cast<CControllerRPGNormal*>(
            harness.Game().FindController("ControllerRPGNormal"));
        ASSERT_NE(hero, nullptr);
        harness.RunFrames(c.pictures ? 3 : 1);
        auto* dialogue =
            dynamic_cast<CControllerDialogue*>(harness.Game().FindController("Dialogue"));
        ASSERT_NE(dialogue, nullptr);
        EXPECT_EQ(hero->GetState(), c.state);
        EXPECT_EQ(dialogue->IsShown(), c.shown);
        EXPECT_EQ(harness.Log(), "");
    }
}

// A click while walking (button held after a click on open ground) is
// overtaken by ShowDialogueFrame; releasing the button then changes nothing.
TEST(DialogueStates, ShowingTheFrameWhileWalkingEndsTheWalk) {
    CTempStory story;
    story.WriteScript("start.txt", "WaitForEvent EVENT_MOUSE_DOWN\nDebug woke\n");
    story.WriteScript("script01.txt", "ShowDialogueFrame");
    CGameHarness harness(story);
    harness.RunFrames(2);
    auto* hero =
        dynamic_cast<CControllerRPGNormal*>(harness.Game().FindController("ControllerRPGNormal"));
    ASSERT_NE(hero, nullptr);
    hero->OnMouseDown(MouseButtons{}, 300, 300);
    EXPECT_EQ(hero->GetState(), CControllerRPGNormal::kWalking);
    auto show = harness.Game().GetDatabase().LoadScript(1);
    harness.Game().GetScriptManager().Restart(*show);
    harness.RunFrames(1);
    EXPECT_EQ(hero->GetState(), CControllerRPGNormal::kDialogue);
    hero->OnMouseUp(MouseButtons{}, 300, 300);
    EXPECT_EQ(hero->GetState(), CControllerRPGNormal::kDialogue);
    hero->OnMouseDown(MouseButtons{}, 300, 300);  // in a dialogue a press is the script's
    harness.RunFrames(1);
    EXPECT_EQ(harness.Log(), "WaitForEvent\nwoke\n");
}

// Without a "Dialogue" link below it, the hero controller cannot enter the
// dialogue state; it can still be locked and freed.
TEST(DialogueStates, DialogueStateNeedsTheDialogueLink) {
    CTempStory story;
    story.WriteScript("start.txt", "");
    CGameHarness harness(story);
    CControllerRPGNormal alone(harness.Game());
    alone.SetState(CControllerRPGNormal::kDialogue);
    EXPECT_EQ(alone.GetState(), CControllerRPGNormal::kFree);
    alone.SetState(CControllerRPGNormal::kLocked);
    EXPECT_EQ(alone.GetState(), CControllerRPGNormal::kLocked);
    alone.SetState(CControllerRPGNormal::kFree);
    EXPECT_EQ(alone.GetState(), CControllerRPGNormal::kFree);
}
