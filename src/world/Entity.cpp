#include "world/Entity.h"

#include "app/Game.h"
#include "app/Numeric.h"
#include "platform/TextCodec.h"
#include "scripting/Script.h"
#include "scripting/ScriptManager.h"
#include "story/Story.h"
#include "world/ModeRPGNormal.h"

#include <cmath>

CEntity::CEntity(CGame& game) : m_game(game) {
    m_handle = m_game.Handles().Register(this, kHandleKind);
}

// The script goes with the entity, even when it is the one running right now (a
// character's script that cleans the scene): it leaves the manager's lists as
// it goes, and the step that destroyed it touches it no more.
CEntity::~CEntity() {
    m_game.Handles().Unregister(m_handle);
}

void CEntity::SetSprite(std::unique_ptr<CSprite> sprite) {
    m_sprite = std::move(sprite);
    if (!m_sprite) return;
    m_centerX = static_cast<float>(m_sprite->Width() / 2);
    m_centerY = static_cast<float>(m_sprite->Height() / 2);
    m_hitBox = m_sprite->GetHitBox().value_or(HitBox{});
}

void CEntity::SetName(std::string_view name) {
    m_name = CTextCodec::CutAtCharacter(name, kMaxNameBytes, m_game.Story().Encoding());
}

void CEntity::SetPosition(float x, float y) {
    m_x = x;
    m_y = y;
}

void CEntity::SetCenter(int32_t x, int32_t y) {
    m_centerX = static_cast<float>(x);
    m_centerY = static_cast<float>(y);
}

void CEntity::SetDepth(int32_t depth) {
    m_depth = depth;
    if (m_scene) m_scene->SortByDepth();
}

void CEntity::SetScript(std::unique_ptr<CScript> script) {
    m_script = std::move(script);
}

// Walking animations 4..7 face lower left, upper left, upper right, lower right;
// the tests run in this order, so x = 0 picks 4 or 5 and (x > 0, y = 0) picks 6.
uint8_t CEntity::WalkAnimation(float vx, float vy) {
    if (vx <= 0 && vy >= 0) return 4;
    if (vx <= 0 && vy < 0) return 5;
    if (vx > 0 && vy <= 0) return 6;
    return 7;
}

void CEntity::MoveTo(int32_t x, int32_t y, float speed) {
    const float dx = static_cast<float>(x) - m_x;
    const float dy = static_cast<float>(y) - m_y;
    const float distance = std::sqrt(dx * dx + dy * dy);
    if (distance <= speed) {
        // Close enough to step there at once; a walk under way goes on.
        SetPosition(static_cast<float>(x), static_cast<float>(y));
        return;
    }
    m_targetX = x;
    m_targetY = y;
    m_velocityX = dx / distance * speed;
    m_velocityY = dy / distance * speed;
    if (m_role == kHero && m_sprite)
        m_sprite->SetAnimation(WalkAnimation(m_velocityX, m_velocityY));
}

void CEntity::Update() {
    if (!IsMoving()) return;
    const float toX = static_cast<float>(m_targetX) - m_x;
    const float toY = static_cast<float>(m_targetY) - m_y;
    if (m_velocityX * m_velocityX + m_velocityY * m_velocityY >= toX * toX + toY * toY) {
        SetPosition(static_cast<float>(m_targetX), static_cast<float>(m_targetY));
        Stop();
        return;
    }
    const uint8_t cell =
        m_scene ? m_scene->CellAt(TruncToInt32(m_x + m_velocityX), TruncToInt32(m_y + m_velocityY))
                : 0;
    if (cell == CWalkGrid::kBlocked) {
        Stop();  // halts in front of the blocked cell
        return;
    }
    m_x += m_velocityX;
    m_y += m_velocityY;
    if (cell != CWalkGrid::kFree && m_scene) m_scene->TriggerTrap(cell);
}

void CEntity::Stop() {
    m_velocityX = 0;
    m_velocityY = 0;
    if (m_role != kHero) return;
    if (m_sprite && m_sprite->GetAnimation() >= 4)
        m_sprite->SetAnimation(static_cast<uint8_t>(m_sprite->GetAnimation() - 4));
    m_game.GetScriptManager().RaiseEvent(CScriptManager::kEventHeroStop);
}

double CEntity::SpeedSquared() const {
    return static_cast<double>(m_velocityX) * m_velocityX +
           static_cast<double>(m_velocityY) * m_velocityY;
}

// Edges do not hit.
bool CEntity::HitTest(int32_t x, int32_t y) const {
    const float left = static_cast<float>(m_hitBox.left) + m_x - m_centerX;
    const float right = static_cast<float>(m_hitBox.right) + m_x - m_centerX;
    const float top = static_cast<float>(m_hitBox.top) + m_y - m_centerY;
    const float bottom = static_cast<float>(m_hitBox.bottom) + m_y - m_centerY;
    const auto px = static_cast<float>(x), py = static_cast<float>(y);
    return left < px && px < right && top < py && py < bottom;
}

RenderItem CEntity::MakeItem() const {
    if (!m_sprite) return RenderItem{};
    return m_sprite->MakeItem(m_x - m_centerX, m_y - m_centerY);
}
