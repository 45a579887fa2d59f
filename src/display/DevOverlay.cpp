#include "display/DevOverlay.h"

#include "app/Game.h"
#include "controllers/ControllerCamera.h"
#include "platform/Platform.h"
#include "platform/TextCodec.h"
#include "story/Story.h"
#include "world/Entity.h"
#include "world/ModeRPGNormal.h"
#include "world/WalkGrid.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr uint32_t kFreeColor = 0x3000C850;
constexpr uint32_t kBlockedColor = 0x80FF3030;
constexpr uint32_t kTrapColor = 0x80FFB000;
constexpr uint32_t kHeroColor = 0xFFFFFFFF;
constexpr uint32_t kCharacterColor = 0xFF00E0FF;
constexpr uint32_t kPropColor = 0xFFA0A0A0;
constexpr uint32_t kCenterColor = 0xFFFF40FF;
constexpr uint32_t kTargetColor = 0xFFFFFF00;
constexpr uint32_t kLabelColor = 0xFFFFFFFF;
constexpr uint32_t kShadowColor = 0xFF000000;
constexpr uint32_t kPanelColor = 0xA0000000;
constexpr const char* kFontFace = "DejaVu Sans Mono";
constexpr int kFontHeight = 14;

// The connected regions of trap cells (cells sharing an edge and a number),
// each with the sum of the picture pixels that show it.
class CTrapRegions {
public:
    explicit CTrapRegions(const CWalkGrid& grid)
        : m_grid(grid), m_regionOf(static_cast<size_t>(grid.Side()) * grid.Side(), kNoRegion) {
        const int64_t side = grid.Side();
        for (int64_t a = 0; a < side; ++a)
            for (int64_t b = 0; b < side; ++b) {
                const uint8_t value = grid.CellValue({a, b});
                if (IsTrap(value) && RegionAt({a, b}) == kNoRegion) Flood({a, b}, value);
            }
    }

    void Count(const CWalkGrid::Cell& cell, double x, double y) {
        if (!m_grid.Contains(cell) || RegionAt(cell) == kNoRegion) return;
        Region& region = m_regions[RegionAt(cell)];
        region.sumX += x;
        region.sumY += y;
        ++region.pixels;
    }

    // Regions in the order their first cell comes in the grid, those shown
    // by at least one pixel only.
    void Label(std::vector<CDevOverlay::TrapLabel>& labels) const {
        for (const Region& region : m_regions) {
            if (region.pixels == 0) continue;
            if (labels.size() >= CDevOverlay::kMaxTrapLabels) return;
            const auto pixels = static_cast<double>(region.pixels);
            labels.push_back({static_cast<float>(region.sumX / pixels),
                              static_cast<float>(region.sumY / pixels), region.trap});
        }
    }

    static bool IsTrap(uint8_t value) {
        return value != CWalkGrid::kFree && value != CWalkGrid::kBlocked;
    }

private:
    struct Region {
        uint8_t trap = 0;
        double sumX = 0;
        double sumY = 0;
        uint64_t pixels = 0;
    };

    void Flood(const CWalkGrid::Cell& start, uint8_t value) {
        const auto id = static_cast<uint32_t>(m_regions.size());
        m_regions.push_back({value, 0, 0, 0});
        std::vector<CWalkGrid::Cell> open{start};
        RegionAt(start) = id;
        while (!open.empty()) {
            const CWalkGrid::Cell cell = open.back();
            open.pop_back();
            const CWalkGrid::Cell next[] = {{cell.a - 1, cell.b},
                                            {cell.a + 1, cell.b},
                                            {cell.a, cell.b - 1},
                                            {cell.a, cell.b + 1}};
            for (const CWalkGrid::Cell& n : next) {
                if (!m_grid.Contains(n) || m_grid.CellValue(n) != value) continue;
                if (RegionAt(n) != kNoRegion) continue;
                RegionAt(n) = id;
                open.push_back(n);
            }
        }
    }

    static constexpr uint32_t kNoRegion = UINT32_MAX;

    // The cell must lie inside the grid.
    uint32_t& RegionAt(const CWalkGrid::Cell& cell) {
        return m_regionOf[static_cast<size_t>(cell.a * m_grid.Side() + cell.b)];
    }

    const CWalkGrid& m_grid;
    std::vector<Region> m_regions;
    // Region of every cell, row-major as the grid: the overlay repaints on every
    // change to the grid, so a script that paints each frame must not make
    // this a hash lookup per cell.
    std::vector<uint32_t> m_regionOf;
};

}  // namespace

CDevOverlay::CDevOverlay(CGame& game, bool on) : m_game(game), m_on(on) {}

CDevOverlay::~CDevOverlay() = default;

// Frames per second count again from the moment the overlay comes back.
void CDevOverlay::Toggle() {
    m_on = !m_on;
    m_tickCount = 0;
}

uint32_t CDevOverlay::CellColor(uint8_t value) {
    if (value == CWalkGrid::kFree) return kFreeColor;
    if (value == CWalkGrid::kBlocked) return kBlockedColor;
    return kTrapColor;
}

CDevOverlay::GridPicture CDevOverlay::PaintGrid(const CWalkGrid& grid, int32_t sceneWidth,
                                                int32_t sceneHeight,
                                                std::vector<TrapLabel>& labels) {
    GridPicture picture;
    if (sceneWidth <= 0 || sceneHeight <= 0) return picture;
    // In 64 bits: a scene may be as wide as an int32 goes.
    const auto Blocks = [](int64_t size, int64_t block) { return (size + block - 1) / block; };
    const int64_t scale = Blocks(std::max(sceneWidth, sceneHeight), kMaxPictureSide);
    picture.scale = static_cast<int32_t>(scale);
    picture.width = static_cast<int32_t>(Blocks(sceneWidth, scale));
    picture.height = static_cast<int32_t>(Blocks(sceneHeight, scale));
    picture.argb.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height));

    CTrapRegions traps(grid);
    uint32_t* pixel = picture.argb.data();
    for (int32_t py = 0; py < picture.height; ++py) {
        const int32_t y = py * picture.scale;
        for (int32_t px = 0; px < picture.width; ++px, ++pixel) {
            const int32_t x = px * picture.scale;
            const CWalkGrid::Cell cell = grid.CellOf(x, y);
            const uint8_t value = grid.CellValue(cell);
            *pixel = CellColor(value);
            if (CTrapRegions::IsTrap(value)) traps.Count(cell, x, y);
        }
    }
    traps.Label(labels);
    return picture;
}

// A picture of the same size gets new pixels in place, so the renderer
// replaces its upload of it rather than keeping one per version.
void CDevOverlay::RefreshGrid(const CModeRPGNormal& scene) {
    if (m_pictured == &scene && m_picturedRevision == scene.GridRevision()) return;
    m_pictured = &scene;
    m_picturedRevision = scene.GridRevision();
    m_labels.clear();
    const CWalkGrid* grid = scene.Grid();
    GridPicture picture;
    if (grid) picture = PaintGrid(*grid, scene.SceneWidth(), scene.SceneHeight(), m_labels);
    if (picture.argb.empty()) {
        m_gridTexture.reset();
        return;
    }
    std::string error;
    CPlatform& platform = m_game.Platform();
    const bool sameSize = m_gridTexture && m_gridTexture->Width() == picture.width &&
                          m_gridTexture->Height() == picture.height;
    if (!sameSize || !platform.UpdateTexture(*m_gridTexture, picture.argb, error)) {
        m_gridTexture.reset();
        m_gridTexture = platform.CreateTexture("overlay:walk-grid", picture.width, picture.height,
                                               picture.argb, error);
    }
    if (!m_gridTexture) std::fprintf(stderr, "tabi: overlay: %s\n", error.c_str());
    m_picture = {picture.width, picture.height, picture.scale, {}};
}

CDevOverlay::Camera CDevOverlay::CameraOffset() const {
    const CControllerCamera* camera = m_game.Camera();
    return camera ? Camera{camera->OffsetX(), camera->OffsetY()} : Camera{};
}

void CDevOverlay::AppendTo(DrawList& frame, float originX, float originY) {
    m_frame = &frame;
    m_originX = originX;
    m_originY = originY;
    m_texts.clear();
    m_ticks[m_tickCount++ % kFrameRateSamples] = m_game.Platform().Ticks();
    if (const CModeRPGNormal* scene = m_game.Scene()) {
        const Camera camera = CameraOffset();
        RefreshGrid(*scene);
        AddGrid(camera);
        AddEntities(*scene, camera);
    }
    AddFrameRate();
    m_frame = nullptr;
}

void CDevOverlay::AddGrid(const Camera& camera) {
    if (!m_gridTexture) return;
    DrawCommand picture;
    picture.x = m_originX - camera.x;
    picture.y = m_originY - camera.y;
    picture.width = static_cast<float>(m_picture.width) * static_cast<float>(m_picture.scale);
    picture.height = static_cast<float>(m_picture.height) * static_cast<float>(m_picture.scale);
    picture.texture = m_gridTexture.get();
    m_frame->commands.push_back(picture);
    for (const TrapLabel& label : m_labels)
        Text(label.x - camera.x - 10, label.y - camera.y - 8, std::to_string(label.trap),
             kLabelColor);
}

// Boxes in the role's colour, the position (where the sprite's centre lies)
// as a cross, the name under it; the hero's target while it walks. Names
// are in the story's encoding; the font wants UTF-8.
void CDevOverlay::AddEntities(const CModeRPGNormal& scene, const Camera& camera) {
    const TextEncoding encoding = m_game.Story().Encoding();
    for (const auto& entity : scene.Entities()) {
        const float x = entity->X() - camera.x, y = entity->Y() - camera.y;
        const HitBox& box = entity->GetHitBox();
        const uint32_t color = entity.get() == scene.GetHero()      ? kHeroColor
                               : entity->GetRole() == CEntity::kNpc ? kCharacterColor
                                                                    : kPropColor;
        if (box.right > box.left && box.bottom > box.top) {
            const float left = x - entity->CenterX(), top = y - entity->CenterY();
            Outline(left + static_cast<float>(box.left), top + static_cast<float>(box.top),
                    left + static_cast<float>(box.right), top + static_cast<float>(box.bottom),
                    color);
        }
        Cross(x, y, kCenterColor);
        if (!entity->GetName().empty())
            Text(x + 6, y + 4, CTextCodec::ToUtf8(entity->GetName(), encoding), color);
    }
    const CEntity* hero = scene.GetHero();
    if (!hero || !hero->IsMoving()) return;
    const float tx = static_cast<float>(hero->TargetX()) - camera.x;
    const float ty = static_cast<float>(hero->TargetY()) - camera.y;
    Outline(tx - 6, ty - 6, tx + 6, ty + 6, kTargetColor);
    Cross(tx, ty, kTargetColor);
}

// Over the last kFrameRateSamples frames, from the platform's clock: the
// virtual clock of a headless run gives the same figure on every run.
void CDevOverlay::AddFrameRate() {
    const size_t samples = std::min(m_tickCount, kFrameRateSamples);
    std::string text = "-- fps";
    if (samples >= 2) {
        const uint32_t newest = m_ticks[(m_tickCount - 1) % kFrameRateSamples];
        const uint32_t oldest = m_ticks[(m_tickCount - samples) % kFrameRateSamples];
        if (newest != oldest) {
            char buffer[32];
            std::snprintf(
                buffer, sizeof buffer, "%.1f fps",
                1000.0 * static_cast<double>(samples - 1) / static_cast<double>(newest - oldest));
            text = buffer;
        }
    }
    Fill(4, 4, 104, 22, kPanelColor);
    Text(10, 7, std::move(text), kLabelColor);
}

void CDevOverlay::Fill(float x, float y, float width, float height, uint32_t color) {
    DrawCommand fill;
    fill.kind = DrawCommand::Kind::Fill;
    fill.x = m_originX + x;
    fill.y = m_originY + y;
    fill.width = width;
    fill.height = height;
    fill.color = color;
    m_frame->commands.push_back(fill);
}

void CDevOverlay::Outline(float left, float top, float right, float bottom, uint32_t color) {
    Fill(left, top, right - left, 1, color);
    Fill(left, bottom - 1, right - left, 1, color);
    Fill(left, top + 1, 1, bottom - top - 2, color);
    Fill(right - 1, top + 1, 1, bottom - top - 2, color);
}

void CDevOverlay::Cross(float x, float y, uint32_t color) {
    Fill(x - 4, y, 9, 1, color);
    Fill(x, y - 4, 1, 9, color);
}

// A dark copy one pixel down and right keeps the text readable over any
// picture.
void CDevOverlay::Text(float x, float y, std::string text, uint32_t color) {
    const CFont* font = Font();
    if (!font) return;
    const std::string& kept = m_texts.emplace_back(std::move(text));
    for (const auto& [dx, tint] : {std::pair{1.0f, kShadowColor}, std::pair{0.0f, color}}) {
        DrawCommand command;
        command.kind = DrawCommand::Kind::Text;
        command.text = kept;
        command.font = font;
        const auto left = static_cast<int32_t>(m_originX + x + dx);
        const auto top = static_cast<int32_t>(m_originY + y + dx);
        command.rect = {left, top, left + 240, top + kFontHeight + 6};
        command.color = tint;
        m_frame->commands.push_back(command);
    }
}

// Made on first use, straight from the platform: an overlay without texts is
// better than a story ended for want of a font.
const CFont* CDevOverlay::Font() {
    if (!m_fontTried) {
        m_fontTried = true;
        std::string error;
        m_font = m_game.Platform().CreateFont(FontDesc{kFontFace, kFontHeight}, error);
        if (!m_font)
            std::fprintf(stderr, "tabi: overlay: no font for its texts: %s\n", error.c_str());
    }
    return m_font.get();
}
