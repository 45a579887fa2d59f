#include "app/Application.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    return CApplication::Run(std::vector<std::string>(argv + 1, argv + argc));
}
