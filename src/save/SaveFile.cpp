#include "save/SaveFile.h"

#include "input/InputFile.h"
#include "platform/FileRead.h"
#include "save/Sha256.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <charconv>
#include <cstring>

namespace {

constexpr std::string_view kMagic = "tabi save ";
constexpr std::string_view kTitle = "title ";
constexpr std::string_view kStory = "story ";
constexpr std::string_view kFrame = "frame ";
constexpr std::string_view kEnd = "end ";
constexpr size_t kFingerprintDigits = 64;
// An hour of play moving the mouse every frame is about 3 MB.
constexpr size_t kMaxSaveBytes = size_t{256} << 20;

bool TakeLine(std::string_view& text, std::string_view& line) {
    if (text.empty()) return false;
    const size_t end = text.find('\n');
    line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    return true;
}

bool ParseField(std::string_view line, std::string_view key, uint32_t& out) {
    if (!line.starts_with(key)) return false;
    line.remove_prefix(key.size());
    auto [ptr, ec] = std::from_chars(line.data(), line.data() + line.size(), out);
    return ec == std::errc() && ptr == line.data() + line.size() && !line.empty();
}

// The check sum is tested before anything else is read: a damaged save is
// refused as a whole, never read in part.
bool SplitBody(std::string_view text, std::string_view& body, std::string& error) {
    const size_t last =
        text.size() < 2 ? std::string_view::npos : text.rfind('\n', text.size() - 2);
    const size_t start = last == std::string_view::npos ? 0 : last + 1;
    if (!text.ends_with('\n') || !text.substr(start).starts_with(kEnd)) {
        error = "the save is cut short (it has no end line)";
        return false;
    }
    body = text.substr(0, start);
    if (text.substr(start + kEnd.size(), text.size() - 1 - start - kEnd.size()) !=
        CSha256::Of(body)) {
        error = "the save is damaged (its check sum does not match)";
        return false;
    }
    return true;
}

bool ParseHeader(std::string_view& body, SaveData& data, std::string& error) {
    std::string_view line;
    uint32_t version = 0;
    if (!TakeLine(body, line) || !ParseField(line, kMagic, version)) {
        error = "the save is damaged (no format line)";
        return false;
    }
    if (version != CSaveFile::kVersion) {
        error = "the save has format " + std::to_string(version) + "; this Tabi reads format " +
                std::to_string(CSaveFile::kVersion);
        return false;
    }
    if (!TakeLine(body, line) || !line.starts_with(kTitle)) {
        error = "the save is damaged (no title line)";
        return false;
    }
    data.title = std::string(line.substr(kTitle.size()));
    if (!TakeLine(body, line) || !line.starts_with(kStory) ||
        line.size() != kStory.size() + kFingerprintDigits) {
        error = "the save is damaged (no story line)";
        return false;
    }
    data.story = std::string(line.substr(kStory.size()));
    if (!TakeLine(body, line) || !ParseField(line, kFrame, data.frame)) {
        error = "the save is damaged (no frame line)";
        return false;
    }
    return true;
}

// Only what an input poll sees belongs in a save, in frame order, up to its frame.
bool ParseInput(std::string_view body, SaveData& data, std::string& error) {
    std::string_view line;
    for (int number = 5; TakeLine(body, line); ++number) {
        ReplayEvent event;
        bool isEvent = false;
        std::string message;
        const bool parsed = CInputFile::ParseLine(std::string(line), event, isEvent, message);
        const bool polled =
            event.type == ReplayEvent::Type::Motion || event.type == ReplayEvent::Type::Press ||
            event.type == ReplayEvent::Type::Release || event.type == ReplayEvent::Type::Key;
        const uint32_t previous = data.input.empty() ? 1 : data.input.back().frame;
        if (!parsed || !isEvent || !polled || event.frame < previous || event.frame > data.frame) {
            error = "the save is damaged (line " + std::to_string(number) + ")";
            return false;
        }
        data.input.push_back(event);
    }
    return true;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace

// Built by appending: concatenating temporaries trips a false -Wrestrict in GCC 12.
std::string CSaveFile::Format(const SaveData& data) {
    std::string text;
    text.append(kMagic).append(std::to_string(kVersion)).append("\n");
    text.append(kTitle).append(data.title).append("\n");
    text.append(kStory).append(data.story).append("\n");
    text.append(kFrame).append(std::to_string(data.frame)).append("\n");
    for (const ReplayEvent& event : data.input)
        text.append(CInputFile::FormatLine(event)).append("\n");
    const std::string sum = CSha256::Of(text);
    return text.append(kEnd).append(sum).append("\n");
}

bool CSaveFile::Parse(std::string_view text, SaveData& data, std::string& error) {
    if (text.empty()) {
        error = "the save is empty";
        return false;
    }
    std::string_view body;
    SaveData read;
    if (!SplitBody(text, body, error) || !ParseHeader(body, read, error) ||
        !ParseInput(body, read, error))
        return false;
    data = std::move(read);
    return true;
}

// Written beside its final name, so the rename stays on one file system and
// is atomic; synced before the rename, so the new name never points at a
// file whose bytes are still in flight.
bool CSaveFile::Write(const std::filesystem::path& path, const SaveData& data, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::string temporary = path.parent_path() / ".";
    temporary.append(path.filename().string()).append(".XXXXXX");
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = path.string() + ": cannot write the save: " + std::strerror(errno);
        return false;
    }
    const bool written = WriteAll(fd, Format(data)) && ::fsync(fd) == 0;
    const int cause = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = path.string() +
                ": cannot write the save: " + std::strerror(written && closed ? errno : cause);
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool CSaveFile::Read(const std::filesystem::path& path, SaveData& data, std::string& error) {
    std::string bytes, why;
    if (!CFileRead::ReadWhole(path.string(), kMaxSaveBytes, bytes, why)) {
        error = path.string() + ": " + why;
        return false;
    }
    if (Parse(bytes, data, why)) return true;
    error = path.string() + ": " + why;
    return false;
}
