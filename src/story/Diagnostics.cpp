#include "story/Diagnostics.h"

#include <algorithm>

void CDiagnostics::Error(std::string_view path, uint32_t line, uint32_t column,
                         std::string message) {
    Add({std::string(path), line, column, Severity::Error, std::move(message)});
}

bool CDiagnostics::HasErrors() const {
    return std::any_of(m_all.begin(), m_all.end(),
                       [](const Diagnostic& d) { return d.severity == Severity::Error; });
}

std::string CDiagnostics::Format(const Diagnostic& d) {
    std::string text = d.path;
    if (d.line > 0) {
        text += ':' + std::to_string(d.line);
        if (d.column > 0) text += ':' + std::to_string(d.column);
    }
    text += d.severity == Severity::Error ? ": error: " : ": warning: ";
    return text + d.message;
}

void CDiagnostics::SortFrom(size_t first) {
    std::stable_sort(m_all.begin() + static_cast<std::ptrdiff_t>(first), m_all.end(),
                     [](const Diagnostic& a, const Diagnostic& b) {
                         return a.line != b.line ? a.line < b.line : a.column < b.column;
                     });
}
