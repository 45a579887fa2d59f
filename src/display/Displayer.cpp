#include "display/Displayer.h"

#include "app/DeviceFailure.h"
#include "app/Game.h"
#include "app/Log.h"
#include "app/Options.h"
#include "display/DevOverlay.h"
#include "display/Layout.h"
#include "display/PictureCache.h"
#include "display/RenderDump.h"
#include "platform/Platform.h"
#include "platform/TextCodec.h"
#include "sound/SoundManager.h"
#include "story/Story.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr uint32_t kWidth = kLayoutWidth;  // unsigned, as the back buffer's sizes are
constexpr uint32_t kHeight = kLayoutHeight;

}  // namespace

CDisplayer::BackBuffer CDisplayer::ChooseBackBuffer(uint32_t w, uint32_t h) {
    if (h < kHeight || w < kWidth) return {w, h, true};
    // Exact products, tested in this order: the first shape that fits wins.
    const uint64_t W = w, H = h;
    if (H * 16 == W * 9) return {1280, 720, false};
    if (H * 16 == W * 10) return {1280, 800, false};
    if (H * 4 == W * 3) return {1280, 960, false};
    if (H * 5 == W * 4) return {1280, 1024, false};
    return {w, h, false};
}

CDisplayer::CDisplayer(CGame& game)
    : m_game(game),
      m_pictures(std::make_unique<CPictureCache>(size_t{game.GetOptions().cacheMb} << 20)),
      m_overlay(std::make_unique<CDevOverlay>(game, game.GetOptions().overlay)) {
    const Options& options = game.GetOptions();
    if (!options.dumpFile.empty()) {
        m_dump = std::make_unique<CRenderDump>(options.dumpFile, options.appendDump);
        if (!m_dump->IsOpen()) {
            CLog::Write("CDisplayer::CDisplayer() cannot write the render dump %s",
                        options.dumpFile.c_str());
            m_game.RequestQuit(ExitCode::Failure);
        }
    }
    for (const ScreenshotRequest& shot : options.screenshots)
        m_screenshots.emplace(shot.frame, shot.path);
}

CDisplayer::~CDisplayer() = default;

void CDisplayer::Init() {
    CPlatform& platform = m_game.Platform();
    int desktopWidth = 0, desktopHeight = 0;
    std::string error;
    if (!platform.DesktopSize(desktopWidth, desktopHeight, error)) {
        ReportDeviceFailure(m_game, DeviceFailure::DisplayMode, error);
        return;
    }
    const BackBuffer chosen =
        ChooseBackBuffer(static_cast<uint32_t>(desktopWidth), static_cast<uint32_t>(desktopHeight));
    if (chosen.lowResolution) {
        CLog::Write("Low Resolution");
        m_game.RequestQuit(ExitCode::Failure);
    }
    m_width = chosen.width;
    m_height = chosen.height;
    if (!platform.CreateBackBuffer(static_cast<int>(m_width), static_cast<int>(m_height), error)) {
        ReportDeviceFailure(m_game, DeviceFailure::BackBuffer, error);
        return;
    }
    m_ready = true;
}

// A back buffer narrower or lower than the layout area (after "Low Resolution",
// while the program ends) has no offsets to give: draw from its corner.
uint32_t CDisplayer::OffsetX() const {
    return m_width < kWidth ? 0 : (m_width - kWidth) / 2;
}
uint32_t CDisplayer::OffsetY() const {
    return m_height < kHeight ? 0 : (m_height - kHeight) / 2;
}

void CDisplayer::AddRenderItem(std::unique_ptr<RenderItem> item) {
    if (item) m_renderQueue.push_back(std::move(item));
}

const std::string& CDisplayer::Utf8Of(const char* text) {
    auto found = m_utf8.find(std::string_view(text));
    if (found != m_utf8.end()) return found->second;
    return m_utf8.emplace(text, CTextCodec::ToUtf8(text, m_game.Story().Encoding())).first->second;
}

const std::string& CDisplayer::Utf8Of(const RenderItem& item) {
    if (!item.utf8) return Utf8Of(item.text);
    if (!item.utf8->made) {
        item.utf8->text = CTextCodec::ToUtf8(item.text, m_game.Story().Encoding());
        item.utf8->made = true;
    }
    return item.utf8->text;
}

DrawList CDisplayer::BuildDrawList() {
    // A story that never repeats a text must not grow the cache for ever; it is
    // emptied between frames only, since the list borrows the converted texts.
    if (m_utf8.size() > 4096) m_utf8.clear();
    const uint32_t offsetX = OffsetX(), offsetY = OffsetY();
    DrawList list;
    list.clip = {static_cast<int32_t>(offsetX), static_cast<int32_t>(offsetY),
                 static_cast<int32_t>(offsetX + std::min(m_width, kWidth)),
                 static_cast<int32_t>(offsetY + std::min(m_height, kHeight))};
    list.commands.reserve(m_renderQueue.size());
    const uint32_t frame = m_game.FrameNumber();
    for (const auto& item : m_renderQueue) {
        DrawCommand command;
        if (item->kind == RenderItem::Kind::Quad) {
            m_pictures->Use(item->texture, frame);
            // An empty sprite (no quad) or a picture that failed to load draws nothing.
            if (!item->quad || !item->texture) continue;
            command.kind = DrawCommand::Kind::Quad;
            command.x = static_cast<float>(offsetX) + item->x;
            command.y = static_cast<float>(offsetY) + item->y;
            command.width = item->quad->width;
            command.height = item->quad->height;
            command.texture = item->texture;
            command.alpha = item->alpha;
        } else {
            if (!item->font || !item->text || !*item->text) continue;
            command.kind = DrawCommand::Kind::Text;
            command.text = Utf8Of(*item);
            command.font = item->font;
            const auto dx = static_cast<int32_t>(offsetX), dy = static_cast<int32_t>(offsetY);
            command.rect = {item->rect.left + dx, item->rect.top + dy, item->rect.right + dx,
                            item->rect.bottom + dy};
            command.color = item->color;
        }
        list.commands.push_back(command);
    }
    return list;
}

void CDisplayer::Render() {
    if (!m_game.IsPresenting()) {  // a replay: frames already seen once
        m_renderQueue.clear();
        return;
    }
    const uint32_t frame = m_game.FrameNumber();
    if (m_dump && !m_dump->WriteFrame(
                      frame, m_renderQueue,
                      [this](const char* text) -> const std::string& { return Utf8Of(text); },
                      m_game.Sound().EventsOf(frame))) {
        CLog::Write("CDisplayer::Render() cannot write the render dump %s: %s",
                    m_game.GetOptions().dumpFile.c_str(), std::strerror(errno));
        m_dump.reset();  // said once
        m_game.RequestQuit(ExitCode::Failure);
    }
    if (m_ready) {
        DrawList list = BuildDrawList();
        if (m_overlay->IsOn())
            m_overlay->AppendTo(list, static_cast<float>(OffsetX()), static_cast<float>(OffsetY()));
        std::string error;
        if (!m_game.Platform().Present(list, error))
            ReportDeviceFailure(m_game, DeviceFailure::Present, error);
        const auto [first, last] = m_screenshots.equal_range(frame);
        for (auto shot = first; shot != last; ++shot) {
            if (m_game.Platform().SaveScreenshot(list, shot->second, error)) continue;
            CLog::Write("CDisplayer::Render() screenshot %s failed: %s", shot->second.c_str(),
                        error.c_str());
            m_game.RequestQuit(ExitCode::Failure);
        }
        if (!m_playerShots.empty()) SavePlayerShots(list);
        m_pictures->Trim(
            frame, [this](const CTexture& texture) { m_game.Platform().ReleasePixels(texture); });
    }
    m_renderQueue.clear();
}

void CDisplayer::TakeScreenshot(const std::string& path) {
    m_playerShots.push_back(path);
}

// Not in the log: the player's pictures are no part of the run's record.
void CDisplayer::SavePlayerShots(const DrawList& list) {
    for (const std::string& path : m_playerShots) {
        std::string error;
        if (m_game.Platform().SaveScreenshot(list, path, error))
            std::fprintf(stderr, "tabi: screenshot %s\n", path.c_str());
        else
            std::fprintf(stderr, "tabi: screenshot %s failed: %s\n", path.c_str(), error.c_str());
    }
    m_playerShots.clear();
}

void CDisplayer::ToggleOverlay() {
    m_overlay->Toggle();
}

bool CDisplayer::IsOverlayOn() const {
    return m_overlay->IsOn();
}

Quad CDisplayer::CreateVertexBuffer(int32_t width, int32_t height) {
    return Quad{static_cast<float>(width), static_cast<float>(height)};
}

const CTexture* CDisplayer::LoadTexture(const std::string& path) {
    if (const CTexture* known = m_pictures->Find(path)) {
        m_pictures->Use(known, m_game.FrameNumber());
        return known;
    }
    std::string error;
    std::unique_ptr<CTexture> texture = m_game.Platform().LoadTexture(path, error);
    if (!texture) {
        ReportDeviceFailure(m_game, DeviceFailure::Picture, path + ": " + error);
        return nullptr;
    }
    return m_pictures->Add(path, std::move(texture), m_game.FrameNumber());
}

bool CDisplayer::Prefetch(const std::string& path) {
    if (m_pictures->Find(path)) return false;
    m_game.Platform().PrefetchTexture(path);
    return true;
}

size_t CDisplayer::DecodedTextures() const {
    return m_pictures->Count();
}

std::unique_ptr<CFont> CDisplayer::CreateFont(const FontDesc& desc) {
    std::string error;
    std::unique_ptr<CFont> font = m_game.Platform().CreateFont(desc, error);
    if (!font) ReportDeviceFailure(m_game, DeviceFailure::Font, error);
    return font;
}
