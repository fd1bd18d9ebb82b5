// Writes the program's icons as .ico files into the folder named on the
// command line (the build's `tessaly_icons` target passes src/resources/icons).

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "resources/program_icons.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tessaly_make_icons FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    for (const std::int32_t id : tessaly::ProgramIcons::resourceIds()) {
        std::vector<std::uint8_t> file;
        const std::filesystem::path path = folder / std::string(tessaly::ProgramIcons::fileName(id));
        std::ofstream out(path, std::ios::binary);
        if (!tessaly::ProgramIcons::encode(id, file) ||
            !out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()))) {
            std::fprintf(stderr, "could not write %s\n", path.string().c_str());
            return 1;
        }
    }
    return 0;
}
