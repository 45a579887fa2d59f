#include "controllers/ControllerRPGNormal.h"

#include "app/Game.h"
#include "app/Numeric.h"
#include "controllers/ControllerCamera.h"
#include "controllers/ControllerDialogue.h"
#include "display/Database.h"
#include "display/Displayer.h"
#include "display/Sprite.h"
#include "scripting/ScriptManager.h"
#include "world/Entity.h"
#include "world/Mode.h"

#include <cmath>

CControllerRPGNormal::CControllerRPGNormal(CGame& game)
    : CController(game, kName), m_pointer(game.GetDatabase().LoadSprite(1000)) {
    SetState(kFree);
    m_pointer->SetFrameDuration(kPointerFrameDuration);
}

CControllerRPGNormal::~CControllerRPGNormal() = default;

void CControllerRPGNormal::SetState(uint8_t state) {
    CControllerDialogue* dialogue = Below(m_game.Dialogue());
    if (state == kFree) {
        if (dialogue) dialogue->SetShown(false);
        m_state = kFree;
    } else if (state == kDialogue) {
        if (dialogue) {
            dialogue->SetShown(true);
            m_state = kDialogue;
        }
    } else if (state == kLocked) {
        if (m_state == kFree || m_state == kWalking) m_state = kLocked;
    }
}

// The scene is not updated directly when there is no child below.
void CControllerRPGNormal::Update() {
    if (m_child) m_child->Update();
    m_pointer->Animate();
}

// The pointer goes straight to the displayer after everything below: it lies
// over the scene and the dialogue frame, and the camera does not move it.
void CControllerRPGNormal::Draw() {
    if (m_child) m_child->Draw();
    m_game.GetDisplayer().AddRenderItem(
        std::make_unique<RenderItem>(m_pointer->MakeItem(m_pointerX - 5, m_pointerY - 5)));
}

void CControllerRPGNormal::Submit(std::unique_ptr<RenderItem> item) {
    m_game.GetDisplayer().AddRenderItem(std::move(item));
}

CEntity* CControllerRPGNormal::Hero() const {
    return m_mode ? m_mode->GetHero() : nullptr;
}

// Pointer events come before this frame's update, so they use the offset the
// camera computed in the frame before.
CControllerRPGNormal::ScenePoint CControllerRPGNormal::ToScene(int32_t x, int32_t y) {
    m_pointerX = static_cast<float>(x);
    m_pointerY = static_cast<float>(y);
    float offsetX = 0, offsetY = 0;
    if (const CControllerCamera* camera = Below(m_game.Camera())) {
        offsetX = camera->OffsetX();
        offsetY = camera->OffsetY();
    }
    return {TruncToInt32(offsetX + m_pointerX), TruncToInt32(offsetY + m_pointerY)};
}

void CControllerRPGNormal::WalkHeroTo(const ScenePoint& point) {
    if (CEntity* hero = Hero()) hero->MoveTo(point.x, point.y, kWalkSpeed);
}

bool CControllerRPGNormal::CharacterAt(const ScenePoint& point) const {
    if (!m_mode) return false;
    for (const auto& entity : m_mode->Entities())
        if (entity->HitTest(point.x, point.y) && entity->GetRole() == CEntity::kNpc) return true;
    return false;
}

// A character that is hit but has no script does not end the search.
CEntity* CControllerRPGNormal::CharacterWithScriptAt(const ScenePoint& point) const {
    if (!m_mode) return nullptr;
    for (const auto& entity : m_mode->Entities())
        if (entity->HitTest(point.x, point.y) && entity->GetRole() == CEntity::kNpc &&
            entity->GetScript())
            return entity.get();
    return nullptr;
}

// While the player chooses, the pointer works the choice menu and the hero
// stays where it is.
CControllerDialogue* CControllerRPGNormal::Choosing() const {
    CControllerDialogue* dialogue = Below(m_game.Dialogue());
    return dialogue && dialogue->IsChoosing() ? dialogue : nullptr;
}

void CControllerRPGNormal::OnMouseMove(int32_t x, int32_t y) {
    const ScenePoint point = ToScene(x, y);
    if (CControllerDialogue* dialogue = Choosing()) {
        m_pointer->SetAnimation(0);
        dialogue->OnMouseMove(x, y);
        return;
    }
    if (m_state == kFree)
        m_pointer->SetAnimation(CharacterAt(point) ? 1 : 0);
    else if (m_state == kWalking)
        WalkHeroTo(point);
}

void CControllerRPGNormal::OnMouseDown(const MouseButtons& buttons, int32_t x, int32_t y) {
    const ScenePoint point = ToScene(x, y);
    if (CControllerDialogue* dialogue = Choosing()) {
        dialogue->OnMouseDown(buttons, x, y);
        return;
    }
    if (m_state == kFree) {
        if (CEntity* character = CharacterWithScriptAt(point)) {
            m_game.GetScriptManager().Restart(*character->GetScript());
            m_pointer->SetAnimation(0);
            if (CEntity* hero = Hero()) hero->Stop();
            return;
        }
        WalkHeroTo(point);
        m_state = kWalking;
    } else if (m_state == kDialogue) {
        m_game.GetScriptManager().RaiseEvent(CScriptManager::kEventMouseDown);
    }
}

// The hero is not stopped: it walks on to the last target it was given.
void CControllerRPGNormal::OnMouseUp(const MouseButtons&, int32_t, int32_t) {
    if (m_state == kWalking) m_state = kFree;
}
