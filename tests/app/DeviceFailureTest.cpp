#include "app/DeviceFailure.h"

#include "app/Game.h"
#include "app/Log.h"
#include "app/Options.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The headless backend on a machine that lacks one thing.
class CLackingPlatform : public CHeadlessPlatform {
public:
    CLackingPlatform(const PlatformOptions& options, DeviceFailure lacks)
        : CHeadlessPlatform(options), m_lacks(lacks) {}

    bool DesktopSize(int& width, int& height, std::string& error) override {
        return Has(DeviceFailure::DisplayMode, error) &&
               CHeadlessPlatform::DesktopSize(width, height, error);
    }
    bool CreateBackBuffer(int width, int height, std::string& error) override {
        return Has(DeviceFailure::BackBuffer, error) &&
               CHeadlessPlatform::CreateBackBuffer(width, height, error);
    }
    bool OpenInput(std::string& error) override { return Has(DeviceFailure::Input, error); }
    bool OpenAudio(std::string& error) override { return Has(DeviceFailure::Audio, error); }
    bool Present(const DrawList&, std::string& error) override {
        return Has(DeviceFailure::Present, error);
    }
    std::unique_ptr<CFont> CreateFont(const FontDesc& desc, std::string& error) override {
        return Has(DeviceFailure::Font, error) ? CHeadlessPlatform::CreateFont(desc, error)
                                               : nullptr;
    }

private:
    bool Has(DeviceFailure device, std::string& error) const {
        if (device == m_lacks) error = "not on this machine";
        return device != m_lacks;
    }
    DeviceFailure m_lacks;
};

}  // namespace

// Each failure writes its own log line (the log is a contract), gives the
// platform's reason on stderr and ends the run as a failure.
TEST(DeviceFailure, EachEndsTheRunWithItsOwnLogLine) {
    struct Case {
        DeviceFailure lacks;
        const char* log;
    };
    const Case cases[] = {
        {DeviceFailure::DisplayMode, "CDisplayer::Init m_d3d->GetAdapterDisplayMode() Failed\n\n"},
        {DeviceFailure::BackBuffer, "CDisplayer::Init() d3d CreateDevice Failed\n\n"},
        {DeviceFailure::Present, "CDisplayer::Render() m_d3dDev->Clear() Failed\n\n"},
        // one for each text of the dialogue frame: the speaker and the content
        {DeviceFailure::Font,
         "CDisplayer::CreateFont() create font failed\nCDisplayer::CreateFont() create font "
         "failed\n"},
        {DeviceFailure::Input, "CInputManager::Init() Acquire Failed\n\n"},
        {DeviceFailure::Audio, "CSoundManager::Init() DirectSoundCreate Failed\n\n"},
    };
    CTempStory story;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(story.Dir());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.log);
        CLog::Open("log.txt");
        Options options;
        options.platform.headless = true;
        CLackingPlatform platform(options.platform, c.lacks);
        CGame game(platform, options);
        testing::internal::CaptureStderr();
        if (game.Init()) {
            game.Frame();  // the first mode change
            game.Frame();  // the first frame drawn
        }
        const std::string errors = testing::internal::GetCapturedStderr();
        game.Shutdown();
        CLog::Close();
        EXPECT_EQ(story.ReadFile("log.txt"), c.log);
        EXPECT_NE(errors.find("tabi: not on this machine\n"), std::string::npos) << errors;
        EXPECT_TRUE(game.QuitRequested());
        EXPECT_EQ(game.ExitStatus(), 1);
    }
    std::filesystem::current_path(previous);
}
