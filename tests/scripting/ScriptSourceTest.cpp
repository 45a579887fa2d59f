#include "scripting/ScriptSource.h"

#include "scripting/Script.h"

#include <gtest/gtest.h>

#include <random>
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

// The label search done the slow way, token by token from the start of the
// file, to hold the index to: the first token whose first 99 bytes (up to a
// NUL) are the name followed by ':' wins; the answer is the token after it.
uint32_t ScanForLabel(std::string_view bytes, std::string_view name) {
    const std::vector<std::string> texts = TextsOf(bytes);
    for (uint32_t i = 0; i < texts.size(); ++i) {
        const std::string compared = texts[i].substr(0, CScriptSource::kMaxLabelBytes);
        if (compared.size() > name.size() && compared.compare(0, name.size(), name) == 0 &&
            compared[name.size()] == ':')
            return i + 1;
    }
    return ScriptToken::kNoLabel;
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

// The index must answer what a search from the start of the file would, for
// crafted files and for random ones over an alphabet rich in colons: every
// name a file could hold, and the jump target of every token.
TEST(ScriptSource, LabelIndexAgreesWithAScanFromTheStart) {
    std::vector<std::string> files = {
        "a: b: a: c",
        "Debug loop:x loop: j loop",  // text after the colon is ignored
        "a:b:c: a:b:",
        "SetDialogueContent talk: talk:",  // arguments count too
        ":: x:",
        "lo\0op: loop:"s,
        std::string(98, 'n') + ": " + std::string(99, 'm') + ":"};  // 99 bytes are compared
    std::mt19937 random(4);
    for (int file = 0; file < 200; ++file) {
        std::string bytes;
        for (int i = static_cast<int>(random() % 60); i > 0; --i)
            bytes += "ab:: \n"[random() % 6];
        files.push_back(bytes);
    }
    for (const std::string& bytes : files) {
        SCOPED_TRACE(bytes);
        const auto source = CScriptSource::Parse(bytes);
        for (const ScriptToken& token : source->Tokens()) {
            const std::string text = token.text;
            ASSERT_EQ(token.jumpTarget, ScanForLabel(bytes, text));
            for (size_t cut = 0; cut <= text.size(); ++cut)
                ASSERT_EQ(source->FindLabel(text.substr(0, cut)),
                          ScanForLabel(bytes, text.substr(0, cut)));
        }
        EXPECT_EQ(source->FindLabel("nowhere"), ScriptToken::kNoLabel);
    }
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
