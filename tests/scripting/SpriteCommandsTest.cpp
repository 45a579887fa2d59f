#include "support/StoryCases.h"

#include <gtest/gtest.h>

// Stories that place, find and delete free sprites: each a start script, its
// log and the last frame of its dump.
TEST(SpriteCommands, StoriesPlaceFindAndDeleteFreeSprites) {
    CStoryCases::Run("sprite-commands.txt");
}
