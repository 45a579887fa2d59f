#include "app/DeviceFailure.h"

#include "app/Game.h"
#include "app/Log.h"

#include <cstddef>
#include <cstdio>
#include <iterator>

namespace {

// One log line per failure, in the order of the enum. Each names the engine
// call that met it; the platform operation behind it is in the comment. Some
// carry their own line break, so a blank line follows them in the log.
constexpr const char* kLogLines[] = {
    // CPlatform::DesktopSize: the desktop's display mode cannot be read.
    "CDisplayer::Init m_d3d->GetAdapterDisplayMode() Failed\n",
    // CPlatform::CreateBackBuffer: no renderer or back buffer of the chosen size.
    "CDisplayer::Init() d3d CreateDevice Failed\n",
    // CPlatform::Present: the frame could not be drawn or shown.
    "CDisplayer::Render() m_d3dDev->Clear() Failed\n",
    // CPlatform::LoadTexture: a picture of the image table is missing or broken.
    "CDisplayer::LoadTexture() Load Texture failed\n",
    // CPlatform::CreateFont: a widget's font cannot be made.
    "CDisplayer::CreateFont() create font failed",
    // CPlatform::OpenInput: the mouse cannot be taken.
    "CInputManager::Init() Acquire Failed\n",
    // CPlatform::OpenAudio: no audio device opens.
    "CSoundManager::Init() DirectSoundCreate Failed\n",
};
static_assert(std::size(kLogLines) == static_cast<size_t>(DeviceFailure::Audio) + 1);

}  // namespace

void ReportDeviceFailure(CGame& game, DeviceFailure failure, const std::string& detail) {
    CLog::Write("%s", kLogLines[static_cast<size_t>(failure)]);
    std::fprintf(stderr, "tabi: %s\n", detail.c_str());
    game.RequestQuit(ExitCode::Failure);
}
