#include "support/DataTable.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::string Field(std::string text, std::string_view dir) {
    const size_t first = text.find_first_not_of(' '), last = text.find_last_not_of(' ');
    text = first == std::string::npos ? "" : text.substr(first, last - first + 1);
    ReplaceAll(text, "\\n", "\n");
    ReplaceAll(text, "\\r", "\r");
    for (size_t at = text.find("\\x"); at != std::string::npos; at = text.find("\\x", at + 1))
        text.replace(at, 4, 1, static_cast<char>(std::stoi(text.substr(at + 2, 2), nullptr, 16)));
    ReplaceAll(text, "{dir}", dir);
    return text;
}

}  // namespace

std::vector<std::string> DataRow::Words(size_t i) const {
    std::istringstream in(fields.at(i));
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

std::string CDataTable::ReadFile(std::string_view name) {
    const std::string path = std::string(TABI_SOURCE_DIR "/tests/data/") + std::string(name);
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read the test data " + path);
    std::ostringstream out;
    out << file.rdbuf();
    return out.str();
}

std::vector<DataRow> CDataTable::Read(std::string_view name, std::string_view dir) {
    std::istringstream in(ReadFile(name));
    std::vector<DataRow> rows;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        if (++number, line.empty() || line[0] == '#') continue;
        DataRow row{std::string(name) + ":" + std::to_string(number), {}};
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '|');)
            row.fields.push_back(Field(field, dir));
        rows.push_back(std::move(row));
    }
    return rows;
}
