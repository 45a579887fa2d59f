#include "input/InputManager.h"

#include "app/DeviceFailure.h"
#include "app/Game.h"
#include "controllers/Controller.h"
#include "controllers/ControllerDialogue.h"
#include "display/Displayer.h"
#include "display/Layout.h"
#include "input/InputRecorder.h"
#include "platform/Platform.h"

#include <string>

namespace {

// Removes the bands the displayer leaves round the centred layout area.
int32_t ToLayout(int32_t pointer, int32_t size, int32_t layout) {
    if (pointer < (size - layout) / 2) return 0;
    if (pointer > (size + layout) / 2) return layout;
    return pointer - (size - layout) / 2;
}

}  // namespace

bool CInputManager::Init() {
    std::string error;
    if (m_game.Platform().OpenInput(error)) return true;
    ReportDeviceFailure(m_game, DeviceFailure::Input, error);
    return false;
}

// The bounds are applied in this order, so the pointer's horizontal range is
// 0..kLayoutWidth whatever the back buffer's width, and its vertical range 0..height.
void CInputManager::MovePointer(int32_t dx, int32_t dy, int32_t width, int32_t height) {
    m_pointerX = SaturatingAdd(m_pointerX, dx);
    m_pointerY = SaturatingAdd(m_pointerY, dy);
    if (m_pointerX < 0) m_pointerX = 0;
    if (m_pointerX > kLayoutWidth) m_pointerX = kLayoutWidth;
    if (m_pointerY < 0) m_pointerY = 0;
    if (m_pointerX > width) m_pointerX = width;
    if (m_pointerY > height) m_pointerY = height;
}

// The button's own press or release comes first. A frame without one gives
// the release that ends an advance's click, or else the advance itself as a
// press, while a click would turn the conversation's page: the dialogue frame
// is shown or the picture-novel mode runs. An advance that meets the button
// held or moving is dropped: the player is clicking anyway.
CInputManager::PointerEvent CInputManager::PointerEventOf(const DeviceState& state) {
    if (state.leftButton != m_previous.leftButton)
        return state.leftButton ? PointerEvent::Down : PointerEvent::Up;
    if (m_advanceHeld) {
        m_advanceHeld = false;
        return PointerEvent::Up;
    }
    if (state.advance && !state.leftButton && ClickTurnsPage()) {
        m_advanceHeld = true;
        return PointerEvent::Down;
    }
    return PointerEvent::Move;
}

bool CInputManager::ClickTurnsPage() const {
    const CControllerDialogue* dialogue = m_game.Dialogue();
    return (dialogue && dialogue->IsShown()) || m_game.Pictures();
}

void CInputManager::Poll() {
    const uint32_t frame = m_game.FrameNumber();
    const DeviceState state = m_game.Platform().ReadDevices(frame);
    if (CInputRecorder* recorder = m_game.InputRecorder()) recorder->RecordPoll(frame, state);

    const auto width = static_cast<int32_t>(m_game.GetDisplayer().Width());
    const auto height = static_cast<int32_t>(m_game.GetDisplayer().Height());
    MovePointer(state.dx, state.dy, width, height);
    m_game.Platform().SetGamePointer(m_pointerX, m_pointerY);
    if (state.escape) m_game.RequestQuit(ExitCode::Normal);

    const int32_t x = ToLayout(m_pointerX, width, kLayoutWidth);
    const int32_t y = ToLayout(m_pointerY, height, kLayoutHeight);
    const PointerEvent event = PointerEventOf(state);
    m_previous = state;

    if (CController* head = m_game.GetController()) {
        const MouseButtons buttons{{1, 0, 0, 0}};
        if (event == PointerEvent::Down)
            head->OnMouseDown(buttons, x, y);
        else if (event == PointerEvent::Up)
            head->OnMouseUp(buttons, x, y);
        else
            head->OnMouseMove(x, y);
    }
    // Number keys only choose: they go to the choice menu, in either chain,
    // after the pointer (a click that already picked leaves them nothing).
    if (state.number != 0)
        if (CControllerDialogue* dialogue = m_game.Dialogue()) dialogue->OnNumberKey(state.number);
}
