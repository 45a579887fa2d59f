#include "platform/TextWrap.h"

#include <algorithm>
#include <cstdint>

namespace {

// One code point: where it starts, how many bytes it takes, what it is. A
// byte that starts no valid sequence stands for itself, so any input walks.
struct CodePoint {
    size_t offset = 0;
    size_t size = 1;
    char32_t value = 0;
};

std::vector<CodePoint> Decode(std::string_view text) {
    std::vector<CodePoint> out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<uint8_t>(text[i]);
        size_t size = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        char32_t value = size == 1 ? lead : lead & (0x7F >> size);
        for (size_t k = 1; k < size; ++k) {
            const auto next = i + k < text.size() ? static_cast<uint8_t>(text[i + k]) : 0;
            if ((next & 0xC0) != 0x80) {
                size = 0;
                break;
            }
            value = (value << 6) | (next & 0x3F);
        }
        if (size == 0) size = 1, value = 0xFFFD;
        out.push_back({i, size, value});
        i += size;
    }
    return out;
}

bool IsSpace(char32_t c) {
    return c == ' ' || c == '\t' || c == 0x3000;
}

// Ideographs, kana and the fullwidth forms: text in these scripts has no
// spaces, so a line may end between any two of its characters.
bool IsCjk(char32_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF) ||
           (c >= 0x20000 && c <= 0x3FFFF);
}

// Punctuation that belongs to the character before it: a line never starts
// with one of these.
bool IsClosing(char32_t c) {
    constexpr std::u32string_view kClosing =
        U",.!?)\":;]}\u3001\u3002\uFF0C\uFF01\uFF1F\uFF09\uFF1A\uFF1B\u201D\u2019"
        U"\u300B\u300D\u300F\u3011\u3009\u2026\u30FC";
    return kClosing.find(c) != std::u32string_view::npos;
}

// Punctuation that belongs to the character after it: a line never ends
// with one of these (spaces aside).
bool IsOpening(char32_t c) {
    constexpr std::u32string_view kOpening = U"\uFF08\u201C\u2018\u300A\u300C\u300E\u3010\u3008";
    return kOpening.find(c) != std::u32string_view::npos;
}

// May a line end between `before` and `after`?
bool CanBreakBetween(char32_t before, char32_t after) {
    if (IsClosing(after) || IsOpening(before)) return false;
    return IsSpace(before) || IsCjk(before) || IsCjk(after);
}

std::string_view TrimTrailingSpaces(std::string_view line, const std::vector<CodePoint>& cps,
                                    size_t begin, size_t end) {
    while (end > begin && IsSpace(cps[end - 1].value))
        --end;
    const size_t from = cps[begin].offset;
    const size_t to = end > begin ? cps[end - 1].offset + cps[end - 1].size : from;
    return line.substr(from, to - from);
}

// Greedy fill of one paragraph (no newline inside).
void WrapParagraph(std::string_view paragraph, int width, const CTextWrap::Measure& measure,
                   size_t maxLines, std::vector<std::string_view>& lines) {
    const std::vector<CodePoint> cps = Decode(paragraph);
    if (cps.empty()) {
        lines.push_back(paragraph);
        return;
    }
    size_t start = 0;
    while (start < cps.size() && lines.size() < maxLines) {
        size_t lastBreak = start;  // a break opportunity after `start`, if larger
        size_t end = start;
        for (; end < cps.size(); ++end) {
            if (end > start && CanBreakBetween(cps[end - 1].value, cps[end].value)) lastBreak = end;
            if (IsSpace(cps[end].value)) continue;  // spaces may hang past the edge
            const size_t from = cps[start].offset;
            const size_t to = cps[end].offset + cps[end].size;
            if (measure(paragraph.substr(from, to - from)) <= width) continue;
            if (lastBreak > start)
                end = lastBreak;
            else if (end == start)
                end = start + 1;  // one character wider than the line: it goes alone
            break;
        }
        lines.push_back(TrimTrailingSpaces(paragraph, cps, start, end));
        start = end;
    }
}

}  // namespace

std::vector<std::string_view> CTextWrap::Wrap(std::string_view text, int width,
                                              const Measure& measure, size_t maxLines) {
    std::vector<std::string_view> lines;
    size_t begin = 0;
    while (lines.size() < maxLines) {
        const size_t newline = text.find('\n', begin);
        std::string_view paragraph = text.substr(begin, newline - begin);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
        WrapParagraph(paragraph, width, measure, maxLines, lines);
        if (newline == std::string_view::npos) break;
        begin = newline + 1;
    }
    return lines;
}
