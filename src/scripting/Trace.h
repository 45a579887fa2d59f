#pragma once
#include "scripting/ScriptToken.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

class CScript;
class CScriptSource;

// `--trace FILE`: one line per command a script runs, as
//   FRAME PATH:LINE:COLUMN COMMAND ARGUMENTS... [| $REG=VALUE ...]
// with the registers the step changed. While a trace is open it is the active
// one and every step reports to it; with none open a step pays one test of a
// null pointer.
class CTrace {
public:
    // Opens (empties) the file and becomes the active trace when it opens.
    explicit CTrace(const std::string& path);
    CTrace(const CTrace&) = delete;
    CTrace& operator=(const CTrace&) = delete;
    ~CTrace();

    bool IsOpen() const { return m_file != nullptr; }
    static CTrace* Active() { return s_active; }

    // Around one step of `script`, whose command is token `index` of its file.
    void Begin(const CScript& script, const CScriptSource& source, uint32_t index);
    void End(uint32_t frame);
    // `script` is being destroyed, maybe by its own step: End reads nothing of it.
    void Forget(const CScript& script);

    static std::string RegisterName(int index);

private:
    std::string Changes() const;

    std::FILE* m_file = nullptr;
    std::string m_path;
    const CScript* m_script = nullptr;  // the script stepping; null once gone
    const CScriptSource* m_source = nullptr;
    uint32_t m_index = 0;
    std::array<uint32_t, kRegisterCount> m_before{};
    static inline CTrace* s_active = nullptr;
};
