#pragma once
#include "app/HandleRegistry.h"
#include "display/HitBox.h"
#include "display/RenderItem.h"
#include "platform/TextCodec.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CTexture;

// A picture that can animate: up to 30 images of one size on one quad, up to 20
// looping animations (runs of image indexes), a byte-sized frame timer, a
// position for free sprites, a hit box and a name. Built only by
// CDatabase::LoadSprite; owned by whoever asked for it. Images are borrowed from
// the displayer's texture cache, so sprites of the same picture share pixels.
class CSprite {
public:
    static constexpr HandleKind kHandleKind = HandleKind::Sprite;
    static constexpr int kMaxImages = 30;
    static constexpr int kMaxAnimations = 20;
    static constexpr int kMaxFrames = 40;
    static constexpr uint8_t kEnd = 255;  // closes a sequence; "no such animation"
    static constexpr size_t kMaxNameBytes = 31;

    explicit CSprite(CHandleRegistry& handles);
    CSprite(CHandleRegistry&&) = delete;
    CSprite(const CSprite&) = delete;
    CSprite& operator=(const CSprite&) = delete;
    ~CSprite();

    // [SECTION] Building, for the image table.
    void AddImage(const CTexture* texture);
    void SetSize(int32_t width, int32_t height, const Quad& quad);
    void BeginAnimation();
    void AddFrame(uint8_t imageIndex);
    void EndAnimation();
    void SetHitBox(const HitBox& box);

    // [SECTION] Animation.
    // Asking for the running animation, or for one that does not exist, changes
    // nothing; a switch keeps the tick, so its first frame may be shorter.
    void SetAnimation(uint8_t animation);
    void Animate();
    void SetFrameDuration(uint8_t ticks) { m_frameDuration = ticks; }
    uint8_t GetAnimation() const { return m_animation; }
    uint8_t CurrentImage() const { return m_frame; }

    // [SECTION] Drawing: both null for the empty sprite, which draws nothing.
    const CTexture* GetTexture() const;
    const Quad* GetVertexBuffer() const { return m_quad ? &*m_quad : nullptr; }
    // A quad render item at (x, y) showing the current image.
    RenderItem MakeItem(float x, float y) const;

    uint32_t Handle() const { return m_handle; }
    // Names longer than 31 bytes (of their GB2312 form) are cut, never in the
    // middle of a character.
    void SetName(std::string_view name, TextEncoding encoding = TextEncoding::Gb2312);
    // What SetName keeps of a name: a lookup cuts the name it is given the
    // same way, so a long name still finds the sprite it was given to.
    static std::string_view CutName(std::string_view name,
                                    TextEncoding encoding = TextEncoding::Gb2312);
    const std::string& Name() const { return m_name; }
    const std::optional<HitBox>& GetHitBox() const { return m_hitBox; }
    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }
    uint8_t ImageCount() const { return m_imageCount; }
    uint8_t AnimationCount() const { return m_animCount; }
    uint8_t FrameEntries() const { return m_frameCount; }

    float m_x = 0;  // top-left corner as a free sprite, layout pixels
    float m_y = 0;

private:
    CHandleRegistry& m_handles;
    uint32_t m_handle = 0;
    int32_t m_width = 0;
    int32_t m_height = 0;
    std::optional<HitBox> m_hitBox;
    std::array<const CTexture*, kMaxImages> m_images{};
    std::array<uint8_t, kMaxAnimations> m_animStart;
    std::array<uint8_t, kMaxFrames> m_frames;
    uint8_t m_animCount = 0;
    uint8_t m_frameCount = 0;
    uint8_t m_imageCount = 0;
    uint8_t m_animation = 0;
    uint8_t m_position = 0;
    uint8_t m_frame = 0;
    uint8_t m_tick = 0;
    uint8_t m_frameDuration = 6;
    std::optional<Quad> m_quad;
    std::string m_name;
};
