#include "support/StoryCases.h"

#include <gtest/gtest.h>

// What the dialogue frame shows after the portrait and text commands: each
// case a start script, its log and frame 4 of its dump.
TEST(DialogueCommands, WhatFrame4Shows) {
    CStoryCases::Run("dialogue-commands.txt");
}
