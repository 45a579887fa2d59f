#include "scripting/ScriptSource.h"

#include "scripting/Script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

std::vector<std::string> TextsOf(std::string_view bytes) {
    const auto source = CScriptSource::Parse(bytes);
    std::vector<std::string> texts;
    for (const ScriptToken& token : source->Tokens())
        texts.emplace_back(token.text);
    return texts;
}

}  // namespace

TEST(ScriptSource, SplitsTokensAsPercentSDoes) {
    const std::string overlong(600, 'x');
    const struct {
        std::string bytes;
        std::vector<std::string> texts;
    } cases[] = {
        {"", {}},
        {" \t\r\n\v\f", {}},
        {"Debug  a\tb\r\nc\vd\fe", {"Debug", "a", "b", "c", "d", "e"}},
        {"move $a0 5\n\n\nj loop", {"move", "$a0", "5", "j", "loop"}},
        {"\xB0\xA1\xA0\x85 x", {"\xB0\xA1\xA0\x85", "x"}},  // GB2312 and high bytes are text
        {"ab\0cd ef"s, {"ab", "ef"}},                       // a NUL ends the text, not the token
        {"\0x y"s, {"", "y"}},
        {overlong + " next", {std::string(499, 'x'), "next"}},  // cut, and still one token
        {"last", {"last"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.substr(0, 40));
        EXPECT_EQ(TextsOf(c.bytes), c.texts);
    }
}

TEST(ScriptSource, ReadsNumbersAndRegisterNamesAsAtoiDoes) {
    const std::pair<int32_t, std::vector<const char*>> numbers[] = {
        {42, {"42"}},
        {-7, {"-7"}},
        {5, {"+5"}},
        {12, {"12ab"}},
        {0, {"abc", "--5", "-", ""}},
        {INT32_MIN, {"-2147483648", "-99999999999999999999"}},
        {INT32_MAX, {"2147483648"}}};
    for (const auto& [value, texts] : numbers)
        for (const char* text : texts)
            EXPECT_EQ(CScript::ReadNumber(text), value) << text;

    const std::pair<int, std::vector<const char*>> registers[] = {
        {2, {"$v0", "$V"}},
        {4, {"$v2", "$a", "$A0"}},
        {8, {"$a4", "$t0"}},
        {9, {"$T1x"}},
        {31, {"$v29", "$t23"}},
        {0, {"$x5", "$0", "$zero", "$", "$v-2"}},
        {1, {"$v-1"}},
        {kNotRegister, {"5", "a0"}},
        {kBadRegister, {"$v30", "$a28", "$t24", "$v-3", "$t99999999999"}}};
    for (const auto& [index, tokens] : registers)
        for (const char* token : tokens)
            EXPECT_EQ(CScript::ParseRegister(token), index) << token;
}

// A label is the first token whose first 99 bytes (up to a NUL) are the name
// and a colon, whatever follows; a jump lands on the token after it.
TEST(ScriptSource, FindsTheFirstLabelAsAScanFromTheStartWould) {
    const std::string n98(98, 'n'), m99(99, 'm');
    const struct {
        std::string bytes, name;
        uint32_t target;
    } cases[] = {
        {"a: b: a: c", "a", 1},
        {"a: b: a: c", "b", 2},
        {"a: b: a: c", "c", ScriptToken::kNoLabel},
        {"Debug loop:x loop: j loop", "loop", 2},
        {"a:b:c: a:b:", "a:b", 1},
        {"SetDialogueContent talk: talk:", "talk", 2},
        {":: x:", "", 1},
        {"lo\0op: loop:"s, "loop", 2},
        {"lo\0op: loop:"s, "lo", ScriptToken::kNoLabel},
        {n98 + ": " + m99 + ":", n98, 1},
        {n98 + ": " + m99 + ":", m99, ScriptToken::kNoLabel},
        {n98 + ": " + m99 + ":", n98.substr(1), ScriptToken::kNoLabel},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.substr(0, 30) + " / " + c.name.substr(0, 30));
        EXPECT_EQ(CScriptSource::Parse(c.bytes)->FindLabel(c.name), c.target);
    }
    const auto source = CScriptSource::Parse("j a Debug a: b:");
    EXPECT_EQ(source->Tokens()[1].jumpTarget, 4u);  // each token knows where it jumps
    EXPECT_EQ(source->Tokens()[2].jumpTarget, ScriptToken::kNoLabel);
}

// Each token knows its line and column (bytes from 1, after a byte-order
// mark, which is skipped in either encoding and no token). A UTF-8 story cuts
// overlong tokens at a character, as many as their GB2312 form holds.
TEST(ScriptSource, TokensKnowTheirPlaceAndUtf8TokensAreCutAtACharacter) {
    for (const TextEncoding encoding : {TextEncoding::Gb2312, TextEncoding::Utf8}) {
        const auto source =
            CScriptSource::Parse("\xEF\xBB\xBFmove $t0\r\n\n  5 Debug\txy\n", {encoding});
        EXPECT_TRUE(source->HadByteOrderMark());
        std::string places;
        for (uint32_t i = 0; i < source->Tokens().size(); ++i)
            places += std::string(source->Tokens()[i].text) + "@" +
                      std::to_string(source->PlaceOf(i).line) + ":" +
                      std::to_string(source->PlaceOf(i).column) + " ";
        EXPECT_EQ(places, "move@1:1 $t0@1:6 5@3:3 Debug@3:5 xy@3:11 ");
    }
    const std::string ni = "\xE4\xBD\xA0";
    std::string long_text;
    for (int i = 0; i < 300; ++i)
        long_text += ni;
    const auto utf8 = CScriptSource::Parse("a" + long_text, {TextEncoding::Utf8});
    EXPECT_EQ(std::string(utf8->Tokens()[0].text), "a" + long_text.substr(0, 249 * ni.size()));
}
