#include "display/Sprite.h"

#include "platform/TextCodec.h"

CSprite::CSprite(CHandleRegistry& handles) : m_handles(handles) {
    m_animStart.fill(kEnd);
    m_frames.fill(kEnd);
    m_handle = m_handles.Register(this, kHandleKind);
}

CSprite::~CSprite() {
    m_handles.Unregister(m_handle);
}

void CSprite::AddImage(const CTexture* texture) {
    if (m_imageCount < kMaxImages) m_images[m_imageCount++] = texture;
}

void CSprite::SetSize(int32_t width, int32_t height, const Quad& quad) {
    m_width = width;
    m_height = height;
    m_quad = quad;
}

void CSprite::BeginAnimation() {
    if (m_animCount < kMaxAnimations) m_animStart[m_animCount++] = m_frameCount;
}

void CSprite::AddFrame(uint8_t imageIndex) {
    if (m_frameCount < kMaxFrames) m_frames[m_frameCount++] = imageIndex;
}

// A new sprite stands at the start of animation 0, so it shows that
// animation's first image, whichever image that is.
void CSprite::EndAnimation() {
    AddFrame(kEnd);
    if (m_animCount == 1) m_frame = m_frames[m_animStart[0]];
}

void CSprite::SetHitBox(const HitBox& box) {
    m_hitBox = box;
}

void CSprite::SetAnimation(uint8_t animation) {
    if (animation == m_animation) return;
    if (animation >= kMaxAnimations || m_animStart[animation] == kEnd) return;
    m_animation = animation;
    m_position = m_animStart[animation];
    m_frame = m_frames[m_position];
}

// The tick is a byte: with a frame duration of 255 it can never exceed it, and
// the animation stands still.
void CSprite::Animate() {
    ++m_tick;
    if (m_tick <= m_frameDuration) return;
    ++m_position;
    if (m_position >= kMaxFrames || m_frames[m_position] == kEnd) {
        m_position = m_animation < kMaxAnimations && m_animStart[m_animation] != kEnd
                         ? m_animStart[m_animation]
                         : 0;
    }
    m_frame = m_frames[m_position];
    m_tick = 0;
}

const CTexture* CSprite::GetTexture() const {
    return m_frame < m_imageCount ? m_images[m_frame] : nullptr;
}

RenderItem CSprite::MakeItem(float x, float y) const {
    RenderItem item;
    item.kind = RenderItem::Kind::Quad;
    item.x = x;
    item.y = y;
    item.texture = GetTexture();
    item.quad = GetVertexBuffer();
    return item;
}

void CSprite::SetName(std::string_view name, TextEncoding encoding) {
    m_name = CutName(name, encoding);
}

std::string_view CSprite::CutName(std::string_view name, TextEncoding encoding) {
    return CTextCodec::CutAtCharacter(name, kMaxNameBytes, encoding);
}
