#pragma once
#include "app/Options.h"

#include <string>
#include <vector>

// The tabi command line. Parse fills `options`; when the run should stop at
// once (--help, --version, a usage error) it says so with the exit code, having
// printed what the user needs to read.
class CCommandLine {
public:
    struct Result {
        bool proceed = true;
        int exitCode = 0;
    };
    static Result Parse(const std::vector<std::string>& args, Options& options);
};
