#include "controllers/Controller.h"

#include "app/Game.h"
#include "display/Displayer.h"
#include "scripting/ScriptManager.h"
#include "world/Mode.h"

void CController::Draw() {
    if (m_child)
        m_child->Draw();
    else if (m_mode)
        m_mode->Draw();
}

void CController::Update() {
    if (m_child)
        m_child->Update();
    else if (m_mode)
        m_mode->Update();
}

void CController::Submit(std::unique_ptr<RenderItem> item) {
    if (m_parent)
        m_parent->Submit(std::move(item));
    else
        m_game.GetDisplayer().AddRenderItem(std::move(item));
}

void CController::SetMode(CMode* mode) {
    m_mode = mode;
    if (m_child)
        m_child->SetMode(mode);
    else if (mode)
        mode->SetController(this);
}

void CController::OnMouseMove(int32_t, int32_t) {}

void CController::OnMouseDown(const MouseButtons&, int32_t, int32_t) {
    m_game.GetScriptManager().RaiseEvent(CScriptManager::kEventMouseDown);
}

void CController::OnMouseUp(const MouseButtons&, int32_t, int32_t) {}

void CController::AddChild(CController* c) {
    if (m_child) {
        m_child->AddChild(c);
        return;
    }
    m_child = c;
    c->m_parent = this;
}

void CController::Detach() {
    if (m_child) m_child->Detach();
    m_child = nullptr;
    m_parent = nullptr;
}

bool CController::Reaches(const CController& link) const {
    for (const CController* at = this; at; at = at->m_child)
        if (at == &link) return true;
    return false;
}
