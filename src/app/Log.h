#pragma once
#include <cstdio>
#include <string>
#include <vector>

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

    // While a sink is set, lines go to it instead of the file and stderr: a
    // load replays frames whose lines were written when they were first played.
    static void CaptureTo(std::vector<std::string>* sink) { s_capture = sink; }

private:
    static void SayWriteFailure();
    static std::vector<std::string>* s_capture;  // borrowed from whoever set it

    static std::FILE* s_file;
    static bool s_writeFailed;  // said once on stderr; the run goes on
};
