// tessaly-cli on Linux and other POSIX systems: the arguments arrive as the
// bytes of UTF-8 text (see main_win32.cpp for Windows).

#include <string>
#include <vector>

#include "cli/cli_program.h"

int main(int argc, char** argv)
{
    return tessaly::runCliProcess(std::vector<std::string>(argv + 1, argv + argc));
}
