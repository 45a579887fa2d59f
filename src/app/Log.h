#pragma once
#include <cstdio>
#include <string>
#include <vector>

// Where the line being written comes from, such as the script command that
// is running ("script/start.txt:12:3"). Set by whoever runs that command, for
// the length of it.
class CLogPlace {
public:
    virtual std::string Text() const = 0;

protected:
    ~CLogPlace() = default;
};

// The engine's diagnostic log: every line goes to log.txt in the working
// directory and to stderr. One process-wide sink, opened by the entry point.
// While a place is set, stderr shows it before the line; log.txt keeps the
// line alone, as it always has.
class CLog {
public:
    // Empties the file: each run starts a fresh log.
    static bool Open(const char* path);
    static void Close();
    static bool IsOpen() { return s_file != nullptr; }

    // printf-style; appends one line break. Story text must go through "%s",
    // never as the format (the attribute makes the compiler check that).
    static void Write(const char* format, ...) __attribute__((format(printf, 1, 2)));
    // A mistake the log has no line for: "PLACE: warning: message" on stderr
    // only, once per place and message (a loop does not repeat it).
    static void Warn(const char* format, ...) __attribute__((format(printf, 1, 2)));

    // Null: no place. Returns the place it replaces.
    static const CLogPlace* SetPlace(const CLogPlace* place) {
        const CLogPlace* previous = s_place;
        s_place = place;
        return previous;
    }

    // While a sink is set, lines go to it instead of the file and stderr: a
    // load replays frames whose lines were written when they were first played.
    static void CaptureTo(std::vector<std::string>* sink) { s_capture = sink; }

private:
    static void SayWriteFailure();
    static std::vector<std::string>* s_capture;  // borrowed from whoever set it

    static void WritePlace();

    static std::FILE* s_file;
    static const CLogPlace* s_place;  // borrowed, for the length of one command
    static bool s_writeFailed;        // said once on stderr; the run goes on
};
