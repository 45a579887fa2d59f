#pragma once
#include <cstdio>

// The engine's diagnostic log: every line goes to log.txt in the working
// directory and to stderr. One process-wide sink, opened by the entry point.
class CLog {
public:
    // Empties the file: each run starts a fresh log.
    static bool Open(const char* path);
    static void Close();
    static bool IsOpen() { return s_file != nullptr; }

    // printf-style; appends one line break. Story text must go through "%s",
    // never as the format (the attribute makes the compiler check that).
    static void Write(const char* format, ...) __attribute__((format(printf, 1, 2)));

private:
    static void SayWriteFailure();

    static std::FILE* s_file;
    static bool s_writeFailed;  // said once on stderr; the run goes on
};
