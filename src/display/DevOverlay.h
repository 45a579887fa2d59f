#pragma once
#include "platform/DrawList.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

class CGame;
class CFont;
class CTexture;
class CWalkGrid;
class CModeRPGNormal;

// The story author's view of a role-playing scene, drawn over the whole frame
// while it is on (F1 in a window, --overlay from the start): the walk grid
// (free, blocked and trap cells in three translucent colours, trap numbers),
// the entities' hit boxes and centres, the hero's target, and frames per
// second. It only reads the game and only adds to the platform's draw list,
// after the render dump was written: the game, its log and its dump are the
// same with it or without it. Drawn over the dialogue frame and the pointer
// too: the grid goes on under the frame, and it is translucent. Owned by
// the displayer.
class CDevOverlay {
public:
    // Larger scenes are pictured at one pixel per block of scene pixels.
    static constexpr int32_t kMaxPictureSide = 4096;
    static constexpr size_t kMaxTrapLabels = 1024;
    static constexpr size_t kFrameRateSamples = 32;

    struct GridPicture {
        int32_t width = 0;  // picture pixels
        int32_t height = 0;
        int32_t scale = 1;  // scene pixels per picture pixel, each way
        std::vector<uint32_t> argb;
    };
    // Where a trap number is written: the middle of one connected region of
    // cells holding it, in scene pixels.
    struct TrapLabel {
        float x = 0;
        float y = 0;
        uint8_t trap = 0;
    };

    CDevOverlay(CGame& game, bool on);
    CDevOverlay(CGame&&, bool) = delete;
    CDevOverlay(const CDevOverlay&) = delete;
    CDevOverlay& operator=(const CDevOverlay&) = delete;
    ~CDevOverlay();

    bool IsOn() const { return m_on; }
    void Toggle();
    // Adds the overlay to a frame whose layout area starts at (originX,
    // originY) of the back buffer. The texts it adds live until the next call.
    void AppendTo(DrawList& frame, float originX, float originY);

    static uint32_t CellColor(uint8_t value);
    // The grid as seen over a scene of that size: every picture pixel takes
    // the colour of the cell its scene point lies in (cells outside the grid
    // are blocked). The labels of the trap regions are appended to `labels`.
    static GridPicture PaintGrid(const CWalkGrid& grid, int32_t sceneWidth, int32_t sceneHeight,
                                 std::vector<TrapLabel>& labels);

private:
    struct Camera {
        float x = 0;  // where the layout area's corner lies in the scene
        float y = 0;
    };

    void RefreshGrid(const CModeRPGNormal& scene);
    Camera CameraOffset() const;
    void AddGrid(const Camera& camera);
    void AddEntities(const CModeRPGNormal& scene, const Camera& camera);
    void AddFrameRate();
    void Fill(float x, float y, float width, float height, uint32_t color);
    void Outline(float left, float top, float right, float bottom, uint32_t color);
    void Cross(float x, float y, uint32_t color);
    void Text(float x, float y, std::string text, uint32_t color);
    const CFont* Font();

    CGame& m_game;
    bool m_on;
    DrawList* m_frame = nullptr;  // borrowed during AppendTo only
    float m_originX = 0;
    float m_originY = 0;

    // The grid picture, made again when the scene's grid changes.
    const CModeRPGNormal* m_pictured = nullptr;  // identity only; never dereferenced
    uint32_t m_picturedRevision = 0;
    std::unique_ptr<CTexture> m_gridTexture;
    GridPicture m_picture;  // its size and scale; the pixels are dropped once uploaded
    std::vector<TrapLabel> m_labels;

    std::unique_ptr<CFont> m_font;
    bool m_fontTried = false;
    std::deque<std::string> m_texts;  // this frame's texts: the draw list borrows them
    std::array<uint32_t, kFrameRateSamples> m_ticks{};
    size_t m_tickCount = 0;
};
