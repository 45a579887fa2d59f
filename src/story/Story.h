#pragma once
#include "platform/TextCodec.h"
#include "story/PictureTable.h"
#include "story/ScriptTable.h"
#include "story/SoundTable.h"

#include <filesystem>
#include <memory>
#include <string>

class CDiagnostics;

// What a story folder declares about itself: its title, the encoding of its
// scripts, and its script, picture and sound tables (the built-in ones, with the
// rows of its manifest, story.toml, laid over them). Loaded by the entry
// point before anything runs and borrowed by the game; a fresh load gives a
// fresh story, so a game can be rebuilt from the folder as it is now.
class CStory {
public:
    static constexpr const char* kManifestFile = "story.toml";
    static constexpr const char* kDefaultTitle = "Tabi";

    // A folder without a manifest: the built-in tables, GB2312, "Tabi".
    static const CStory& BuiltIn();
    // Reads the folder's manifest when it has one. Null when the manifest has
    // an error (each one is in `out`, with its place): nothing of it is used.
    static std::unique_ptr<CStory> Load(const std::filesystem::path& folder, CDiagnostics& out);
    // The same from manifest text, for a folder already entered.
    static std::unique_ptr<CStory> FromManifest(std::string_view text, CDiagnostics& out);

    const std::string& Title() const { return m_title; }
    TextEncoding Encoding() const { return m_encoding; }
    // False for a story without story.toml: it reads and plays exactly as the
    // engine's own tables say, @names included (they read as plain numbers).
    bool HasManifest() const { return m_hasManifest; }
    const CScriptTable& Scripts() const { return m_scripts; }
    const CPictureTable& Pictures() const { return m_pictures; }
    const CSoundTable& Sounds() const { return m_sounds; }

private:
    friend class CManifestReader;  // fills a story from its manifest

    std::string m_title = kDefaultTitle;
    TextEncoding m_encoding = TextEncoding::Gb2312;
    bool m_hasManifest = false;
    CScriptTable m_scripts = CScriptTable::BuiltIn();
    CPictureTable m_pictures = CPictureTable::BuiltIn();
    CSoundTable m_sounds;
};
