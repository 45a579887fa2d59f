#pragma once
// The platform one game of a session plays on: a layer over the real one
// (window or headless) that first replays a history of input at full speed,
// with nothing presented and a clock of its own, then goes live.
// Implements: the replay of the input journal up to a frame; live polls
// passed through with the game's frames turned into the session's (a load
// moves the game's frame, not the player's); the clock made continuous at
// the switch; start-up calls skipped once an earlier game opened the devices.
// Does not implement: anything of its own for resources, drawing or window
// events, which go straight to the real platform.
#include "platform/Platform.h"
#include "save/InputJournal.h"
#include "save/ReplayAudio.h"

class CReplayPlatform : public CPlatform {
public:
    // `devicesOpen`: an earlier game of the session made the back buffer and
    // opened the input and audio devices, which stay as they are.
    CReplayPlatform(CPlatform& device, bool devicesOpen, std::vector<ReplayEvent> history);
    CReplayPlatform(CPlatform&&, bool, std::vector<ReplayEvent>) = delete;

    // From the next poll on, input comes from the real platform; the game's
    // frame `gameFrame` is the session's `sessionFrame`.
    void GoLive(uint32_t gameFrame, uint32_t sessionFrame);
    bool IsLive() const { return m_live; }
    // Escape was pressed in a live poll (the game then ends).
    bool EscapeSeen() const { return m_escapeSeen; }
    const CInputJournal& Journal() const { return m_journal; }

    bool Init(std::string& error) override { return m_device.Init(error); }
    bool CreateWindow(std::string& error) override { return m_device.CreateWindow(error); }
    bool DesktopSize(int& width, int& height, std::string& error) override {
        return m_device.DesktopSize(width, height, error);
    }
    bool CreateBackBuffer(int width, int height, std::string& error) override;
    bool OpenInput(std::string& error) override;
    bool OpenAudio(std::string& error) override;

    WindowEvent PollWindowEvent(uint32_t frame) override;
    DeviceState ReadDevices(uint32_t frame) override;
    // Passed on replayed or live: a replay ends where the game's pointer is.
    void SetGamePointer(int32_t x, int32_t y) override { m_device.SetGamePointer(x, y); }
    void ToggleFullScreen() override { m_device.ToggleFullScreen(); }

    uint32_t Ticks() override;
    void WaitUntil(uint32_t tick) override;

    std::unique_ptr<CTexture> LoadTexture(const std::string& path, std::string& error) override {
        return m_device.LoadTexture(path, error);
    }
    // Pictures are the real platform's, replayed or live: decoding ahead
    // changes nothing a frame shows.
    void PrefetchTexture(const std::string& path) override { m_device.PrefetchTexture(path); }
    void ReleasePixels(const CTexture& texture) override { m_device.ReleasePixels(texture); }
    std::unique_ptr<CFont> CreateFont(const FontDesc& desc, std::string& error) override {
        return m_device.CreateFont(desc, error);
    }
    std::unique_ptr<CTexture> CreateTexture(const std::string& name, int width, int height,
                                            std::span<const uint32_t> argb,
                                            std::string& error) override {
        return m_device.CreateTexture(name, width, height, argb, error);
    }
    bool UpdateTexture(CTexture& texture, std::span<const uint32_t> argb,
                       std::string& error) override {
        return m_device.UpdateTexture(texture, argb, error);
    }

    CAudioOut& Audio() override;
    bool Present(const DrawList& frame, std::string& error) override;
    bool SaveScreenshot(const DrawList& frame, const std::string& path,
                        std::string& error) override;

private:
    CPlatform& m_device;  // borrowed: the session's platform outlives its games
    bool m_devicesOpen;
    CInputJournal m_journal;
    bool m_live = false;
    CReplayAudio m_replayAudio;  // until live
    bool m_escapeSeen = false;
    uint32_t m_frameShift = 0;  // session frame - game frame, modulo 2^32
    uint32_t m_now = 0;         // the replay's clock
    uint32_t m_tickShift = 0;   // game clock - real clock once live, modulo 2^32
};
