#pragma once
#include "display/RenderItem.h"
#include "platform/DrawList.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CGame;
class CTexture;
class CFont;
class CRenderDump;
class CDevOverlay;
class CPictureCache;
struct FontDesc;

// The only way to the screen. Chooses the back buffer from the desktop's shape,
// queues the frame's render items in arrival order (owning them until the end of
// Render), and hands them to the platform, clipped to the centred layout area.
// Also makes the resources others draw with: quads, textures (decoded once per
// file, shared, their pixels kept under a budget) and fonts. Owned by the game object.
class CDisplayer {
public:
    struct BackBuffer {
        uint32_t width = 0;
        uint32_t height = 0;
        bool lowResolution = false;  // the desktop is smaller than the layout area
    };
    static BackBuffer ChooseBackBuffer(uint32_t desktopWidth, uint32_t desktopHeight);

    explicit CDisplayer(CGame& game);
    CDisplayer(const CDisplayer&) = delete;
    CDisplayer& operator=(const CDisplayer&) = delete;
    ~CDisplayer();

    void Init();
    void Render();
    void AddRenderItem(std::unique_ptr<RenderItem> item);
    // The author's overlay (F1, --overlay): drawn over each frame after the
    // render dump took it, so it never shows there.
    void ToggleOverlay();
    bool IsOverlayOn() const;
    // The player's screenshot (F12): the back buffer of the next frame drawn
    // is written to `path` as a PNG, and the path, or why it failed, goes to
    // stderr. The game goes on either way.
    void TakeScreenshot(const std::string& path);

    Quad CreateVertexBuffer(int32_t width, int32_t height);
    // Borrowed: textures live as long as the displayer. Null when the file is
    // missing or broken (logged, and the program is asked to end).
    const CTexture* LoadTexture(const std::string& path);
    // The file will soon be loaded: the platform may decode it meanwhile.
    // False for a file already loaded.
    bool Prefetch(const std::string& path);
    std::unique_ptr<CFont> CreateFont(const FontDesc& desc);

    uint32_t Width() const { return m_width; }
    uint32_t Height() const { return m_height; }
    size_t QueuedItems() const { return m_renderQueue.size(); }
    size_t DecodedTextures() const;
    const CPictureCache& Pictures() const { return *m_pictures; }

private:
    uint32_t OffsetX() const;
    uint32_t OffsetY() const;
    const std::string& Utf8Of(const char* text);
    const std::string& Utf8Of(const RenderItem& item);
    DrawList BuildDrawList();
    void SavePlayerShots(const DrawList& list);

    CGame& m_game;
    uint32_t m_width = 0;
    uint32_t m_height = 0;
    bool m_ready = false;                    // a back buffer exists to draw on
    std::vector<std::string> m_playerShots;  // asked for since the last frame drawn
    std::vector<std::unique_ptr<RenderItem>> m_renderQueue;
    std::unique_ptr<CPictureCache> m_pictures;  // every picture file loaded, under a budget
    // Looked up by the borrowed text itself: no key string is made per frame.
    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_map<std::string, std::string, TextHash, std::equal_to<>>
        m_utf8;  // text in the story's encoding -> UTF-8, lookup only
    std::unique_ptr<CRenderDump> m_dump;
    std::unique_ptr<CDevOverlay> m_overlay;
    std::multimap<uint32_t, std::string> m_screenshots;  // frame -> PNG path
};
