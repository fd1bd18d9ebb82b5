// tessaly-cli: the editor's file handling on the command line (see
// CliProgram). On Windows the wide-character entry point receives the
// arguments as UTF-16, so that file names in any script reach the program
// intact; they are handed on as UTF-8 like everywhere else.

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_program.h"
#include "formats/built_in_icon_file_formats.h"

namespace {

int runWith(std::vector<std::string> args)
{
    const tessaly::CliProgram program(tessaly::builtInIconFileFormats());
    const int status = program.run(args, std::cout, std::cerr);
    std::cout.flush();
    return std::cout.fail() ? tessaly::CliProgram::kFailure : status;
}

} // namespace

#ifdef _WIN32

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::u8string utf8 = std::filesystem::path(argv[i]).u8string();
        args.emplace_back(utf8.begin(), utf8.end());
    }
    return runWith(std::move(args));
}

#else

int main(int argc, char** argv)
{
    return runWith(std::vector<std::string>(argv + 1, argv + argc));
}

#endif
