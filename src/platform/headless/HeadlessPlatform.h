#pragma once
// The headless backend: runs a story with no display server and no audio device.
// Implements: a virtual clock (WaitUntil jumps, never sleeps), input replayed from
// the --input events, the desktop size from --display, PNG decoding, fonts, and
// screenshots rasterised offscreen with the same renderer the window uses.
// Does not implement: a window, real devices, audio output (the sounds a
// story starts show in the render dump), the overlay key
// (the overlay is on for the whole run or not at all); Present draws
// nothing (the displayer's render dump covers every frame). Fonts are looked
// up only when a screenshot first needs their pixels, so a run without
// screenshots starts in a few milliseconds.
#include "platform/InputLatch.h"
#include "platform/Platform.h"
#include "platform/SilentAudio.h"

#include <cstddef>

class CFontLocator;
class CPictureLoader;
class COffscreen;

class CHeadlessPlatform : public CPlatform {
public:
    explicit CHeadlessPlatform(const PlatformOptions& options);
    ~CHeadlessPlatform() override;

    bool Init(std::string& error) override;
    bool CreateWindow(std::string& error) override;
    bool DesktopSize(int& width, int& height, std::string& error) override;
    bool CreateBackBuffer(int width, int height, std::string& error) override;
    bool OpenInput(std::string& error) override;
    bool OpenAudio(std::string& error) override;
    CAudioOut& Audio() override { return m_audio; }

    WindowEvent PollWindowEvent(uint32_t frame) override;
    DeviceState ReadDevices(uint32_t frame) override;

    uint32_t Ticks() override { return m_now; }
    void WaitUntil(uint32_t tick) override;

    std::unique_ptr<CTexture> LoadTexture(const std::string& path, std::string& error) override;
    void PrefetchTexture(const std::string& path) override;
    void ReleasePixels(const CTexture& texture) override;
    std::unique_ptr<CFont> CreateFont(const FontDesc& desc, std::string& error) override;
    std::unique_ptr<CTexture> CreateTexture(const std::string& name, int width, int height,
                                            std::span<const uint32_t> argb,
                                            std::string& error) override;
    bool UpdateTexture(CTexture& texture, std::span<const uint32_t> argb,
                       std::string& error) override;

    bool Present(const DrawList& frame, std::string& error) override;
    bool SaveScreenshot(const DrawList& frame, const std::string& path,
                        std::string& error) override;

    // Paints the frame into the offscreen back buffer and stops there: what a
    // screenshot costs without the PNG encoding (for benchmarks).
    bool Rasterize(const DrawList& frame, std::string& error);

private:
    PlatformOptions m_options;
    size_t m_nextDeviceEvent = 0;  // replay events before it are consumed by polls
    size_t m_nextCloseEvent = 0;   // likewise for window-event passes
    CInputLatch m_latch;           // the button's presses and releases, one a poll
    uint32_t m_now = 0;
    CSilentAudio m_audio;  // sounds are seen in the render dump, never heard
    int m_backWidth = 0;
    int m_backHeight = 0;
    std::unique_ptr<CFontLocator> m_fonts;
    std::unique_ptr<CPictureLoader> m_pictures;
    std::unique_ptr<COffscreen> m_offscreen;  // made by the first screenshot
};
