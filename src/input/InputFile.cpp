#include "input/InputFile.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

template <typename T>
bool ParseNumber(const std::string& token, T& out) {
    const char* end = token.data() + token.size();
    auto [ptr, ec] = std::from_chars(token.data(), end, out);
    return ec == std::errc() && ptr == end && !token.empty();
}

struct EventName {
    const char* name;
    ReplayEvent::Type type;
};
constexpr EventName kEventNames[] = {
    {"motion", ReplayEvent::Type::Motion},   {"press", ReplayEvent::Type::Press},
    {"release", ReplayEvent::Type::Release}, {"escape", ReplayEvent::Type::Escape},
    {"close", ReplayEvent::Type::Close},     {"key", ReplayEvent::Type::Key},
    {"save", ReplayEvent::Type::Save},       {"load", ReplayEvent::Type::Load},
    {"reload", ReplayEvent::Type::Reload},   {"advance", ReplayEvent::Type::Advance},
};

constexpr const char* kEventList =
    "motion, press, release, key, advance, escape, close, save, load or reload";

// The name of a save in an input file: a file name in the saves folder, so
// nothing that could leave it.
bool IsSaveName(const std::string& name) {
    if (name.empty() || name.size() > 64) return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '_';
    });
}

// How many tokens a line of each event has, the frame number and the name included.
size_t TokensOf(ReplayEvent::Type type) {
    switch (type) {
        case ReplayEvent::Type::Motion:
            return 4;
        case ReplayEvent::Type::Key:
        case ReplayEvent::Type::Save:
        case ReplayEvent::Type::Load:
            return 3;
        default:
            return 2;
    }
}

bool ParseArguments(const std::vector<std::string>& tokens, ReplayEvent& event,
                    std::string& error) {
    if (event.type == ReplayEvent::Type::Motion &&
        (tokens.size() != 4 || !ParseNumber(tokens[2], event.dx) ||
         !ParseNumber(tokens[3], event.dy))) {
        error = "motion wants two whole numbers, DX and DY";
        return false;
    }
    if (event.type == ReplayEvent::Type::Key &&
        (tokens.size() != 3 || !ParseNumber(tokens[2], event.number) || event.number < 1 ||
         event.number > 9)) {
        error = "key wants one number key, 1 to 9";
        return false;
    }
    const bool named =
        event.type == ReplayEvent::Type::Save || event.type == ReplayEvent::Type::Load;
    if (named && tokens.size() != 3) {
        error = "'" + tokens[1] + "' wants the save's name after it";
        return false;
    }
    if (tokens.size() != TokensOf(event.type)) {
        error = "'" + tokens[1] + "' takes nothing after it";
        return false;
    }
    if (named) {
        event.name = tokens[2];
        if (!IsSaveName(event.name)) {
            error =
                "a save's name is 1 to 64 letters, digits, '-' or '_', not '" + event.name + "'";
            return false;
        }
    }
    return true;
}

}  // namespace

bool CInputFile::ParseLine(const std::string& rawLine, ReplayEvent& event, bool& isEvent,
                           std::string& error) {
    const std::string line = rawLine.substr(0, rawLine.find('#'));
    std::istringstream in(line);
    std::vector<std::string> tokens;
    for (std::string t; in >> t;)
        tokens.push_back(t);
    isEvent = !tokens.empty();
    if (!isEvent) return true;

    if (!ParseNumber(tokens[0], event.frame) || event.frame == 0) {
        error = "the line must start with a frame number from 1, not '" + tokens[0] + "'";
        return false;
    }
    if (tokens.size() < 2) {
        error = std::string("an event (") + kEventList + ") must follow the frame number";
        return false;
    }
    const auto* found = std::find_if(std::begin(kEventNames), std::end(kEventNames),
                                     [&](const EventName& e) { return tokens[1] == e.name; });
    if (found == std::end(kEventNames)) {
        error = "unknown event '" + tokens[1] + "' (" + kEventList + ")";
        return false;
    }
    event.type = found->type;
    event.dx = event.dy = 0;
    event.number = 0;
    event.name.clear();
    return ParseArguments(tokens, event, error);
}

// A folder opens as a stream that reads as empty: it is refused like a missing file.
bool CInputFile::Read(const std::string& path, std::vector<ReplayEvent>& events,
                      std::string& error) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        error = path + ": is a folder, not an input file";
        return false;
    }
    std::ifstream file(path);
    if (!file) {
        error = path + ": cannot open the input file (a relative path starts in the --data folder)";
        return false;
    }
    return Parse(file, path, events, error);
}

bool CInputFile::Parse(std::istream& file, const std::string& path,
                       std::vector<ReplayEvent>& events, std::string& error) {
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        ReplayEvent event;
        bool isEvent = false;
        std::string message;
        if (!ParseLine(line, event, isEvent, message)) {
            error = path + ":" + std::to_string(number) + ": " + message;
            return false;
        }
        if (isEvent) events.push_back(event);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const ReplayEvent& a, const ReplayEvent& b) { return a.frame < b.frame; });
    return true;
}

std::string CInputFile::FormatLine(const ReplayEvent& event) {
    std::string line = std::to_string(event.frame) + " ";
    switch (event.type) {
        case ReplayEvent::Type::Motion:
            return line + "motion " + std::to_string(event.dx) + " " + std::to_string(event.dy);
        case ReplayEvent::Type::Press:
            return line + "press";
        case ReplayEvent::Type::Release:
            return line + "release";
        case ReplayEvent::Type::Escape:
            return line + "escape";
        case ReplayEvent::Type::Close:
            return line + "close";
        case ReplayEvent::Type::Key:
            return line + "key " + std::to_string(event.number);
        case ReplayEvent::Type::Save:
            return line + "save " + event.name;
        case ReplayEvent::Type::Load:
            return line + "load " + event.name;
        case ReplayEvent::Type::Reload:
            return line + "reload";
        case ReplayEvent::Type::Advance:
            return line + "advance";
    }
    return line;
}
