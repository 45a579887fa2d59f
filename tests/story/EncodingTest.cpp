// One story written twice, in GB2312 and in UTF-8, plays the same: texts and
// names long enough to be cut keep the same characters, and the dump and
// (decoded) log are the same.
#include "platform/TextCodec.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A text as both encodings spell it.
struct Text {
    std::string gb2312, utf8;
    Text operator+(const Text& other) const { return {gb2312 + other.gb2312, utf8 + other.utf8}; }
};

Text Repeat(const Text& text, int times) {
    Text out;
    for (int i = 0; i < times; ++i)
        out = out + text;
    return out;
}

const Text kNi{"\xC4\xE3", "\xE4\xBD\xA0"};   // 你
const Text kHao{"\xBA\xC3", "\xE5\xA5\xBD"};  // 好
Text Ascii(const std::string& text) {
    return {text, text};
}

}  // namespace

// The speaker (99 characters, its colon cut off), the content (97 characters
// after the indent), a free sprite's name (15 characters kept, so a lookup
// that differs only in the 16th finds it) and a byte that is no character.
TEST(Encoding, Gb2312AndUtf8VersionsOfAStoryGiveTheSameDump) {
    const Text script = Ascii("move $a0 8 ChangeMode ShowDialogueFrame SetDialogueSpeaker ") +
                        Repeat(kNi, 100) + Ascii(" SetDialogueContent a") + Repeat(kNi + kHao, 60) +
                        Ascii(" Debug x\xFF") + kHao + Ascii(" move $a0 3001 AddSprite x ") +
                        Repeat(kNi, 15) + kHao + Ascii(" GetSprite ") + Repeat(kNi, 15) + kNi +
                        Ascii(" move $a0 $v0 move $a1 50 move $a2 60 SetSpritePosition");
    CTempStory gb2312, utf8;
    gb2312.WriteScript("start.txt", script.gb2312);
    utf8.WriteScript("start.txt", "\xEF\xBB\xBF" + script.utf8);
    utf8.WriteFile("story.toml", "encoding = \"utf-8\"\n");
    for (const CTempStory* story : {&gb2312, &utf8})
        story->WriteSpriteImages(3001);
    const RunResult fromGb2312 = gb2312.RunHeadless(4);
    const RunResult fromUtf8 = utf8.RunHeadless(4);
    ASSERT_EQ(fromUtf8.exitCode, 0) << fromUtf8.log;
    EXPECT_EQ(fromGb2312.dump, fromUtf8.dump);
    EXPECT_EQ(CTextCodec::Gb2312ToUtf8(fromGb2312.log), CTextCodec::SanitizeUtf8(fromUtf8.log));
    const std::string dump = fromUtf8.dump.back().dump();
    EXPECT_NE(dump.find("\"x\":50.0,\"y\":60.0"), std::string::npos) << dump;
    EXPECT_NE(dump.find(Repeat(kNi, 99).utf8 + "\""), std::string::npos) << "speaker cut";
    EXPECT_NE(dump.find("a" + Repeat(kNi + kHao, 48).utf8 + kNi.utf8 + "\""), std::string::npos)
        << "content cut after 97 characters";
}
