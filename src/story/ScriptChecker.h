#pragma once
#include "scripting/ScriptSource.h"

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class CCommandTable;
class CDiagnostics;
class CStory;
struct CommandEntry;

// Reads one script file the way a run would and reports what would go wrong
// when it plays, without running it: each token in command position is a
// label or a command, and a command's arguments are checked against the
// shape its command table gives. What the registers $a0-$a3 and the mode hold
// is followed along straight-line code (forgotten at each label), so a
// literal flag index, picture, script or mode given through them is checked
// too. Picture and script numbers met are collected for the story's check.
class CScriptChecker {
public:
    CScriptChecker(const CStory& story, const CCommandTable& commands, CDiagnostics& out);

    // `startsInScene`: the file is the start script, which begins in the
    // role-playing mode with a scene that has no size yet.
    void Check(const std::string& path, std::string_view bytes, bool startsInScene);

    const std::set<int32_t>& PicturesUsed() const { return m_picturesUsed; }
    const std::set<int32_t>& ScriptsUsed() const { return m_scriptsUsed; }

private:
    // What straight-line code has made known so far.
    struct Known {
        std::array<std::optional<int32_t>, 4> args;  // $a0-$a3
        std::optional<uint8_t> mode;
        std::optional<bool> sceneSized;
    };

    void CheckBytes();
    void CheckToken(uint32_t index);
    void CollectLabels();
    uint32_t CheckCommand(uint32_t index, const CommandEntry& entry);
    void CheckArgument(char letter, uint32_t index);
    void CheckLabelTarget(uint32_t index);
    void CheckEvent(uint32_t index);
    void CheckRegister(uint32_t index);
    void CheckValue(uint32_t index);
    void CheckPicture(uint32_t index);
    void CheckPictureName(uint32_t index, bool soundsToo = false);
    void CheckScript(uint32_t index);
    void CheckTextLength(uint32_t index, size_t kept, const char* what);
    void CheckMode(uint32_t index, const CommandEntry& entry);
    void CheckOperands(uint32_t index, const CommandEntry& entry);
    void CheckOperand(uint32_t index, char letter, int slot, int32_t value);
    void Follow(uint32_t index, const CommandEntry& entry);
    uint32_t NextLine(uint32_t index) const;

    std::string_view Text(uint32_t index) const { return m_source->Tokens()[index].text; }
    void Report(uint32_t index, bool error, std::string message);

    const CStory& m_story;
    const CCommandTable& m_commands;
    CDiagnostics& m_out;
    std::set<int32_t> m_picturesUsed;
    std::set<int32_t> m_scriptsUsed;
    std::vector<std::string_view> m_commandNames;  // views of the command table's names

    // The file being checked.
    std::string m_path;
    std::shared_ptr<const CScriptSource> m_source;
    std::vector<std::string_view> m_labels;
    Known m_known;
};
