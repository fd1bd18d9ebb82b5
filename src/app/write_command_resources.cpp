#include <cstdio>
#include <fstream>
#include <string>

#include "app/command_resource_script.h"

// Writes the menu bar and accelerator script to the path given.
int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.rc\n", argv[0]);
        return 2;
    }
    const std::string script = tessaly::commandResourceScript();
    std::ofstream out(argv[1], std::ios::binary);
    out.write(script.data(), static_cast<std::streamsize>(script.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
