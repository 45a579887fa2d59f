// The story manifest as an author meets it: what each field does to a run,
// and every kind of mistake reported at its place before anything runs.
#include "story/Story.h"

#include "story/Diagnostics.h"
#include "support/SceneStory.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

namespace {

// Every finding of a manifest, one per line, as the run prints them.
std::string Findings(std::string_view manifest) {
    CDiagnostics findings;
    const bool loaded = CStory::FromManifest(manifest, findings) != nullptr;
    std::string text;
    for (const Diagnostic& finding : findings.All())
        text += CDiagnostics::Format(finding) + "\n";
    EXPECT_EQ(loaded, text.empty()) << "a manifest loads exactly when it has no error";
    return text;
}

constexpr const char* kPicture = "[pictures.7]\nfiles = [\"a.png\", \"b.png\"]\nsize = [8, 8]\n";

}  // namespace

TEST(StoryManifest, EachMistakeIsReportedAtItsPlace) {
    const std::string full = "story.toml:";
    struct Case {
        std::string manifest, findings;
    };
    const Case cases[] = {
        {"titel = \"x\"", "1:1: error: unknown key 'titel'; did you mean 'title'?"},
        {"volume = 3", "1:1: error: unknown key 'volume'"},
        {"title = 5", "1:9: error: title must be a text in quotes, such as \"My Story\""},
        {"encoding = \"latin1\"", "1:12: error: encoding must be \"gb2312\" or \"utf-8\""},
        {"title = \"x", "1:11: error: "},  // the TOML library's own words follow
        {"[scripts]\n0 = \"/etc/passwd\"",
         "2:5: error: path '/etc/passwd' is absolute; give it relative to the story folder"},
        {"[scripts]\n1 = \"script/../../x.txt\"",
         "2:5: error: path 'script/../../x.txt' leaves the story folder"},
        {"[scripts]\nx = \"a.txt\"\n00 = 1",
         "2:1: error: script numbers are whole numbers from 0 to 2147483647, not 'x'\n" + full +
             "3:6: error: a script must be a file path in quotes"},
        {"[scripts]\n0 = \"a.txt\"\n00 = \"b.txt\"", "3:1: error: script 0 is given twice"},
        {"[pictures.7]\nfile = [\"a.png\"]",
         "1:11: error: picture 7 needs its files\n" + full +
             "1:11: error: picture 7 needs its "
             "size\n" +
             full + "2:1: error: unknown key 'file'; did you mean 'files'?"},
        {"[pictures.7]\nfiles = [\"a.png\"]\nsize = [8193, 8]",
         "3:8: error: size must be [width, height], each from 1 to 8192"},
        {std::string(kPicture) + "animations = [[0, 2]]",
         "4:15: error: an animation must list image indexes from 0 to 1 (one per file given)"},
        {std::string(kPicture) + "animations = []",
         "4:14: error: animations must be a list of 1 to 20 lists of image indexes"},
        {std::string(kPicture) + "animations = [[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0],[1,1,"
                                 "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1]]",
         "4:14: error: the animations list 42 entries, each animation's images and its end "
         "counted; at most 40 fit"},
        {std::string(kPicture) + "hitbox = [10, 0, 5, 8]",
         "4:10: error: hitbox must be [left, top, right, bottom], right not left of left and "
         "bottom not above top"},
        {std::string(kPicture) + "ticks = 0",
         "4:9: error: ticks must be a whole number from 1 to 255"},
        {std::string(kPicture) + "name = \"two words\"",
         "4:8: error: name must be letters, digits, '_' and '-' in quotes, such as \"hero\""},
        {std::string(kPicture) + "name = \"lamp\"\n[pictures.9]\nfiles = [\"a.png\"]\nsize = "
                                 "[8, 8]\nname = \"lamp\"\n[pictures.07]",
         "8:8: error: name 'lamp' is already picture 7\n" + full +
             "9:11: error: picture 7 is given twice"},
        {"[sounds.1]\nname = \"x\"\nfiles = \"a.ogg\"",
         "1:9: error: sound 1 needs its file\n" + full +
             "3:1: error: unknown key 'files'; did you mean 'file'?"},
        {std::string(kPicture) + "name = \"lamp\"\n[sounds.7]\nfile = \"a.ogg\"\nname = \"lamp\"",
         "7:8: error: name 'lamp' is already picture 7"},
        {"[sounds.1]\nfile = \"a.ogg\"\nname = \"rain\"\n[sounds.2]\nfile = \"b.ogg\"\nname = "
         "\"rain\"\n[sounds.01]\nfile = \"c.ogg\"",
         "6:8: error: name 'rain' is already sound 1\n" + full +
             "7:9: error: sound 1 is given twice"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.manifest);
        const std::string found = Findings(c.manifest);
        const std::string wanted = full + c.findings;
        EXPECT_EQ(found.substr(0, wanted.size()), wanted);
    }
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
