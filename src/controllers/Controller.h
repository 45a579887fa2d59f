#pragma once
#include "display/RenderItem.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CGame;
class CMode;

// One flag byte per mouse button; the input manager reports the left one only.
struct MouseButtons {
    std::array<uint8_t, 4> flags{};
};

// A per-frame behaviour between the game object and the current mode. The active
// controllers form a chain: update and draw run down it into the mode, render
// items climb back up it to the displayer, pointer events reach the head alone.
// The game's controller registry owns every controller; links are borrowed.
class CController {
public:
    explicit CController(CGame& game) : m_game(game) {}
    CController(const CController&) = delete;
    CController& operator=(const CController&) = delete;
    virtual ~CController() = default;

    virtual void Draw();
    virtual void Update();
    virtual void Submit(std::unique_ptr<RenderItem> item);
    virtual void SetMode(CMode* mode);
    virtual void OnMouseMove(int32_t x, int32_t y);
    // Raises EVENT_MOUSE_DOWN: a click advances a conversation where the head
    // keeps this behaviour (the picture-novel chain).
    virtual void OnMouseDown(const MouseButtons& buttons, int32_t x, int32_t y);
    virtual void OnMouseUp(const MouseButtons& buttons, int32_t x, int32_t y);

    // Appends c at the end of the chain below this link.
    void AddChild(CController* c);
    // Unlinks this link and every link below it.
    void Detach();
    // This link or one below it, never one above.
    CController* Find(std::string_view name);

    const std::string& Name() const { return m_name; }
    void SetName(std::string_view name) { m_name = name; }
    bool IsShown() const { return m_shown; }
    void SetShown(bool shown) { m_shown = shown; }
    CController* Parent() const { return m_parent; }
    CController* Child() const { return m_child; }
    CMode* Mode() const { return m_mode; }

protected:
    CGame& m_game;
    bool m_shown = true;
    CController* m_parent = nullptr;
    CController* m_child = nullptr;
    CMode* m_mode = nullptr;

private:
    std::string m_name;
};
