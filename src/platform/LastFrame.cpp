#include "platform/LastFrame.h"

#include "platform/Texture.h"

namespace {

// Everything that decides the pixels of one command; the text by content.
bool SameCommand(const DrawCommand& a, const DrawCommand& b) {
    return a.kind == b.kind && a.x == b.x && a.y == b.y && a.width == b.width &&
           a.height == b.height && a.texture == b.texture && a.text == b.text && a.font == b.font &&
           a.rect == b.rect && a.color == b.color && a.alpha == b.alpha;
}

uint64_t SerialOf(const DrawCommand& command) {
    return command.texture ? command.texture->Serial() : 0;
}

}  // namespace

// A picture is compared by address and serial: new pixels in the same
// picture, or a new picture where a freed one was, make a new frame.
bool CLastFrame::Matches(const DrawList& frame) const {
    if (!m_valid || !(frame.clip == m_clip) || frame.commands.size() != m_commands.size())
        return false;
    for (size_t i = 0; i < m_commands.size(); ++i)
        if (!SameCommand(frame.commands[i], m_commands[i]) ||
            SerialOf(frame.commands[i]) != m_serials[i])
            return false;
    return true;
}

void CLastFrame::Remember(const DrawList& frame) {
    m_clip = frame.clip;
    m_commands = frame.commands;
    m_serials.clear();
    for (const DrawCommand& command : m_commands)
        m_serials.push_back(SerialOf(command));
    m_texts.assign(m_commands.size(), std::string());
    // Each view points at its own string; m_texts is not resized again
    // until the next Remember, so the views stay valid.
    for (size_t i = 0; i < m_commands.size(); ++i) {
        m_texts[i] = m_commands[i].text;
        m_commands[i].text = m_texts[i];
    }
    m_valid = true;
}
