// The story manifest as an author meets it: what each field does to a run,
// and every kind of mistake reported at its place before anything runs.
#include "story/Story.h"

#include "support/SceneStory.h"
#include "support/StoryCases.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

// Every kind of mistake, reported at its place before anything runs.
TEST(StoryManifest, EachMistakeIsReportedAtItsPlace) {
    CStoryCases::Run("manifest-mistakes.txt");
}

// A manifest that renames the start script, replaces picture 2 and adds
// picture 7 by name. The scene shows the new pictures, the lamp's two images
// two ticks each (image 1 first, as its one animation says), @lamp works as
// the number of LoadSprite and as the source of move (a portrait), and an
// unknown @name loads nothing, with its line. Without the manifest the same
// script reads @lamp as the number 0, as it always did.
TEST(StoryManifest, TablesTheManifestGivesReplaceAndAddToTheBuiltInOnes) {
    CTempStory story;
    story.WriteFile("story.toml",
                    "title = \"The Lighthouse\"\n[scripts]\n0 = \"script/../script/begin.txt\"\n"
                    "[pictures.2]\nfiles = [\"image/keeper.png\"]\nsize = [64, 32]\n"
                    "[pictures.7]\nname = \"lamp\"\nfiles = [\"image/lamp0.png\", "
                    "\"./image/lamp1.png\"]\nsize = [100, 50]\nanimations = [[1, 0]]\nticks = 2\n");
    for (const char* file : {"image/keeper.png", "image/lamp0.png", "image/lamp1.png"})
        story.WriteImage(file, 4, 4);
    const std::string script =
        "LoadSprite @lamp x lamp LoadSprite 2 x keeper "
        "LoadSprite @lampp x typo move $a0 0 move $a1 @lamp LoadPortrait "
        "SelectPortrait ShowDialogueFrame";
    story.WriteScript("begin.txt", script);
    const RunResult run = story.RunHeadless(6);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log, "CDatabase::LoadSprite No -1\n");
    // Loaded in frame 2, whose update already counts its first tick.
    const std::string lamp[] = {"lamp1", "lamp0", "lamp0", "lamp1", "lamp1"};
    for (uint32_t frame = 2; frame <= 6; ++frame)
        EXPECT_EQ(CSceneStory::Words(run, frame),
                  lamp[frame - 2] + " keeper - dia lamp1 text text m0 ")
            << "frame " << frame;
    const nlohmann::json keeper = CSceneStory::Item(run, 2, "image/keeper");
    EXPECT_EQ(keeper["w"], 64);
    EXPECT_EQ(keeper["h"], 32);

    std::filesystem::remove(story.Dir() / "story.toml");
    story.WriteSpriteImages(0);
    story.WriteSpriteImages(2);
    story.WriteScript("start.txt", script);
    EXPECT_EQ(CSceneStory::Words(story.RunHeadless(2), 2).substr(0, 17), "genkan oneechanS ");
}

// A mistake in the manifest stops the run before its first frame: every
// finding on stderr and in the log, exit code 1, nothing played.
TEST(StoryManifest, AManifestWithAnErrorStopsTheRunBeforeItsFirstFrame) {
    CTempStory story;
    story.WriteScript("start.txt", "Debug played");
    story.WriteFile("story.toml", "title = \"Lighthouse\"\n\nencodng = \"utf-8\"\n");
    const RunResult run = story.RunBinary({"--data", story.Dir().string(), "--headless", "--frames",
                                           "5", "--dump", story.Path("dump.jsonl")});
    const std::string line =
        "story.toml:3:1: error: unknown key 'encodng'; did you mean 'encoding'?\n";
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errors, line);
    EXPECT_EQ(run.log, line);
    EXPECT_TRUE(run.dump.empty());
}
