#include "scripting/ScriptSource.h"

#include "platform/FileRead.h"
#include "scripting/CommandTable.h"
#include "scripting/Script.h"
#include "story/PictureTable.h"
#include "story/SoundTable.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

// The white space of "%s" in the C locale. Every other byte, NUL and the bytes
// of GB2312 text included, belongs to a token.
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

int32_t NumberOf(std::string_view token, const ScriptReading& reading) {
    const std::string_view name = token.substr(1);
    if (const auto picture = reading.pictures->NumberOf(name)) return *picture;
    if (reading.sounds)
        if (const auto sound = reading.sounds->NumberOf(name)) return *sound;
    return CScriptSource::kUnknownPicture;
}

}  // namespace

std::shared_ptr<const CScriptSource> CScriptSource::Load(const std::string& path,
                                                         const ScriptReading& reading) {
    std::string bytes;
    if (!CFileRead::ReadOrSay(path, CFileRead::kMaxScriptBytes, bytes)) return nullptr;
    auto source = std::make_shared<CScriptSource>(bytes, CCommandTable::Engine(), reading);
    source->m_path = path;
    return source;
}

std::shared_ptr<const CScriptSource> CScriptSource::Parse(std::string_view bytes,
                                                          const ScriptReading& reading) {
    return std::make_shared<const CScriptSource>(bytes, CCommandTable::Engine(), reading);
}

std::shared_ptr<const CScriptSource> CScriptSource::Parse(std::string_view bytes,
                                                          const CCommandTable& commands) {
    return std::make_shared<const CScriptSource>(bytes, commands);
}

// A byte-order mark would make the first command an illegal one; editors
// write it unasked, so it is skipped whatever the story's encoding.
CScriptSource::CScriptSource(std::string_view bytes, const CCommandTable& commands,
                             const ScriptReading& reading)
    : m_encoding(reading.encoding) {
    m_byteOrderMark = bytes.starts_with(kByteOrderMark);
    if (m_byteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
    Split(bytes);
    Resolve(commands, reading);
    IndexLabels();
}

// GB2312 tokens are cut at the byte, as the fixed-size reader always did;
// UTF-8 ones at the character that brings their GB2312 form past the limit.
void CScriptSource::Split(std::string_view bytes) {
    m_lineStarts.push_back(0);
    size_t i = 0;
    while (true) {
        for (; i < bytes.size() && IsSpace(bytes[i]); ++i)
            if (bytes[i] == '\n') m_lineStarts.push_back(static_cast<uint32_t>(i + 1));
        if (i == bytes.size()) break;
        const size_t start = i;
        while (i < bytes.size() && !IsSpace(bytes[i]))
            ++i;
        std::string_view text = bytes.substr(start, i - start);
        text = text.substr(0, text.find('\0'));
        text = m_encoding == TextEncoding::Utf8
                   ? CTextCodec::CutAtCharacter(text, kMaxTokenBytes, m_encoding)
                   : text.substr(0, kMaxTokenBytes);
        m_tokens.emplace_back().offset = static_cast<uint32_t>(start);
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

// With a manifest, "@name" reads as the number of the picture, or else the
// sound, of that name (the manifest keeps the two sets of names apart).
void CScriptSource::Resolve(const CCommandTable& commands, const ScriptReading& reading) {
    for (ScriptToken& token : m_tokens) {
        const std::string_view text = token.text;
        token.handler = commands.Resolve(text);
        token.number = CScript::ReadNumber(text);
        token.reg = static_cast<int8_t>(CScript::ParseRegister(text));
        if (token.reg == 0 && CScript::IsMisspeltRegister(text)) token.reg = kMisspeltRegister;
        if (reading.pictures && text.starts_with('@')) token.number = NumberOf(text, reading);
    }
}

SourcePlace CScriptSource::PlaceOf(uint32_t index) const {
    if (index >= m_tokens.size()) return {};
    const uint32_t offset = m_tokens[index].offset;
    const auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    const auto line = static_cast<uint32_t>(next - m_lineStarts.begin());
    return {line, offset - *(next - 1) + 1};
}

std::string CScriptSource::PlaceText(uint32_t index) const {
    const SourcePlace place = PlaceOf(index);
    return (m_path.empty() ? std::string("(script)") : m_path) + ':' + std::to_string(place.line) +
           ':' + std::to_string(place.column);
}

// What a label search compares of a token: its first kMaxLabelBytes bytes,
// or in a UTF-8 story as many whole characters as that many GB2312 bytes hold.
std::string_view CScriptSource::LabelPart(std::string_view text) const {
    return m_encoding == TextEncoding::Utf8
               ? CTextCodec::CutAtCharacter(text, kMaxLabelBytes, m_encoding)
               : text.substr(0, kMaxLabelBytes);
}

// A token answers every name that runs up to one of its colons, within the
// bytes a label search compares: "a:b:" is the label of both "a" and "a:b".
// The first token in file order keeps a name, so later ones never replace it.
void CScriptSource::IndexLabels() {
    for (uint32_t i = 0; i < m_tokens.size(); ++i) {
        const std::string_view text = LabelPart(m_tokens[i].text);
        for (size_t colon = text.find(':'); colon != std::string_view::npos;
             colon = text.find(':', colon + 1))
            m_labels.try_emplace(text.substr(0, colon), i + 1);
    }
    for (ScriptToken& token : m_tokens)
        token.jumpTarget = FindLabel(token.text);
}

// A name is found only when it and its colon fit in what a search compares.
bool CScriptSource::FitsLabel(std::string_view name) const {
    if (m_encoding == TextEncoding::Gb2312) return name.size() < kMaxLabelBytes;
    return CTextCodec::CutAtCharacter(name, kMaxLabelBytes - 1, m_encoding).size() == name.size();
}

uint32_t CScriptSource::FindLabel(std::string_view name) const {
    if (!FitsLabel(name)) return ScriptToken::kNoLabel;
    const auto found = m_labels.find(name);
    return found == m_labels.end() ? ScriptToken::kNoLabel : found->second;
}
