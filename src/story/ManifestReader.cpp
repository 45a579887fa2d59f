#include "story/ManifestReader.h"

#include "story/Diagnostics.h"
#include "story/NearestKey.h"
#include "story/Story.h"

#include <toml++/toml.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <limits>
#include <optional>
#include <set>

namespace {

constexpr std::string_view kTopKeys[] = {"title", "encoding", "scripts", "pictures", "sounds"};
constexpr std::string_view kPictureKeys[] = {"name",       "files",  "size",
                                             "animations", "hitbox", "ticks"};
constexpr std::string_view kSoundKeys[] = {"name", "file"};
constexpr const char* kNameRule =
    "name must be letters, digits, '_' and '-' in quotes, such as \"hero\"";

struct Place {
    uint32_t line = 0;
    uint32_t column = 0;
};

Place PlaceOf(const toml::source_region& region) {
    return {region.begin.line, region.begin.column};
}

// Built by appending: GCC 12 warns falsely on "'" + std::string(text) in release builds.
std::string Quoted(std::string_view text) {
    std::string quoted(1, '\'');
    quoted.append(text);
    quoted.push_back('\'');
    return quoted;
}

// Where the manifest's findings go. Tables come out of toml++ in key order,
// so the findings are put back in file order before they are handed on.
class CFindings {
public:
    explicit CFindings(CDiagnostics& out) : m_out(out) {}
    void Error(Place place, std::string message) {
        m_found.push_back(
            {CStory::kManifestFile, place.line, place.column, Severity::Error, std::move(message)});
    }
    void Error(const toml::source_region& at, std::string message) {
        Error(PlaceOf(at), std::move(message));
    }
    bool Any() const { return !m_found.empty(); }
    void HandOn() {
        std::stable_sort(m_found.begin(), m_found.end(), [](const auto& a, const auto& b) {
            return std::tie(a.line, a.column) < std::tie(b.line, b.column);
        });
        for (Diagnostic& d : m_found)
            m_out.Add(std::move(d));
    }

private:
    CDiagnostics& m_out;
    std::vector<Diagnostic> m_found;
};

void RejectUnknownKey(const toml::key& key, std::span<const std::string_view> known,
                      CFindings& findings) {
    std::string message = "unknown key " + Quoted(key.str());
    if (const std::string_view nearest = NearestKey(key.str(), known); !nearest.empty())
        message += "; did you mean " + Quoted(nearest) + "?";
    findings.Error(key.source(), std::move(message));
}

// A table key that names a script or picture number.
std::optional<int32_t> NumberKey(const toml::key& key, std::string_view what, CFindings& findings) {
    const std::string_view text = key.str();
    int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || text[0] == '-' || error != std::errc() ||
        end != text.data() + text.size()) {
        findings.Error(key.source(), std::string(what) + " numbers are whole numbers from 0 to " +
                                         "2147483647, not " + Quoted(text));
        return std::nullopt;
    }
    return number;
}

// A path as the engine will open it: relative to the story folder and inside
// it. Empty, with the reason given, when it is not.
std::string InsideStory(const toml::node& node, std::string_view what, CFindings& findings) {
    const auto* value = node.as_string();
    if (!value) {
        findings.Error(node.source(), std::string(what) + " must be a file path in quotes");
        return {};
    }
    const std::string& path = value->get();
    const std::filesystem::path normal = std::filesystem::path(path).lexically_normal();
    std::string why;
    if (path.empty() || normal == ".")
        why = "does not name a file";
    else if (path.find('\0') != std::string::npos)
        why = "holds a NUL character";
    else if (normal.is_absolute())
        why = "is absolute; give it relative to the story folder";
    else if (*normal.begin() == "..")
        why = "leaves the story folder";
    if (why.empty()) return normal.generic_string();
    findings.Error(node.source(), "path " + Quoted(path) + " " + why);
    return {};
}

std::optional<int64_t> Integer(const toml::node& node, int64_t low, int64_t high) {
    const auto* value = node.as_integer();
    if (!value || value->get() < low || value->get() > high) return std::nullopt;
    return value->get();
}

// Reads whole integers of an array into `out`; false when the node is not an
// array of `count` (or, with count 0, any number of) integers in [low, high].
bool Integers(const toml::node& node, size_t count, int64_t low, int64_t high,
              std::vector<int64_t>& out) {
    const auto* array = node.as_array();
    if (!array || (count != 0 && array->size() != count)) return false;
    for (const toml::node& element : *array) {
        const std::optional<int64_t> value = Integer(element, low, high);
        if (!value) return false;
        out.push_back(*value);
    }
    return true;
}

// What a picture or a sound may be called, so that @name is one token.
bool IsName(const toml::node& node) {
    const auto* name = node.as_string();
    const auto allowed = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-';
    };
    return name && !name->get().empty() &&
           std::all_of(name->get().begin(), name->get().end(), allowed);
}

// [SECTION] One picture.
class CPictureReader {
public:
    CPictureReader(int32_t number, PictureRow& row, CFindings& findings)
        : m_number(number), m_row(row), m_findings(findings) {}

    void Read(const toml::table& table, const toml::key& key) {
        for (const auto& [field, node] : table) {
            if (field == "name")
                ReadName(node);
            else if (field == "files")
                ReadFiles(node);
            else if (field == "size")
                ReadSize(node);
            else if (field == "hitbox")
                ReadHitBox(node);
            else if (field == "ticks")
                ReadTicks(node);
            else if (field != "animations")
                RejectUnknownKey(field, kPictureKeys, m_findings);
        }
        if (const toml::node* animations = table.get("animations")) ReadAnimations(*animations);
        const std::string picture = "picture " + std::to_string(m_number);
        if (!table.contains("files")) m_findings.Error(key.source(), picture + " needs its files");
        if (!table.contains("size")) m_findings.Error(key.source(), picture + " needs its size");
    }

private:
    void ReadName(const toml::node& node) {
        if (IsName(node))
            m_row.name = node.as_string()->get();
        else
            m_findings.Error(node.source(), kNameRule);
    }

    void ReadFiles(const toml::node& node) {
        const auto* files = node.as_array();
        if (!files || files->empty() || files->size() > CPictureTable::kMaxFiles) {
            m_findings.Error(node.source(), "files must be a list of 1 to 30 paths, image 0 first");
            return;
        }
        for (const toml::node& file : *files)
            m_row.files.push_back(InsideStory(file, "each file", m_findings));
    }

    void ReadSize(const toml::node& node) {
        std::vector<int64_t> size;
        if (!Integers(node, 2, 1, CPictureTable::kMaxSide, size)) {
            m_findings.Error(node.source(), "size must be [width, height], each from 1 to 8192");
            return;
        }
        m_row.width = static_cast<int32_t>(size[0]);
        m_row.height = static_cast<int32_t>(size[1]);
    }

    void ReadHitBox(const toml::node& node) {
        constexpr int64_t kLimit = std::numeric_limits<int32_t>::max();
        std::vector<int64_t> box;
        if (!Integers(node, 4, -kLimit, kLimit, box) || box[2] < box[0] || box[3] < box[1]) {
            m_findings.Error(node.source(),
                             "hitbox must be [left, top, right, bottom], right not left of left "
                             "and bottom not above top");
            return;
        }
        m_row.hitBox = HitBox{static_cast<int32_t>(box[0]), static_cast<int32_t>(box[1]),
                              static_cast<int32_t>(box[2]), static_cast<int32_t>(box[3])};
    }

    void ReadTicks(const toml::node& node) {
        const std::optional<int64_t> ticks = Integer(node, 1, 255);
        if (ticks)
            m_row.ticks = static_cast<uint8_t>(*ticks);
        else
            m_findings.Error(node.source(), "ticks must be a whole number from 1 to 255");
    }

    // Read after the files, whose count bounds the image indexes.
    void ReadAnimations(const toml::node& node) {
        const auto* animations = node.as_array();
        if (!animations || animations->empty() ||
            animations->size() > CPictureTable::kMaxAnimations) {
            m_findings.Error(node.source(),
                             "animations must be a list of 1 to 20 lists of image indexes");
            return;
        }
        const int64_t last = m_row.files.empty() ? CPictureTable::kMaxFiles - 1
                                                 : static_cast<int64_t>(m_row.files.size()) - 1;
        m_row.animations.clear();
        size_t entries = 0;
        for (const toml::node& animation : *animations) {
            std::vector<int64_t> images;
            if (!Integers(animation, 0, 0, last, images) || images.empty()) {
                m_findings.Error(animation.source(),
                                 "an animation must list image indexes from 0 to " +
                                     std::to_string(last) + " (one per file given)");
                continue;
            }
            m_row.animations.emplace_back(images.begin(), images.end());
            entries += images.size() + 1;
        }
        if (entries > CPictureTable::kMaxSequenceEntries)
            m_findings.Error(node.source(),
                             "the animations list " + std::to_string(entries) +
                                 " entries, each animation's images and its end counted; at "
                                 "most 40 fit");
    }

    int32_t m_number;
    PictureRow& m_row;
    CFindings& m_findings;
};

// [SECTION] The manifest's top level. To add a table: a Read function below,
// its key in kTopKeys and one more branch in Read.
class CManifestWalker {
public:
    CManifestWalker(std::string& title, TextEncoding& encoding, CScriptTable& scripts,
                    CPictureTable& pictures, CSoundTable& sounds, CFindings& findings)
        : m_title(title),
          m_encoding(encoding),
          m_scripts(scripts),
          m_pictures(pictures),
          m_sounds(sounds),
          m_findings(findings) {}

    void Read(const toml::table& manifest) {
        for (const auto& [key, node] : manifest) {
            if (key == "title")
                ReadTitle(node);
            else if (key == "encoding")
                ReadEncoding(node);
            else if (key == "scripts")
                ReadScripts(node);
            else if (key == "pictures")
                ReadPictures(node);
            else if (key != "sounds")
                RejectUnknownKey(key, kTopKeys, m_findings);
        }
        // After the pictures, whose names a sound's name must not repeat.
        if (const toml::node* sounds = manifest.get("sounds")) ReadSounds(*sounds);
    }

private:
    void ReadTitle(const toml::node& node) {
        const auto* title = node.as_string();
        if (title && !title->get().empty())
            m_title = title->get();
        else
            m_findings.Error(node.source(), "title must be a text in quotes, such as \"My Story\"");
    }

    void ReadEncoding(const toml::node& node) {
        std::string name = node.is_string() ? node.as_string()->get() : std::string();
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (name == "gb2312")
            m_encoding = TextEncoding::Gb2312;
        else if (name == "utf-8" || name == "utf8")
            m_encoding = TextEncoding::Utf8;
        else
            m_findings.Error(node.source(), "encoding must be \"gb2312\" or \"utf-8\"");
    }

    void ReadScripts(const toml::node& node) {
        const auto* table = node.as_table();
        if (!table) {
            m_findings.Error(node.source(), "scripts must be a table: [scripts] then 0 = \"...\"");
            return;
        }
        std::set<int32_t> seen;
        for (const auto& [key, file] : *table) {
            const std::optional<int32_t> number = NumberKey(key, "script", m_findings);
            const std::string path = InsideStory(file, "a script", m_findings);
            if (!number) continue;
            if (!seen.insert(*number).second)
                m_findings.Error(key.source(),
                                 "script " + std::to_string(*number) + " is given twice");
            if (!path.empty()) m_scripts.Set(*number, path);
        }
    }

    // Pictures are taken in file order, so a name given twice is reported
    // where it is given the second time.
    void ReadPictures(const toml::node& node) {
        const auto* table = node.as_table();
        if (!table) {
            m_findings.Error(node.source(), "pictures must hold tables such as [pictures.7]");
            return;
        }
        std::vector<std::pair<const toml::key*, const toml::node*>> entries;
        for (const auto& [key, picture] : *table)
            entries.emplace_back(&key, &picture);
        std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
            return a.first->source().begin < b.first->source().begin;
        });
        std::set<int32_t> seen;
        for (const auto& [key, picture] : entries)
            ReadPicture(*key, *picture, seen);
    }

    void ReadPicture(const toml::key& key, const toml::node& node, std::set<int32_t>& seen) {
        const std::optional<int32_t> number = NumberKey(key, "picture", m_findings);
        const auto* table = node.as_table();
        if (!number) return;
        const std::string picture = "picture " + std::to_string(*number);
        if (!table) {
            m_findings.Error(node.source(), picture + " must be a table: [pictures." +
                                                std::to_string(*number) + "]");
            return;
        }
        if (!seen.insert(*number).second)
            m_findings.Error(key.source(), picture + " is given twice");
        PictureRow row;
        CPictureReader(*number, row, m_findings).Read(*table, key);
        if (!row.name.empty()) {
            const std::optional<int32_t> owner = m_pictures.NumberOf(row.name);
            if (owner && *owner != *number && seen.count(*owner))
                m_findings.Error(
                    table->get("name")->source(),
                    "name " + Quoted(row.name) + " is already picture " + std::to_string(*owner));
        }
        m_pictures.Set(*number, std::move(row));
    }

    // In file order, like the pictures, for the same reason.
    void ReadSounds(const toml::node& node) {
        const auto* table = node.as_table();
        if (!table) {
            m_findings.Error(node.source(), "sounds must hold tables such as [sounds.1]");
            return;
        }
        std::vector<std::pair<const toml::key*, const toml::node*>> entries;
        for (const auto& [key, sound] : *table)
            entries.emplace_back(&key, &sound);
        std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
            return a.first->source().begin < b.first->source().begin;
        });
        std::set<int32_t> seen;
        for (const auto& [key, sound] : entries)
            ReadSound(*key, *sound, seen);
    }

    void ReadSound(const toml::key& key, const toml::node& node, std::set<int32_t>& seen) {
        const std::optional<int32_t> number = NumberKey(key, "sound", m_findings);
        if (!number) return;
        const std::string sound = "sound " + std::to_string(*number);
        const auto* table = node.as_table();
        if (!table) {
            m_findings.Error(node.source(),
                             sound + " must be a table: [sounds." + std::to_string(*number) + "]");
            return;
        }
        if (!seen.insert(*number).second) m_findings.Error(key.source(), sound + " is given twice");
        SoundRow row;
        for (const auto& [field, value] : *table) {
            if (field == "file")
                row.file = InsideStory(value, "file", m_findings);
            else if (field == "name")
                ReadSoundName(value, *number, seen, row);
            else
                RejectUnknownKey(field, kSoundKeys, m_findings);
        }
        if (!table->contains("file")) m_findings.Error(key.source(), sound + " needs its file");
        m_sounds.Set(*number, std::move(row));
    }

    // One name, one thing: a sound may not take a picture's name or another
    // sound's.
    void ReadSoundName(const toml::node& node, int32_t number, const std::set<int32_t>& seen,
                       SoundRow& row) {
        if (!IsName(node)) {
            m_findings.Error(node.source(), kNameRule);
            return;
        }
        row.name = node.as_string()->get();
        const std::optional<int32_t> owner = m_sounds.NumberOf(row.name);
        if (const std::optional<int32_t> picture = m_pictures.NumberOf(row.name); picture)
            m_findings.Error(node.source(), "name " + Quoted(row.name) + " is already picture " +
                                                std::to_string(*picture));
        else if (owner && *owner != number && seen.count(*owner))
            m_findings.Error(node.source(), "name " + Quoted(row.name) + " is already sound " +
                                                std::to_string(*owner));
    }

    std::string& m_title;
    TextEncoding& m_encoding;
    CScriptTable& m_scripts;
    CPictureTable& m_pictures;
    CSoundTable& m_sounds;
    CFindings& m_findings;
};

}  // namespace

void CManifestReader::Read(std::string_view text, CStory& story, CDiagnostics& out) {
    CFindings findings(out);
    try {
        const toml::table manifest = toml::parse(text, std::string_view(CStory::kManifestFile));
        CManifestWalker(story.m_title, story.m_encoding, story.m_scripts, story.m_pictures,
                        story.m_sounds, findings)
            .Read(manifest);
    } catch (const toml::parse_error& error) {
        findings.Error(error.source(), std::string(error.description()));
    }
    findings.HandOn();
}
