// `tabi --check` on stories with one mistake of each kind it knows.
#include "scripting/CommandTable.h"
#include "support/StoryCases.h"

#include <gtest/gtest.h>

TEST(StoryChecker, FindsEveryKindOfMistakeAtItsPlace) {
    CStoryCases::Run("story-check.txt");
}

// The checker knows a command only by the shape its table gives it: a
// command added without one could not be checked.
TEST(StoryChecker, EveryCommandDeclaresItsShape) {
    for (const auto& [name, entry] : CCommandTable::Engine().Entries()) {
        EXPECT_TRUE(entry->shape.IsDeclared()) << name;
        EXPECT_EQ(entry->shape.args.find_first_not_of("npclesrwvtkx"), std::string_view::npos)
            << name;
        EXPECT_EQ(entry->shape.operands.find_first_not_of("-pcfm"), std::string_view::npos) << name;
    }
}
