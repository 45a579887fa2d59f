// Which pictures a script is about to ask for, read from its tokens.
#include "scripting/PictureLookahead.h"

#include "scripting/Script.h"
#include "scripting/ScriptSource.h"

#include <gtest/gtest.h>

#include <vector>

TEST(PictureLookahead, FindsThePicturesOfTheNextCommands) {
    const struct {
        const char* text;
        std::vector<int32_t> numbers;
    } cases[] = {
        {"LoadSprite 4 x hall move $a0 2003 AddSprite x bg", {4, 2003}},
        {"move $a0 1 move $a1 3001 LoadPortrait", {3001}},
        // Registers as they are now ($a0 = $a1 = 0), and copies between them.
        {"AddSprite x a move $a1 6 move $a0 $a1 AddSprite x b", {0, 6}},
        // A value the scan cannot know is not guessed.
        {"move $a0 $v0 AddSprite x a LoadSprite $a0 x b", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CScript script(CScriptSource::Parse(c.text));
        std::vector<int32_t> numbers;
        CPictureLookahead::Scan(script, numbers);
        EXPECT_EQ(numbers, c.numbers);
    }
}
