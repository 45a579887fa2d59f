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

TEST(ScriptSource, ReadsNumbersAsAtoi) {
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {
        {"0", 0},
        {"42", 42},
        {"-7", -7},
        {"+5", 5},
        {"12ab", 12},
        {"abc", 0},
        {"--5", 0},
        {"-", 0},
        {"", 0},
        {"007", 7},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"2147483648", INT32_MAX},
        {"99999999999999999999", INT32_MAX},
        {"-99999999999999999999", INT32_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CScript::ReadNumber(c.text), c.value);
    }
}

TEST(ScriptSource, NamesRegistersWithTheirOverlaps) {
    const struct {
        const char* token;
        int index;
    } cases[] = {
        {"$v0", 2},
        {"$V0", 2},
        {"$v", 2},
        {"$v1", 3},
        {"$v2", 4},
        {"$v29", 31},
        {"$a", 4},
        {"$a0", 4},
        {"$A0", 4},
        {"$a1", 5},
        {"$a4", 8},
        {"$a27", 31},
        {"$t0", 8},
        {"$T0", 8},
        {"$t23", 31},
        {"$t1x", 9},
        {"$x5", 0},
        {"$0", 0},
        {"$zero", 0},
        {"$", 0},
        {"$v-2", 0},
        {"$v-1", 1},
        {"$a-2", 2},
        {"5", kNotRegister},
        {"a0", kNotRegister},
        {"", kNotRegister},
        {"$v30", kBadRegister},
        {"$a28", kBadRegister},
        {"$t24", kBadRegister},
        {"$v-3", kBadRegister},
        {"$t99999999999", kBadRegister},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        EXPECT_EQ(CScript::ParseRegister(c.token), c.index);
    }
}

TEST(ScriptSource, LabelIndexAgreesWithAScanFromTheStart) {
    const std::string long98(98, 'n');
    const std::string long99(99, 'n');
    const struct {
        std::string bytes;
        std::vector<std::string> names;
    } cases[] = {
        {"a: b: a: c", {"a", "b", "c", "a:", "", "d"}},
        {"Debug loop:x loop: j loop", {"loop", "loop:x", "x"}},  // text after the colon is ignored
        {"a:b:c: a:b:", {"a", "a:b", "a:b:c", "b", "c"}},
        {"SetDialogueContent talk: talk:", {"talk"}},  // an argument token counts as well
        {":: x:", {"", ":", "x"}},
        {long98 + ": " + long99 + ":", {long98, long99}},  // only 99 bytes are compared
        {"lo\0op: loop:"s, {"lo", "loop"}},
        {"end", {"end"}},
    };
    for (const auto& c : cases) {
        const auto source = CScriptSource::Parse(c.bytes);
        for (const std::string& name : c.names) {
            SCOPED_TRACE(c.bytes.substr(0, 30) + " / " + name.substr(0, 20));
            EXPECT_EQ(source->FindLabel(name), ScanForLabel(c.bytes, name));
        }
    }
}

// Files of short random tokens over a small alphabet rich in colons: every
// name the file could hold, and the jump target of every token, must match
// the scan.
TEST(ScriptSource, LabelIndexAgreesWithAScanOnRandomFiles) {
    std::mt19937 random(4);
    const std::string alphabet = "ab:: \n";
    for (int file = 0; file < 200; ++file) {
        std::string bytes;
        const int length = static_cast<int>(random() % 60);
        for (int i = 0; i < length; ++i)
            bytes += alphabet[random() % alphabet.size()];
        const auto source = CScriptSource::Parse(bytes);
        SCOPED_TRACE(bytes);
        for (const ScriptToken& token : source->Tokens()) {
            const std::string text = token.text;
            ASSERT_EQ(token.jumpTarget, ScanForLabel(bytes, text));
            for (size_t cut = 0; cut <= text.size(); ++cut)
                ASSERT_EQ(source->FindLabel(text.substr(0, cut)),
                          ScanForLabel(bytes, text.substr(0, cut)));
        }
    }
}
