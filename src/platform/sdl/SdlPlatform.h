#pragma once
// The window backend: SDL2 on the desktop.
// Implements: a full-screen (or, with --windowed, a resizable) window showing
// the back buffer letterboxed (--scale fit or integer), F11 and Alt+Enter
// switching between the two; an accelerated renderer where a GPU driver is
// present, SDL's software renderer otherwise; relative mouse motion in full
// screen, and in a window a game pointer that follows the system's; every
// press and release of the left button, latched and handed out one a poll;
// Escape, the number keys 1-9 and Space, Enter and the wheel down as an
// advance; F1 as the overlay's window event, M as the mute's and F12 as the
// screenshot's; music and effects through SDL_mixer (loaded on the first
// play), whose device is closed while the window is hidden and nothing
// plays; frame pacing on the
// wall clock; frames identical to the last one neither redrawn nor presented,
// and none drawn while the window is minimised or hidden; with the software
// renderer, a window of the back buffer's size drawn into straight (no back
// buffer kept); screenshots read back from the back buffer.
// Does not implement: replayed input (--input is headless only), Escape while another window has
// the keyboard focus.
#include "platform/InputLatch.h"
#include "platform/LastFrame.h"
#include "platform/Platform.h"
#include "platform/SilentAudio.h"
#include "platform/raster/SdlPtr.h"
#include "platform/sdl/FramePacer.h"

#include <atomic>
#include <memory>
#include <mutex>

class CFontLocator;
class CMixerAudio;
class CPictureLoader;
class CRasterizer;

class CSdlPlatform : public CPlatform {
public:
    explicit CSdlPlatform(const PlatformOptions& options);
    CSdlPlatform(const CSdlPlatform&) = delete;
    CSdlPlatform& operator=(const CSdlPlatform&) = delete;
    ~CSdlPlatform() override;

    bool Init(std::string& error) override;
    bool CreateWindow(std::string& error) override;
    bool DesktopSize(int& width, int& height, std::string& error) override;
    bool CreateBackBuffer(int width, int height, std::string& error) override;
    bool OpenInput(std::string& error) override;
    bool OpenAudio(std::string& error) override;
    CAudioOut& Audio() override;

    WindowEvent PollWindowEvent(uint32_t frame) override;
    DeviceState ReadDevices(uint32_t frame) override;
    void SetGamePointer(int32_t x, int32_t y) override;
    void ToggleFullScreen() override;

    uint32_t Ticks() override { return m_pacer.Ticks(); }
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

private:
    static int FilterEvent(void* self, SDL_Event* event);
    int FilterKey(const SDL_KeyboardEvent& key);
    void NoteCursor(int32_t x, int32_t y, const CInputLatch::Transition* transition);
    void ReadButton(DeviceState& state);
    PixelPoint BackBufferPoint(PixelPoint window) const;
    bool MakeRenderer(std::string& error);
    bool MakeBackBuffer(std::string& error);
    bool DrawsDirect() const;
    bool DrawBackBuffer(const DrawList& frame, std::string& error);
    bool ShowBackBuffer(std::string& error);
    bool PresentDirect(const DrawList& frame, std::string& error);

    PlatformOptions m_options;
    bool m_software = false;  // SDL's software renderer rather than the GPU's
    bool m_videoStarted = false;
    bool m_audioStarted = false;
    std::unique_ptr<CMixerAudio> m_mixer;       // made by OpenAudio
    CSilentAudio m_silent;                      // until then
    std::atomic<bool> m_escapePressed{false};   // since the last poll; set by the event filter
    std::atomic<uint8_t> m_numberPressed{0};    // likewise: the last number key, 1-9
    std::atomic<bool> m_advancePressed{false};  // likewise: Space, Enter or the wheel down
    bool m_fullScreen;                          // else a window, whose pointer is the system's
    bool m_visible = true;                      // not minimised or hidden
    // The mouse as the event filter saw it, read by the polls.
    std::mutex m_cursorLock;
    CInputLatch m_latch;         // the left button's presses and releases
    PixelPoint m_cursor;         // the system pointer's last place, window coordinates
    bool m_cursorMoved = false;  // since the last poll that followed it
    PixelPoint m_gamePointer;    // the game's pointer, back-buffer pixels
    int m_backWidth = 0;
    int m_backHeight = 0;
    bool m_exposed = true;      // the window must be shown again even if the frame is not new
    bool m_drawDirect = false;  // the last frame went straight into the window (DrawsDirect)
    CLastFrame m_lastFrame;     // what the back buffer holds, or the window when drawn direct
    CFramePacer m_pacer;
    std::unique_ptr<CFontLocator> m_fonts;
    std::unique_ptr<CPictureLoader> m_pictures;  // its workers stop before SDL does
    // Declared in the order they are made; destroyed the other way round.
    WindowPtr m_window;
    RendererPtr m_renderer;
    TexturePtr m_backBuffer;  // none while frames are drawn straight into the window
    std::unique_ptr<CRasterizer> m_rasterizer;
};
