#include "platform/TextCodec.h"

#include <gtest/gtest.h>

// Each byte that starts no well-formed sequence becomes one U+FFFD, and the
// bytes after it are read afresh: overlong forms, surrogates, code points
// past U+10FFFF, stray continuation bytes and sequences cut off by the end.
TEST(TextCodec, InvalidUtf8BecomesOneReplacementPerBadByte) {
    const std::string r = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        {"a\xE4\xBD\xA0\xF0\x9F\x8E\x88", "a\xE4\xBD\xA0\xF0\x9F\x8E\x88"},  // valid: kept
        {"\xC0\xAF", r + r},                                                 // overlong '/'
        {"\xED\xA0\x80", r + r + r},                                         // a surrogate
        {"\xF4\x90\x80\x80", r + r + r + r},                                 // past U+10FFFF
        {"\x80z", r + "z"},
        {"\xE4\xBD", r + r},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(CTextCodec::SanitizeUtf8(in), out) << in;
}
