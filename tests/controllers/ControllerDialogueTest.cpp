#include "support/StoryCases.h"

#include <gtest/gtest.h>

// The dialogue frame through both modes: dialogue-frame.txt says how.
TEST(ControllerDialogue, FrameIsHiddenUntilShownAndSurvivesModeChanges) {
    CStoryCases::Run("dialogue-frame.txt");
}
