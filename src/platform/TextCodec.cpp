#include "platform/TextCodec.h"

#include <iconv.h>
#include <cerrno>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// One converter for the process, opened on first use. Code page 936 is a
// superset of GB2312, so every GB2312 text decodes the same through it.
iconv_t Converter() {
    static iconv_t converter = iconv_open("UTF-8", "CP936");
    return converter;
}

}  // namespace

std::string CTextCodec::Gb2312ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 3 / 2 + 4);
    iconv_t cd = Converter();
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // No converter on this machine: keep ASCII, replace the rest.
        for (unsigned char c : text)
            c < 0x80 ? out.push_back(static_cast<char>(c)) : void(out += kReplacement);
        return out;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // reset the shift state
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (result != static_cast<size_t>(-1) || errno == E2BIG) continue;
        // EILSEQ (a byte that starts no character) or EINVAL (a character cut
        // off by the end): replace one byte and go on after it.
        out += kReplacement;
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

std::string CTextCodec::SanitizeUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8SequenceLength(text.substr(i));
        if (length == 0) {
            out += kReplacement;
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

std::string CTextCodec::ToUtf8(std::string_view text, TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? SanitizeUtf8(text) : Gb2312ToUtf8(text);
}

// The ranges of the Unicode standard's table of well-formed sequences: no
// overlong forms, no surrogates, nothing past U+10FFFF.
size_t CTextCodec::Utf8SequenceLength(std::string_view text) {
    if (text.empty()) return 0;
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    return length;
}

std::string_view CTextCodec::CutAtCharacter(std::string_view text, size_t maxBytes,
                                            TextEncoding encoding) {
    size_t end = 0, width = 0;
    while (end < text.size()) {
        size_t length = 1, cost = 1;
        const auto lead = static_cast<unsigned char>(text[end]);
        if (encoding == TextEncoding::Gb2312) {
            if (lead >= 0x81 && lead <= 0xFE && end + 1 < text.size()) length = cost = 2;
        } else if (const size_t sequence = Utf8SequenceLength(text.substr(end)); sequence > 1) {
            length = sequence;
            cost = 2;
        }
        if (width + cost > maxBytes) break;
        end += length;
        width += cost;
    }
    return text.substr(0, end);
}

std::string_view CTextCodec::WholeCharacters(std::string_view text) {
    size_t end = 0;
    while (end < text.size()) {
        const auto lead = static_cast<unsigned char>(text[end]);
        const bool twoBytes = lead >= 0x81 && lead <= 0xFE;
        if (twoBytes && end + 1 == text.size()) break;
        end += twoBytes ? 2 : 1;
    }
    return text.substr(0, end);
}
