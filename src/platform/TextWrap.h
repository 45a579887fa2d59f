#pragma once
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

// Breaks a UTF-8 text into the lines that fit a width, as the dialogue box
// shows them: after spaces, between CJK characters, never before closing
// punctuation, and by character inside a word too wide for any line. Knows
// nothing of fonts: the caller measures.
class CTextWrap {
public:
    // Width in pixels of a piece of one line.
    using Measure = std::function<int(std::string_view)>;

    // Lines in order, as views into `text`; a newline always ends a line.
    // Spaces at a break stay at the end of the line they follow and are cut
    // from the view. Every line holds at least one character unless its
    // paragraph is empty, so a width of zero or less still ends. Stops after
    // maxLines lines: a box shows only so many, and a huge text need not be
    // measured to its end.
    static std::vector<std::string_view> Wrap(std::string_view text, int width,
                                              const Measure& measure, size_t maxLines = SIZE_MAX);
};
