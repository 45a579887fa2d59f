#include "support/StoryCases.h"

#include <gtest/gtest.h>

// Stories that offer options: the player picks by click or key in either
// mode; a click off the options picks nothing and the hero, sent walking
// before, stands still; keys without an option do nothing; a tenth option is
// refused; long texts are cut whole. Each case: its log, the menu while open
// and the frame after the pick.
TEST(Choices, ThePlayerPicksByClickOrKeyInEitherMode) {
    CStoryCases::Run("choices.txt");
}
