// tessaly-cli on Windows. The wide-character entry point receives the
// arguments as UTF-16, so that file names in any script reach the program
// intact; they are handed on as UTF-8 like everywhere else, and the console
// is told to show the UTF-8 text the program prints.

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_program.h"
#include "formats/platform_icon_file_formats_win32.h"

int wmain(int argc, wchar_t** argv)
{
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::u8string utf8 = std::filesystem::path(argv[i]).u8string();
        args.emplace_back(utf8.begin(), utf8.end());
    }
    return tessaly::runCliProcess(args, tessaly::platformIconFileFormats());
}
