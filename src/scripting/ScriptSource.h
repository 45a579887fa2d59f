#pragma once
#include "scripting/ScriptToken.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CCommandTable;

// One script file, read and split into tokens once. Immutable after loading
// and shared (through shared_ptr) by every CScript made from the file, so a
// thousand scripts of one file cost one copy of its text.
//
// A token is a run of bytes other than the six C white-space characters. Its
// text ends at its first NUL byte and is cut to kMaxTokenBytes; the rest of an
// overlong token is skipped, so it still counts as one token and the commands
// after it stay in step.
class CScriptSource {
public:
    static constexpr size_t kMaxTokenBytes = 499;  // what the reader keeps of a token
    static constexpr size_t kMaxLabelBytes = 99;   // what a label search compares

    // Null when the file cannot be opened.
    static std::shared_ptr<const CScriptSource> Load(const std::string& path);
    static std::shared_ptr<const CScriptSource> Parse(std::string_view bytes);
    static std::shared_ptr<const CScriptSource> Parse(std::string_view bytes,
                                                      const CCommandTable& commands);

    CScriptSource(std::string_view bytes, const CCommandTable& commands);
    CScriptSource(const CScriptSource&) = delete;
    CScriptSource& operator=(const CScriptSource&) = delete;

    std::span<const ScriptToken> Tokens() const { return m_tokens; }
    // Index of the token after the first token, in file order, that is `name`
    // followed by ':' (anything after that colon is ignored); kNoLabel if none.
    uint32_t FindLabel(std::string_view name) const;

private:
    void Split(std::string_view bytes);
    void Resolve(const CCommandTable& commands);
    void IndexLabels();

    std::string m_text;  // every token's text, each followed by a NUL; tokens point into it
    std::vector<ScriptToken> m_tokens;
    // Label name -> token index after its first label. The keys view m_text.
    // Lookups only.
    std::unordered_map<std::string_view, uint32_t> m_labels;
};
