#include "platform/headless/HeadlessPlatform.h"

#include "platform/raster/FontLocator.h"
#include "platform/raster/Offscreen.h"
#include "platform/raster/PictureLoader.h"
#include "platform/raster/SurfaceTexture.h"
#include "platform/raster/TtfFont.h"

CHeadlessPlatform::CHeadlessPlatform(const PlatformOptions& options)
    : m_options(options),
      m_fonts(std::make_unique<CFontLocator>()),
      m_pictures(std::make_unique<CPictureLoader>(false)) {}

CHeadlessPlatform::~CHeadlessPlatform() = default;

bool CHeadlessPlatform::Init(std::string&) {
    return true;
}
bool CHeadlessPlatform::CreateWindow(std::string&) {
    return true;
}

bool CHeadlessPlatform::DesktopSize(int& width, int& height, std::string&) {
    width = m_options.desktopWidth;
    height = m_options.desktopHeight;
    return true;
}

bool CHeadlessPlatform::CreateBackBuffer(int width, int height, std::string&) {
    m_backWidth = width;
    m_backHeight = height;
    return true;
}

bool CHeadlessPlatform::OpenInput(std::string&) {
    return true;
}
bool CHeadlessPlatform::OpenAudio(std::string&) {
    return true;
}

// A close event of frame F (or earlier) is handed out in the pass before frame
// F, one per pass, like any window message.
WindowEvent CHeadlessPlatform::PollWindowEvent(uint32_t frame) {
    const auto& events = m_options.replay;
    while (m_nextCloseEvent < events.size() && events[m_nextCloseEvent].frame <= frame) {
        if (events[m_nextCloseEvent++].type == ReplayEvent::Type::Close) return WindowEvent::Close;
    }
    return WindowEvent::None;
}

// Every device event stamped with this frame or an earlier one reaches this
// poll: motions add up, presses and releases join the latch (so a press and a
// release in one frame are a click: the press now, the release next poll),
// Escape is held for this poll only, of the number keys the last one counts,
// and an advance is seen once.
DeviceState CHeadlessPlatform::ReadDevices(uint32_t frame) {
    DeviceState state;
    const auto& events = m_options.replay;
    for (; m_nextDeviceEvent < events.size() && events[m_nextDeviceEvent].frame <= frame;
         ++m_nextDeviceEvent) {
        const ReplayEvent& event = events[m_nextDeviceEvent];
        switch (event.type) {
            case ReplayEvent::Type::Motion:
                state.dx = SaturatingAdd(state.dx, event.dx);
                state.dy = SaturatingAdd(state.dy, event.dy);
                break;
            case ReplayEvent::Type::Press:
            case ReplayEvent::Type::Release:
                m_latch.Push({event.type == ReplayEvent::Type::Press});
                break;
            case ReplayEvent::Type::Escape:
                state.escape = true;
                break;
            case ReplayEvent::Type::Key:
                state.number = event.number;
                break;
            case ReplayEvent::Type::Advance:
                state.advance = true;
                break;
            case ReplayEvent::Type::Close:
            case ReplayEvent::Type::Save:
            case ReplayEvent::Type::Load:
            case ReplayEvent::Type::Reload:
                break;
        }
    }
    CInputLatch::Transition taken;
    m_latch.Take(taken);
    state.leftButton = m_latch.Button();
    return state;
}

void CHeadlessPlatform::WaitUntil(uint32_t tick) {
    if (static_cast<int32_t>(tick - m_now) > 0) m_now = tick;
}

std::unique_ptr<CTexture> CHeadlessPlatform::LoadTexture(const std::string& path,
                                                         std::string& error) {
    return m_pictures->Load(path, error);  // checked only: pixels only for screenshots
}

void CHeadlessPlatform::PrefetchTexture(const std::string& path) {
    m_pictures->Prefetch(path);
}

void CHeadlessPlatform::ReleasePixels(const CTexture& texture) {
    if (m_offscreen) m_offscreen->Forget(texture);
    if (const auto* surface = dynamic_cast<const CSurfaceTexture*>(&texture)) surface->DropPixels();
}

std::unique_ptr<CFont> CHeadlessPlatform::CreateFont(const FontDesc& desc, std::string&) {
    return std::make_unique<CTtfFont>(desc);
}

std::unique_ptr<CTexture> CHeadlessPlatform::CreateTexture(const std::string& name, int width,
                                                           int height,
                                                           std::span<const uint32_t> argb,
                                                           std::string& error) {
    return CSurfaceTexture::FromPixels(name, width, height, argb, error);
}

bool CHeadlessPlatform::UpdateTexture(CTexture& texture, std::span<const uint32_t> argb,
                                      std::string& error) {
    return CSurfaceTexture::Replace(texture, argb, error);
}

bool CHeadlessPlatform::Present(const DrawList&, std::string&) {
    return true;
}

bool CHeadlessPlatform::Rasterize(const DrawList& frame, std::string& error) {
    if (!m_offscreen) m_offscreen = COffscreen::Create(m_backWidth, m_backHeight, *m_fonts, error);
    return m_offscreen && m_offscreen->Draw(frame, error);
}

bool CHeadlessPlatform::SaveScreenshot(const DrawList& frame, const std::string& path,
                                       std::string& error) {
    return Rasterize(frame, error) && m_offscreen->SavePng(path, error);
}
