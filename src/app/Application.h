#pragma once
#include <string>
#include <vector>

// The entry point of a run: reads the command line, opens the log, makes the
// platform and the game, runs the message loop and shuts down. Returns the exit
// code: 0 normal end, 1 an end caused by a failure (logged), 2 a usage error.
class CApplication {
public:
    static int Run(const std::vector<std::string>& args);
};
