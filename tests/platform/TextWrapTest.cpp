#include "platform/TextWrap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// A monospaced stand-in for a font: ASCII is 10 px wide, anything else 20 px
// (CJK is double width), counting each byte that starts a character.
int Measure(std::string_view piece) {
    int width = 0;
    for (unsigned char c : piece)
        if ((c & 0xC0) != 0x80) width += c < 0x80 ? 10 : 20;
    return width;
}

int Characters(std::string_view piece) {
    int count = 0;
    for (unsigned char c : piece)
        count += (c & 0xC0) != 0x80;
    return count;
}

struct Case {
    const char* name;
    std::string text;
    int width;
    std::vector<std::string> lines;
    size_t maxLines = SIZE_MAX;
};

const Case kCases[] = {
    {"breaks after a space", "hello world", 60, {"hello", "world"}},
    {"spaces at a break hang and are cut", "abc   def", 30, {"abc", "def"}},
    {"breaks between ideographs", "你好世界", 40, {"你好", "世界"}},
    {"fullwidth comma never starts a line", "你好，世界", 40, {"你", "好，", "世界"}},
    {"ASCII closing mark never starts a line", "你好!", 40, {"你", "好!"}},
    {"opening quote stays with what follows", "你“好”", 60, {"你", "“好”"}},
    {"latin word then ideographs", "Tabi是一个引擎", 80, {"Tabi是一", "个引擎"}},
    {"overlong word after a short one", "a bcdefgh", 30, {"a", "bcd", "efg", "h"}},
    {"blank paragraphs are kept", "a\n\nb", 100, {"a", "", "b"}},
    {"carriage return before newline is dropped", "ab\r\ncd", 100, {"ab", "cd"}},
    {"zero width still moves on", "ab", 0, {"a", "b"}},
    {"bytes that decode to nothing stand alone", "\xff\xfe", 10, {"\xff", "\xfe"}},
    {"cut-off sequence at the end", "a\xe4\xbd", 10, {"a", "\xe4", "\xbd"}},
    {"stops once the box is full", std::string(100000, 'x'), 30, {"xxx", "xxx"}, 2},
    {"the limit counts the lines of all paragraphs", "a\nb\nc", 100, {"a", "b"}, 2},
};

}  // namespace

TEST(TextWrap, BreaksWhereTheRulesAllow) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const auto lines = CTextWrap::Wrap(c.text, c.width, Measure, c.maxLines);
        EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.end()), c.lines);
    }
}

TEST(TextWrap, NoLineIsWiderThanTheBoxUnlessItIsOneCharacter) {
    const std::string text =
        "Tabi 是一个小而快的二维冒险与图画小说引擎，它读取脚本文件和图片。"
        "Words, words and words; supercalifragilistic!";
    for (int width : {20, 45, 100, 333}) {
        SCOPED_TRACE(width);
        std::string joined;
        for (std::string_view line : CTextWrap::Wrap(text, width, Measure)) {
            const bool oneCharacter = Characters(line) == 1;
            EXPECT_TRUE(Measure(line) <= width || oneCharacter) << "'" << line << "' is too wide";
            joined += line;
        }
        std::string withoutSpaces;
        for (char c : text)
            if (c != ' ') withoutSpaces += c;
        std::erase(joined, ' ');
        EXPECT_EQ(joined, withoutSpaces);  // nothing lost, nothing repeated
    }
}
