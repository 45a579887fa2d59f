#pragma once
#include <string>
#include <string_view>

// Story text is GB2312 (code page 936); everything past the displayer is UTF-8.
class CTextCodec {
public:
    // A byte sequence that does not decode becomes U+FFFD, one per bad byte,
    // and decoding goes on after it: any input gives valid UTF-8.
    static std::string Gb2312ToUtf8(std::string_view text);
    // The longest head of `text` of at most maxBytes that does not end in the
    // middle of a two-byte character.
    static std::string_view CutAtCharacter(std::string_view text, size_t maxBytes);
    // `text` without a lead byte left alone at its end, which would otherwise
    // pair with whatever is appended to it.
    static std::string_view WholeCharacters(std::string_view text);
};
