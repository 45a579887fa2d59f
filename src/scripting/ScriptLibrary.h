#pragma once
#include <map>
#include <memory>
#include <string_view>

class CScript;
class CScriptSource;
class CStory;
struct ScriptReading;

// The story's numbered script files: each is read and split into tokens once,
// on first use, and every script made from it shares that. Owned by the
// database; borrows the story, which outlives the game.
class CScriptLibrary {
public:
    explicit CScriptLibrary(const CStory& story);
    explicit CScriptLibrary(CStory&&) = delete;
    CScriptLibrary(const CScriptLibrary&) = delete;
    CScriptLibrary& operator=(const CScriptLibrary&) = delete;
    ~CScriptLibrary();

    // The file of a script number, relative to the story folder; empty for a
    // number the story's script table lacks.
    std::string_view PathOf(int number) const;
    // How the story's script files are read: its encoding, and its picture
    // names when it has a manifest.
    static ScriptReading ReadingOf(const CStory& story);

    // A new script, with its own position, state and registers, even for a
    // number asked for before. Null (and nothing logged) for a number the
    // table lacks; a script that never runs (logged) when its file cannot be
    // opened. A file that could not be opened is tried again next time.
    std::unique_ptr<CScript> Load(int number);

private:
    const CStory& m_story;
    std::map<int, std::shared_ptr<const CScriptSource>> m_sources;
};
