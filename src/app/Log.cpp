#include "app/Log.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <set>

std::FILE* CLog::s_file = nullptr;
bool CLog::s_writeFailed = false;
const CLogPlace* CLog::s_place = nullptr;

namespace {

// The warnings said so far, by place and message.
std::set<std::string>& WarningsSaid() {
    static std::set<std::string> said;
    return said;
}

}  // namespace
std::vector<std::string>* CLog::s_capture = nullptr;

bool CLog::Open(const char* path) {
    Close();
    s_writeFailed = false;
    WarningsSaid().clear();
    s_file = std::fopen(path, "w");
    return s_file != nullptr;
}

void CLog::Close() {
    if (s_file) std::fclose(s_file);
    s_file = nullptr;
}

// Each line is flushed at once, so a crash or a kill loses nothing that was
// written before it.
void CLog::Write(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    if (s_capture) {
        char line[1024];
        std::vsnprintf(line, sizeof line, format, args);
        s_capture->emplace_back(line);
        va_end(args);
        return;
    }
    std::va_list copy;
    va_copy(copy, args);
    if (s_file) {
        std::vfprintf(s_file, format, args);
        std::fputc('\n', s_file);
        if (std::fflush(s_file) != 0 || std::ferror(s_file)) SayWriteFailure();
    }
    WritePlace();
    std::vfprintf(stderr, format, copy);
    std::fputc('\n', stderr);
    va_end(copy);
    va_end(args);
}

void CLog::WritePlace() {
    if (s_place) std::fprintf(stderr, "%s: ", s_place->Text().c_str());
}

void CLog::Warn(const char* format, ...) {
    char message[512];
    std::va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    // Bounded, so a story full of generated mistakes cannot grow it without end.
    constexpr size_t kMaxWarnings = 10'000;
    std::set<std::string>& said = WarningsSaid();
    if (said.size() >= kMaxWarnings) return;
    const std::string place = s_place ? s_place->Text() : "tabi";
    if (!said.insert(place + '\n' + message).second) return;
    std::fprintf(stderr, "%s: warning: %s\n", place.c_str(), message);
    if (said.size() == kMaxWarnings)
        std::fprintf(stderr, "tabi: warning: %zu warnings; the rest are not shown\n", said.size());
}

// A full disk must not end the game, nor flood stderr with one complaint per line.
void CLog::SayWriteFailure() {
    const int cause = errno;
    std::clearerr(s_file);
    if (s_writeFailed) return;
    s_writeFailed = true;
    std::fprintf(stderr, "tabi: cannot write log.txt (%s); the run goes on without it\n",
                 std::strerror(cause));
}
