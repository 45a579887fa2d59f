#include "scripting/CommandContext.h"

#include "app/Log.h"

void CCommandContext::LogNoObject(int index, uint32_t handle) const {
    CLog::Write("%s: register %d holds handle 0x%08x, which names no live object of that kind",
                m_command.text, index, handle);
}
