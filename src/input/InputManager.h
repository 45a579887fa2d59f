#pragma once
#include "platform/DeviceState.h"

#include <cstdint>

class CGame;

// Reads the mouse and the Escape key once per running frame, keeps the game's
// own pointer (moved only by relative motion, clamped to the back buffer),
// maps it into the layout area and delivers exactly one pointer
// event per frame to the head of the controller chain; an "advance" key
// (Space, Enter, the wheel down) is a click where a click turns a page of
// the conversation. Owned by the game.
class CInputManager {
public:
    explicit CInputManager(CGame& game) : m_game(game) {}
    CInputManager(const CInputManager&) = delete;
    CInputManager& operator=(const CInputManager&) = delete;

    // False when the devices cannot be opened: the program must end.
    bool Init();
    void Poll();

    int32_t PointerX() const { return m_pointerX; }
    int32_t PointerY() const { return m_pointerY; }

private:
    enum class PointerEvent : uint8_t { Move, Down, Up };
    PointerEvent PointerEventOf(const DeviceState& state);
    bool ClickTurnsPage() const;
    void MovePointer(int32_t dx, int32_t dy, int32_t width, int32_t height);

    CGame& m_game;
    DeviceState m_previous;
    bool m_advanceHeld = false;  // an advance gave a press: its release is due
    int32_t m_pointerX = 0;      // back-buffer pixels
    int32_t m_pointerY = 0;
};
