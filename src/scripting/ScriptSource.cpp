#include "scripting/ScriptSource.h"

#include "platform/FileRead.h"
#include "scripting/CommandTable.h"
#include "scripting/Script.h"

#include <fstream>
#include <iterator>

namespace {

// The white space of "%s" in the C locale. Every other byte, NUL and the bytes
// of GB2312 text included, belongs to a token.
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

std::shared_ptr<const CScriptSource> CScriptSource::Load(const std::string& path) {
    std::string bytes;
    if (!CFileRead::ReadOrSay(path, CFileRead::kMaxScriptBytes, bytes)) return nullptr;
    return Parse(bytes);
}

std::shared_ptr<const CScriptSource> CScriptSource::Parse(std::string_view bytes) {
    return Parse(bytes, CCommandTable::Engine());
}

std::shared_ptr<const CScriptSource> CScriptSource::Parse(std::string_view bytes,
                                                          const CCommandTable& commands) {
    return std::make_shared<const CScriptSource>(bytes, commands);
}

CScriptSource::CScriptSource(std::string_view bytes, const CCommandTable& commands) {
    Split(bytes);
    Resolve(commands);
    IndexLabels();
}

void CScriptSource::Split(std::string_view bytes) {
    size_t i = 0;
    while (true) {
        while (i < bytes.size() && IsSpace(bytes[i]))
            ++i;
        if (i == bytes.size()) break;
        const size_t start = i;
        while (i < bytes.size() && !IsSpace(bytes[i]))
            ++i;
        std::string_view text = bytes.substr(start, i - start);
        text = text.substr(0, text.find('\0'));
        text = text.substr(0, kMaxTokenBytes);
        m_tokens.emplace_back();
        m_text.append(text);
        m_text.push_back('\0');
    }
    m_tokens.shrink_to_fit();
    m_text.shrink_to_fit();
    // The text is complete and never changes again: tokens may point into it.
    const char* text = m_text.data();
    for (ScriptToken& token : m_tokens) {
        token.text = text;
        text += std::char_traits<char>::length(text) + 1;
    }
}

void CScriptSource::Resolve(const CCommandTable& commands) {
    for (ScriptToken& token : m_tokens) {
        const std::string_view text = token.text;
        token.handler = commands.Resolve(text);
        token.number = CScript::ReadNumber(text);
        token.reg = static_cast<int8_t>(CScript::ParseRegister(text));
    }
}

// A token answers every name that runs up to one of its colons, within the
// bytes a label search compares: "a:b:" is the label of both "a" and "a:b".
// The first token in file order keeps a name, so later ones never replace it.
void CScriptSource::IndexLabels() {
    for (uint32_t i = 0; i < m_tokens.size(); ++i) {
        const std::string_view text = std::string_view(m_tokens[i].text).substr(0, kMaxLabelBytes);
        for (size_t colon = text.find(':'); colon != std::string_view::npos;
             colon = text.find(':', colon + 1))
            m_labels.try_emplace(text.substr(0, colon), i + 1);
    }
    for (ScriptToken& token : m_tokens)
        token.jumpTarget = FindLabel(token.text);
}

uint32_t CScriptSource::FindLabel(std::string_view name) const {
    if (name.size() >= kMaxLabelBytes) return ScriptToken::kNoLabel;  // no room left for its colon
    const auto found = m_labels.find(name);
    return found == m_labels.end() ? ScriptToken::kNoLabel : found->second;
}
