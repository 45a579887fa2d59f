// Saves as a player and a story's tests see them: a load plays on exactly as
// the saved run did, a bad save is refused with the game going on, and a
// reload replays the run on the story as it is on disk.
#include "save/SaveFile.h"
#include "save/Sha256.h"
#include "support/TempStory.h"
#include "support/WindowRun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// The demo story in a temp folder, with its playthrough's events.
struct DemoStory {
    CTempStory story;
    std::vector<std::pair<uint32_t, std::string>> input;  // frame, the rest of the line

    DemoStory() {
        story.CopyDemo();
        std::ifstream file(TABI_SOURCE_DIR "/demo/playthrough.txt");
        for (std::string line; std::getline(file, line);) {
            std::istringstream in(line);
            uint32_t frame = 0;
            if (std::string rest; in >> frame && std::getline(in, rest))
                input.emplace_back(frame, rest);
        }
    }
    // The playthrough from `from` on, its frames counted from there, and `extra`.
    void WriteInput(uint32_t from, const std::string& extra) const {
        std::string text;
        for (const auto& [frame, rest] : input)
            if (frame > from) text += std::to_string(frame - from) + rest + "\n";
        story.WriteInput(text + extra);
    }
    std::string Saves() const { return story.Path("saves"); }
};

std::vector<nlohmann::json> FramesAfter(const RunResult& run, uint32_t frame) {
    std::vector<nlohmann::json> after;
    for (const auto& line : run.dump)
        if (line.at("frame").get<uint32_t>() > frame) after.push_back(line);
    return after;
}

}  // namespace

// Saved in the intro conversation, in the hall's first conversation (after the
// change to the walking mode), mid-walk to the curtain and in the corridor; an
// Escape writes the autosave that --continue starts from.
TEST(Saves, ALoadedRunGoesOnFrameForFrameAsTheSavedOne) {
    DemoStory demo;
    for (const uint32_t at : {8u, 24u, 45u, 300u}) {
        SCOPED_TRACE(at);
        const std::string quit = std::to_string(at + 1) + " escape\n";
        demo.WriteInput(0, std::to_string(at) + " save s\n" + quit);
        const RunResult saved = demo.story.RunHeadless(800, {"--saves", demo.Saves()});
        ASSERT_EQ(saved.exitCode, 0) << saved.log;
        demo.WriteInput(0, "");
        const RunResult whole = demo.story.RunHeadless(800);
        ASSERT_GT(FramesAfter(whole, at).size(), 400u);

        demo.WriteInput(at, "");
        const std::string file = demo.Saves() + "/s.save";
        const RunResult loaded = demo.story.RunHeadless(800, {"--load", file});
        EXPECT_EQ(loaded.exitCode, 0);
        EXPECT_EQ(loaded.log.rfind("tabi: loaded " + file + " at frame " + std::to_string(at), 0),
                  0u);
        EXPECT_EQ(loaded.dump, FramesAfter(whole, at));

        SaveData autosave;
        std::string error;
        ASSERT_TRUE(CSaveFile::Parse(demo.story.ReadFile("saves/autosave.save"), autosave, error));
        demo.WriteInput(autosave.frame, "");
        const RunResult continued =
            demo.story.RunHeadless(800, {"--saves", demo.Saves(), "--continue"});
        EXPECT_EQ(continued.dump, FramesAfter(whole, autosave.frame));

        // A reload of the unchanged story replays the run to the same frame.
        demo.WriteInput(0, std::to_string(at) + " reload\n");
        const RunResult reloaded = demo.story.RunHeadless(800);
        EXPECT_NE(reloaded.log.find("tabi: reloaded the story at frame " + std::to_string(at)),
                  std::string::npos);
        EXPECT_EQ(FramesAfter(reloaded, at), FramesAfter(whole, at));
    }
}

TEST(Saves, ABadSaveIsRefusedUntouchedAndTheGameGoesOn) {
    CTempStory story;
    story.WriteScript("start.txt",
                      "move $a0 8 ChangeMode a: WaitForEvent EVENT_MOUSE_DOWN Debug click j a\n");
    story.WriteInput("3 press\n4 release\n5 save good\n");
    ASSERT_EQ(story.RunHeadless(6, {"--saves", story.Path("saves")}).exitCode, 0);
    const std::string good = story.ReadFile("saves/good.save");
    SaveData data;
    std::string error;
    ASSERT_TRUE(CSaveFile::Parse(good, data, error)) << error;
    SaveData foreign = data;
    foreign.title = "other";
    foreign.story = std::string(64, 'a');
    SaveData stale = data;
    stale.story = std::string(64, 'b');
    std::string damaged = good;
    damaged[damaged.find("title") + 7] ^= 1;
    std::string newer = CSaveFile::Format(data);
    newer.replace(0, 11, "tabi save 9");
    newer.resize(newer.rfind("end "));
    newer += "end " + CSha256::Of(newer) + "\n";
    const struct {
        std::string bytes, says;
    } cases[] = {
        {"", "the save is empty"},
        {good.substr(0, good.size() / 2), "the save is cut short (it has no end line)"},
        {good.substr(0, good.size() - 1), "the save is cut short (it has no end line)"},
        {damaged, "the save is damaged (its check sum does not match)"},
        {CSaveFile::Format(foreign), "the save belongs to another story (other)"},
        {CSaveFile::Format(stale), "the story has changed since the save was made"},
        {newer, "the save has format 9; this Tabi reads format 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        story.WriteFile("saves/bad.save", c.bytes);
        story.WriteInput("3 load bad\n5 press\n6 release\n");
        const RunResult run = story.RunHeadless(8, {"--saves", story.Path("saves")});
        EXPECT_EQ(run.exitCode, 0);
        const std::string refusal = "tabi: cannot load " + story.Path("saves/bad.save") + ": ";
        const size_t refused = run.log.find(refusal + c.says + "; the game goes on\n");
        EXPECT_NE(refused, std::string::npos) << run.log;
        EXPECT_NE(run.log.find("click", refused), std::string::npos) << run.log;
        EXPECT_EQ(story.ReadFile("saves/bad.save"), c.bytes);
        EXPECT_EQ(story.ReadFile("saves/good.save"), good);
    }
    // An edited script changes the story's fingerprint.
    story.WriteScript("start.txt", "move $a0 8 ChangeMode a: WaitForEvent EVENT_MOUSE_DOWN j a\n");
    story.WriteInput("3 load good\n");
    EXPECT_NE(story.RunHeadless(5, {"--saves", story.Path("saves")}).log.find("has changed"),
              std::string::npos);
}

// In a window: F5 once a few frames are shown, then an edit and Shift+R,
// then a broken manifest and Shift+R, then F9 and Escape.
TEST(Saves, WindowKeysSaveReloadAndLoadAndEscapeKeepsAnAutosave) {
    if (!CWindowRun::CanOpenWindows()) GTEST_SKIP() << CWindowRun::kNeeds;
    CTempStory story;
    story.WriteScript("start.txt", "ShowDialogueFrame SetDialogueContent original\n");
    ASSERT_TRUE(CWindowRun::Run(story, R"sh(act key F5; await saved
printf 'ShowDialogueFrame SetDialogueContent edited\n' >"$story/script/start.txt"
act key shift+r; await reloaded
printf 'title = \n' >"$story/story.toml"
act key shift+r; await 'cannot reload'
act key F9; await 'cannot load'
act key Escape)sh"));
    EXPECT_EQ(story.ReadFile("result.txt"), "exit 0\n") << story.ReadFile("stderr.txt");
    const std::string log = story.ReadFile("log.txt");
    for (const char* line :
         {"tabi: saved ", "tabi: reloaded the story at frame ", "story.toml:1:9: error: ",
          "tabi: cannot reload the story: ", "the story has changed since the save was made"})
        EXPECT_NE(log.find(line), std::string::npos) << line << " not in\n" << log;
    const std::string dump = story.ReadFile("dump.jsonl");
    EXPECT_LT(dump.find("original"), dump.find("edited"));
    const fs::path saves = story.Dir() / "data/tabi" / story.Dir().filename() / "saves";
    EXPECT_TRUE(fs::exists(saves / "quick.save"));
    EXPECT_TRUE(fs::exists(saves / "autosave.save"));
}
