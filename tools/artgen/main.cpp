// artgen OUTDIR: draws the program's bitmaps, icon and animation clip.
// artgen --preview OUTDIR: also writes previews of the four panel windows
// composed from those bitmaps, for looking at the artwork.
#include "tools/artgen/ArtCatalog.h"
#include "tools/artgen/BmpWriter.h"
#include "tools/artgen/ByteWriter.h"
#include "tools/artgen/PreviewComposer.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {
bool WritePreviews(const std::string& dir) {
    const auto bitmaps = ArtCatalog::Bitmaps();
    const auto put = [&](const char* name, const Canvas& c) {
        return ByteWriter::WriteFile(dir + "/" + name, BmpWriter::Encode(c));
    };
    return put("preview_jog.bmp", PreviewComposer::JogShuttle(bitmaps, {0, 8, 13, 11}, 1u, 45)) &&
           put("preview_trackball.bmp", PreviewComposer::Trackball(bitmaps, {0, 3}, 60)) &&
           put("preview_mediabar.bmp", PreviewComposer::MediaBar(bitmaps, true, true, 30)) &&
           put("preview_audio.bmp", PreviewComposer::Audio(bitmaps, {1, 12, 20}, 160));
}
}  // namespace

int main(int argc, char** argv) {
    const bool preview = argc == 3 && std::strcmp(argv[1], "--preview") == 0;
    if (argc != 2 && !preview) {
        std::fprintf(stderr, "usage: artgen [--preview] OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[argc - 1];
    std::string error;
    const auto files = ArtCatalog::WriteAll(dir, error);
    if (files.empty()) {
        std::fprintf(stderr, "artgen: %s\n", error.c_str());
        return 1;
    }
    if (preview && !WritePreviews(dir)) {
        std::fprintf(stderr, "artgen: cannot write the previews into %s\n", dir.c_str());
        return 1;
    }
    std::printf("artgen: %zu files in %s\n", files.size(), dir.c_str());
    return 0;
}
