#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// How a story's script files spell their text. GB2312 (code page 936) is the
// default; a story's manifest may choose UTF-8.
enum class TextEncoding : uint8_t { Gb2312, Utf8 };

// Story text comes in the story's encoding; everything past the displayer is
// UTF-8.
class CTextCodec {
public:
    // A byte sequence that does not decode becomes U+FFFD, one per bad byte,
    // and decoding goes on after it: any input gives valid UTF-8.
    static std::string Gb2312ToUtf8(std::string_view text);
    // Valid UTF-8 stays as it is; each byte that starts no valid sequence
    // (overlong forms and surrogates included) becomes U+FFFD.
    static std::string SanitizeUtf8(std::string_view text);
    static std::string ToUtf8(std::string_view text, TextEncoding encoding);

    // The longest head of `text` whose GB2312 form takes at most maxBytes and
    // that does not end in the middle of a character. In a UTF-8 text every
    // character but ASCII counts two bytes, as in GB2312, so a UTF-8 story
    // keeps as many characters as the same story in GB2312.
    static std::string_view CutAtCharacter(std::string_view text, size_t maxBytes,
                                           TextEncoding encoding = TextEncoding::Gb2312);

    // The bytes of the valid UTF-8 sequence at the start of `text`: 1 to 4,
    // or 0 when it starts with a byte no valid sequence starts with.
    static size_t Utf8SequenceLength(std::string_view text);
    // `text` without a GB2312 lead byte left alone at its end, which would
    // otherwise pair with whatever is appended to it.
    static std::string_view WholeCharacters(std::string_view text);
};
