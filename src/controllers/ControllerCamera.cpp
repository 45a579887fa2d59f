#include "controllers/ControllerCamera.h"

#include "display/Layout.h"
#include "world/Entity.h"
#include "world/Mode.h"

namespace {

// The upper bound is tested first: in a scene narrower than the layout area the
// offset is negative while the hero stands right of its middle.
float Follow(float wanted, int32_t sceneSize, int32_t layoutSize) {
    const int64_t most = int64_t{sceneSize} - layoutSize;
    if (wanted > static_cast<float>(most)) return static_cast<float>(most);
    if (wanted < 0) return 0;
    return wanted;
}

}  // namespace

void CControllerCamera::Update() {
    if (!m_mode) return;
    m_mode->Update();
    const CEntity* hero = m_mode->GetHero();
    if (!hero) return;
    m_offsetX = Follow(hero->X() - kLayoutWidth / 2, m_mode->SceneWidth(), kLayoutWidth);
    m_offsetY = Follow(hero->Y() - kLayoutHeight / 2, m_mode->SceneHeight(), kLayoutHeight);
}

// The camera queues nothing of its own and has no child.
void CControllerCamera::Draw() {
    if (m_mode) m_mode->Draw();
}

void CControllerCamera::Submit(std::unique_ptr<RenderItem> item) {
    item->x -= m_offsetX;
    item->y -= m_offsetY;
    CController::Submit(std::move(item));
}
