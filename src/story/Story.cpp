#include "story/Story.h"

#include "story/Diagnostics.h"
#include "story/ManifestReader.h"

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

const CStory& CStory::BuiltIn() {
    static const CStory story;
    return story;
}

std::unique_ptr<CStory> CStory::Load(const fs::path& folder, CDiagnostics& out) {
    const fs::path path = folder / kManifestFile;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) return std::make_unique<CStory>(BuiltIn());
    std::ifstream file(path, std::ios::binary);
    if (status.type() != fs::file_type::regular || !file) {
        out.Error(kManifestFile, 0, 0, "cannot be read: not a readable file");
        return nullptr;
    }
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return FromManifest(text, out);
}

std::unique_ptr<CStory> CStory::FromManifest(std::string_view text, CDiagnostics& out) {
    auto story = std::make_unique<CStory>(BuiltIn());
    story->m_hasManifest = true;
    CManifestReader::Read(text, *story, out);
    if (out.HasErrors()) return nullptr;
    return story;
}
