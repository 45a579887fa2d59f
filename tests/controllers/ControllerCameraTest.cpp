#include "support/StoryCases.h"

#include <gtest/gtest.h>

// The camera keeps the hero in the middle, clamped to the scene: camera.txt.
TEST(ControllerCamera, FollowsTheHeroInsideTheScene) {
    CStoryCases::Run("camera.txt");
}
