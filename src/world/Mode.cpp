#include "world/Mode.h"

#include "controllers/Controller.h"

CMode::~CMode() = default;

void CMode::Submit(std::unique_ptr<RenderItem> item) {
    if (m_controller) m_controller->Submit(std::move(item));
}
