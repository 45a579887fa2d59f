#pragma once
#include "platform/AudioOut.h"
#include "platform/DeviceState.h"
#include "platform/DrawList.h"
#include "platform/Font.h"
#include "platform/Letterbox.h"
#include "platform/ReplayEvent.h"
#include "platform/Texture.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

enum class RendererChoice : uint8_t { Auto, Software, Accelerated };

struct PlatformOptions {
    bool headless = false;
    bool windowed = false;    // window backend: a resizable window, not full screen
    int desktopWidth = 1280;  // headless: the desktop the back buffer is chosen from
    int desktopHeight = 720;
    RendererChoice renderer = RendererChoice::Auto;
    std::vector<ReplayEvent> replay;   // headless: the only input there is
    std::string frameTimesFile;        // window: wall-clock time of every paced frame
    std::string title = "Tabi";        // window: its title bar (UTF-8)
    ScaleMode scale = ScaleMode::Fit;  // window: how the back buffer fills it
};

// Everything the engine needs of the machine: window, clock, input devices,
// audio, pictures, fonts and drawing. No SDL type appears here; the window
// backend (platform/sdl) and the headless one (platform/headless) implement it,
// both on the pictures, fonts and rasteriser of platform/raster.
// Operations that can fail return false (or null) and say why in `error`;
// the engine writes its own log line for them.
class CPlatform {
public:
    virtual ~CPlatform() = default;

    // [SECTION] Start-up, in the order the entry point and the managers call them.
    virtual bool Init(std::string& error) = 0;
    virtual bool CreateWindow(std::string& error) = 0;
    virtual bool DesktopSize(int& width, int& height, std::string& error) = 0;
    // Makes the back buffer (and, in a window, the renderer that shows it letterboxed).
    virtual bool CreateBackBuffer(int width, int height, std::string& error) = 0;
    virtual bool OpenInput(std::string& error) = 0;
    virtual bool OpenAudio(std::string& error) = 0;
    // The device OpenAudio opened; before that, and in a headless run, one
    // that plays nothing.
    virtual CAudioOut& Audio() = 0;

    // [SECTION] The message loop. `frame` is the number of the CGame::Frame call
    // that follows (1 for the first); replayed input is stamped with it.
    virtual WindowEvent PollWindowEvent(uint32_t frame) = 0;
    virtual DeviceState ReadDevices(uint32_t frame) = 0;
    // Where the game's pointer is after a poll, in back-buffer pixels. A window
    // whose pointer follows the system's turns the system pointer's position
    // into motion from here, so the two never drift apart.
    virtual void SetGamePointer(int32_t /*x*/, int32_t /*y*/) {}
    // The player's F11 or Alt+Enter: full screen to a window and back. A
    // headless run has neither.
    virtual void ToggleFullScreen() {}

    // [SECTION] Clock, in milliseconds. WaitUntil returns once Ticks() >= tick;
    // the headless clock simply jumps there, so headless runs never sleep. A
    // hidden window may sleep for a few frames at once and return early for
    // the next ones: the game paces by it and by nothing else.
    virtual uint32_t Ticks() = 0;
    virtual void WaitUntil(uint32_t tick) = 0;

    // [SECTION] Resources.
    virtual std::unique_ptr<CTexture> LoadTexture(const std::string& path, std::string& error) = 0;
    // A hint that LoadTexture will soon be asked for `path`: a backend may
    // start decoding it on another thread. What LoadTexture gives, error
    // included, is the same with or without the hint.
    virtual void PrefetchTexture(const std::string& path) = 0;
    // The pixels of a loaded picture may go (until it is next drawn); the
    // texture object stays valid.
    virtual void ReleasePixels(const CTexture& texture) = 0;
    virtual std::unique_ptr<CFont> CreateFont(const FontDesc& desc, std::string& error) = 0;
    // A picture made from width x height pixels of 0xAARRGGBB, row by row,
    // known by `name` in the render dump.
    virtual std::unique_ptr<CTexture> CreateTexture(const std::string& name, int width, int height,
                                                    std::span<const uint32_t> argb,
                                                    std::string& error) = 0;
    // New pixels, of the same size, for a picture made by CreateTexture.
    virtual bool UpdateTexture(CTexture& texture, std::span<const uint32_t> argb,
                               std::string& error) = 0;

    // [SECTION] Drawing. Present shows one frame (false: the frame could not be
    // drawn). SaveScreenshot writes the back buffer of the frame just presented,
    // which it is given again, as a PNG file.
    virtual bool Present(const DrawList& frame, std::string& error) = 0;
    virtual bool SaveScreenshot(const DrawList& frame, const std::string& path,
                                std::string& error) = 0;
};

std::unique_ptr<CPlatform> CreatePlatform(const PlatformOptions& options);
