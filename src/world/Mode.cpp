#include "world/Mode.h"

#include "controllers/Controller.h"
#include "world/Entity.h"

CMode::~CMode() = default;

void CMode::AddEntity(std::unique_ptr<CEntity>) {}

CEntity* CMode::FindEntityByName(std::string_view) {
    return nullptr;
}

void CMode::Submit(std::unique_ptr<RenderItem> item) {
    if (m_controller) m_controller->Submit(std::move(item));
}
