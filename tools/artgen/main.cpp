// artgen OUTDIR: draws the program's bitmaps, icon and animation clip.
#include "ArtCatalog.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen OUTDIR\n");
        return 2;
    }
    std::string error;
    const auto files = ArtCatalog::WriteAll(argv[1], error);
    if (files.empty()) {
        std::fprintf(stderr, "artgen: %s\n", error.c_str());
        return 1;
    }
    std::printf("artgen: %zu files in %s\n", files.size(), argv[1]);
    return 0;
}
