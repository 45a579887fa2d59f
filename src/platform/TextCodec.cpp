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

std::string_view CTextCodec::CutAtCharacter(std::string_view text, size_t maxBytes) {
    size_t end = 0;
    while (end < text.size()) {
        const auto lead = static_cast<unsigned char>(text[end]);
        const size_t width = (lead >= 0x81 && lead <= 0xFE && end + 1 < text.size()) ? 2 : 1;
        if (end + width > maxBytes) break;
        end += width;
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
