#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class Severity : uint8_t { Error, Warning };

// One finding about a story file, at a place in it. Line and column count
// from 1 (the column in bytes); 0 when the finding has no place.
struct Diagnostic {
    std::string path;
    uint32_t line = 0;
    uint32_t column = 0;
    Severity severity = Severity::Error;
    std::string message;
};

// The findings of one reading of a story, in the order they were made. Every
// reader reports here and decides only what it found; Format prints them all
// the one way.
class CDiagnostics {
public:
    void Add(Diagnostic diagnostic) { m_all.push_back(std::move(diagnostic)); }
    void Error(std::string_view path, uint32_t line, uint32_t column, std::string message);
    bool HasErrors() const;
    // Orders the findings from `first` on by line and column, keeping the
    // order of those at one place: one file's findings read top to bottom.
    void SortFrom(size_t first);
    const std::vector<Diagnostic>& All() const { return m_all; }

    // GCC style: "path:line:column: error: message" (the place shortened to
    // what is known of it).
    static std::string Format(const Diagnostic& diagnostic);

private:
    std::vector<Diagnostic> m_all;
};
