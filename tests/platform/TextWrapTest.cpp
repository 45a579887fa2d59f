#include "platform/TextWrap.h"

#include "support/DataTable.h"

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

}  // namespace

TEST(TextWrap, BreaksWhereTheRulesAllow) {
    for (const DataRow& c : CDataTable::Read("text-wrap.txt")) {
        SCOPED_TRACE(c.where);
        const size_t most = std::stoul(c[4]) == 0 ? SIZE_MAX : std::stoul(c[4]);
        std::string lines;
        for (std::string_view line : CTextWrap::Wrap(c[1], std::stoi(c[2]), Measure, most))
            lines += std::string(line) + "\n";
        EXPECT_EQ(lines, c[3]);
    }
    // A box full stops the wrap: nothing is measured past it.
    const std::string endless(100000, 'x');
    const auto full = CTextWrap::Wrap(endless, 30, Measure, 2);
    EXPECT_EQ(std::vector<std::string>(full.begin(), full.end()),
              (std::vector<std::string>{"xxx", "xxx"}));
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
