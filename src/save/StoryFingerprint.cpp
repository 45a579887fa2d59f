#include "save/StoryFingerprint.h"

#include "platform/FileRead.h"
#include "save/Sha256.h"
#include "story/Story.h"

#include <set>
#include <string_view>

namespace {

// Each file is named and sized in the digest before its bytes, so moving
// bytes from one file to the next changes the fingerprint.
void AddFile(CSha256& sha, std::set<std::string>& seen, std::string_view path, size_t limit) {
    if (!seen.emplace(path).second) return;
    std::string bytes, error;
    const bool read = CFileRead::ReadWhole(std::string(path), limit, bytes, error);
    sha.Add(path);
    sha.Add("\n");
    sha.Add(read ? std::to_string(bytes.size()) : std::string("missing"));
    sha.Add("\n");
    sha.Add(bytes);
}

}  // namespace

std::string CStoryFingerprint::Of(const CStory& story) {
    CSha256 sha;
    std::set<std::string> seen;
    AddFile(sha, seen, CStory::kManifestFile, CFileRead::kMaxScriptBytes);
    for (const auto& [number, path] : story.Scripts().Rows())
        AddFile(sha, seen, path, CFileRead::kMaxScriptBytes);
    for (const auto& [number, row] : story.Pictures().Rows())
        for (const std::string& file : row.files)
            AddFile(sha, seen, file, CFileRead::kMaxPictureBytes);
    return sha.HexDigest();
}
