#pragma once
#include "platform/TextCodec.h"
#include "scripting/ScriptToken.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CCommandTable;
class CPictureTable;
class CSoundTable;

// How a story's script files are read: their encoding, and the picture and
// sound names an @name token stands for.
struct ScriptReading {
    TextEncoding encoding = TextEncoding::Gb2312;
    // Null in a story without a manifest: there, @ tokens read as numbers
    // the way any other token does.
    const CPictureTable* pictures = nullptr;
    const CSoundTable* sounds = nullptr;  // null: no sound has a name
};

// Where a token stands in its file, counted from 1; the column in bytes
// (after a byte-order mark, which is skipped).
struct SourcePlace {
    uint32_t line = 0;
    uint32_t column = 0;
};

// One script file, read and split into tokens once. Immutable after loading
// and shared (through shared_ptr) by every CScript made from the file, so a
// thousand scripts of one file cost one copy of its text.
//
// A token is a run of bytes other than the six C white-space characters. Its
// text ends at its first NUL byte and is cut to kMaxTokenBytes (in a UTF-8
// story: of its GB2312 form, at a character); the rest of an overlong token
// is skipped, so it still counts as one token and the commands after it stay
// in step.
class CScriptSource {
public:
    static constexpr size_t kMaxTokenBytes = 499;  // what the reader keeps of a token
    static constexpr size_t kMaxLabelBytes = 99;   // what a label search compares
    // An @name that names nothing reads as this number, which no picture or
    // sound has.
    static constexpr int32_t kUnknownPicture = -1;

    // Null when the file cannot be opened.
    static std::shared_ptr<const CScriptSource> Load(const std::string& path,
                                                     const ScriptReading& reading = {});
    static std::shared_ptr<const CScriptSource> Parse(std::string_view bytes,
                                                      const ScriptReading& reading = {});
    static std::shared_ptr<const CScriptSource> Parse(std::string_view bytes,
                                                      const CCommandTable& commands);

    CScriptSource(std::string_view bytes, const CCommandTable& commands,
                  const ScriptReading& reading = {});
    CScriptSource(const CScriptSource&) = delete;
    CScriptSource& operator=(const CScriptSource&) = delete;

    std::span<const ScriptToken> Tokens() const { return m_tokens; }
    // Index of the token after the first token, in file order, that is `name`
    // followed by ':' (anything after that colon is ignored); kNoLabel if none.
    uint32_t FindLabel(std::string_view name) const;

    // The place of token `index` in the file.
    SourcePlace PlaceOf(uint32_t index) const;
    // The file began with a UTF-8 byte-order mark (skipped, in either encoding).
    bool HadByteOrderMark() const { return m_byteOrderMark; }
    TextEncoding Encoding() const { return m_encoding; }
    // The file it was loaded from, relative to the story folder; empty for
    // text parsed from memory.
    const std::string& Path() const { return m_path; }
    // "path:line:column" of token `index`, as diagnostics name places.
    std::string PlaceText(uint32_t index) const;

private:
    void Split(std::string_view bytes);
    void Resolve(const CCommandTable& commands, const ScriptReading& reading);
    void IndexLabels();
    std::string_view LabelPart(std::string_view text) const;
    bool FitsLabel(std::string_view name) const;

    std::string m_path;
    std::string m_text;  // every token's text, each followed by a NUL; tokens point into it
    std::vector<ScriptToken> m_tokens;
    std::vector<uint32_t> m_lineStarts;  // byte offset of each line's first byte
    // Label name -> token index after its first label. The keys view m_text.
    // Lookups only.
    std::unordered_map<std::string_view, uint32_t> m_labels;
    TextEncoding m_encoding = TextEncoding::Gb2312;
    bool m_byteOrderMark = false;
};
