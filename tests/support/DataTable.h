#pragma once
#include <string>
#include <string_view>
#include <vector>

// One case of a table kept in tests/data/: its fields, and where it stands
// ("name.txt:12") for the failure message.
struct DataRow {
    std::string where;
    std::vector<std::string> fields;
    const std::string& operator[](size_t i) const { return fields.at(i); }
    std::vector<std::string> Words(size_t i) const;  // field i split at blanks
};

// Tables of test cases as data, one case a line: its fields split at '|' and
// trimmed, "\n", "\r" and "\xNN" standing for those bytes; blank lines and lines starting with
// '#' are notes. A "{dir}" in a field becomes `dir` (a test's story folder).
class CDataTable {
public:
    static std::vector<DataRow> Read(std::string_view name, std::string_view dir = "");
    // A whole file of tests/data/, for expected outputs kept as text.
    static std::string ReadFile(std::string_view name);
};
