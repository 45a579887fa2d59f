#include "app/Log.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>

std::FILE* CLog::s_file = nullptr;
bool CLog::s_writeFailed = false;
std::vector<std::string>* CLog::s_capture = nullptr;

bool CLog::Open(const char* path) {
    Close();
    s_writeFailed = false;
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
    std::vfprintf(stderr, format, copy);
    std::fputc('\n', stderr);
    va_end(copy);
    va_end(args);
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
