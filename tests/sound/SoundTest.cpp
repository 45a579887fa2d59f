// Music and effects as a story meets them: what each frame starts and stops
// shows in the render dump, unknown or unplayable sounds are one log line
// each and change nothing, and the player's volume and mute reach the device.
#include "app/CommandLine.h"
#include "app/Options.h"
#include "platform/Platform.h"
#include "support/DataTable.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

// Headless runs never decode: a file need only look like its format.
void WriteSounds(const CTempStory& story) {
    story.WriteFile("story.toml", CDataTable::ReadFile("sound-story.toml"));
    story.WriteFile("sound/theme.ogg", std::string("OggS") + std::string(40, '\0'));
    story.WriteFile("sound/rain.ogg", std::string("OggS") + std::string(40, '\1'));
    story.WriteFile("sound/click.wav", std::string("RIFF\x24\0\0\0WAVEfmt ", 16));
    story.WriteFile("sound/fake.ogg", "ID3 this is an MP3");
}

// A frame's sounds as sound-frames.txt gives them.
nlohmann::json Sounds(const DataRow& row) {
    nlohmann::json sounds;
    for (size_t i = 1; i < row.fields.size() && row[i] != "-"; ++i) {
        const std::vector<std::string> w = row.Words(i);
        sounds.push_back({{w[0], w[1]}, {"sound", std::stoi(w[2])}, {"file", w[3]}});
    }
    return sounds;
}

}  // namespace

TEST(Sound, EachFrameShowsWhatItStartedAndStopped) {
    CTempStory story;
    WriteSounds(story);
    // Sounds played, played again, unknown, unplayable and stopped, in three
    // frames a click apart: 2, 5 and 8.
    story.WriteScript("start.txt", CDataTable::ReadFile("sound-start.txt"));
    story.WriteInput("5 press\n6 release\n8 press\n9 release\n");
    const RunResult run = story.RunHeadless(10);
    ASSERT_EQ(run.exitCode, 0) << run.log;

    for (const DataRow& f : CDataTable::Read("sound-frames.txt")) {
        SCOPED_TRACE(f.where);
        const nlohmann::json* line = run.Frame(std::stoul(f[0]));
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->value("sounds", nlohmann::json()), Sounds(f)) << *line;
    }

    // One line each, in the order played; the fake file is checked once but
    // said each time it is asked for.
    std::string sound;
    for (const std::string& l : run.LogLines())
        if (l.starts_with("CSoundManager")) sound += l + "\n";
    EXPECT_EQ(sound, CDataTable::ReadFile("sound-log.txt")) << run.log;
}

// (The values refused are in RunTest's table of usage errors.)
TEST(Sound, VolumeAndMuteOptionsReachTheOptions) {
    const struct {
        std::vector<std::string> args;
        int volume;
        bool muted;
    } cases[] = {
        {{}, 100, false}, {{"--volume", "0", "--mute"}, 0, true}, {{"--volume", "37"}, 37, false}};
    for (const auto& c : cases) {
        Options options;
        EXPECT_TRUE(CCommandLine::Parse(c.args, options).proceed);
        EXPECT_EQ(std::make_pair(options.volume, options.muted), std::make_pair(c.volume, c.muted))
            << c.args.size();
    }
}

// The mixer itself on SDL's dummy driver: no sound card, no display.
// SDL_mixer is loaded by the first play; the volume set before it holds.
TEST(Sound, MixerPlaysOggAndWavAndRefusesGarbage) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    PlatformOptions options;
    std::unique_ptr<CPlatform> platform = CreatePlatform(options);
    std::string error;
    ASSERT_TRUE(platform->OpenAudio(error)) << error;
    CAudioOut& audio = platform->Audio();
    for (const int volume : {0, 1, 99, 100, 37}) {
        audio.SetVolume(volume);
        EXPECT_EQ(audio.Volume(), volume);
    }
    const std::string demo = std::string(TABI_SOURCE_DIR) + "/demo/sound/";
    EXPECT_TRUE(audio.PlayMusic(demo + "theme.ogg", error)) << error;
    EXPECT_EQ(audio.Volume(), 37);
    EXPECT_TRUE(audio.PlayMusic(demo + "door.ogg", error)) << error;  // waits for the fade
    EXPECT_TRUE(audio.PlaySound(demo + "chime.ogg", error)) << error;
    CTempStory story;
    story.WriteFile("a.wav", std::string("RIFF\x24\0\0\0WAVEfmt ", 16));
    EXPECT_FALSE(audio.PlaySound(story.Path("a.wav"), error));
    EXPECT_FALSE(error.empty());
    audio.StopMusic();
}
