#include "app/Log.h"

#include <cstdarg>

std::FILE* CLog::s_file = nullptr;

bool CLog::Open(const char* path) {
    Close();
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
    std::va_list copy;
    va_copy(copy, args);
    if (s_file) {
        std::vfprintf(s_file, format, args);
        std::fputc('\n', s_file);
        std::fflush(s_file);
    }
    std::vfprintf(stderr, format, copy);
    std::fputc('\n', stderr);
    va_end(copy);
    va_end(args);
}
