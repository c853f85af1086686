// mkrom: firmware images for the simulated panels.
//
//   mkrom --samples DIR
//       one good image per panel (jog.rom, audio.rom, trackball.rom,
//       mediabar.rom), corrupt.rom, truncated.rom and wrongpanel.rom (an intact
//       image for a module that is none of the four, so it fails on every panel)
//   mkrom --panel P --version MAJOR.BUILDHEX [--size BYTES] [--seed N] -o FILE
//   mkrom --check FILE --panel P
//       prints what the panel would make of the file; exit code 0 only for success
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "simulator/model/CommandParser.h"
#include "simulator/model/DownloadResult.h"
#include "simulator/model/RomImage.h"

namespace {
int Usage() {
    std::fprintf(stderr,
                 "usage: mkrom --samples DIR\n"
                 "       mkrom --panel jog|audio|trackball|mediabar|0-255 --version MAJOR.BUILDHEX [--size BYTES] "
                 "[--seed N] -o FILE\n"
                 "       mkrom --check FILE --panel jog|audio|trackball|mediabar\n");
    return 2;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    f.close();
    if (!f) {
        std::fprintf(stderr, "mkrom: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s (%zu bytes)\n", path.c_str(), bytes.size());
    return true;
}

bool ParsePanel(const std::string& s, int& out) {
    out = CommandParser::PanelByName(s);
    if (out >= 0) return true;
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (s.empty() || *end || v < 0 || v > 255) return false;
    out = int(v);
    return true;
}

bool ParseVersion(const std::string& s, RomHeader& h) {
    const std::size_t dot = s.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 >= s.size()) return false;
    char* end = nullptr;
    const long major = std::strtol(s.substr(0, dot).c_str(), &end, 10);
    if (*end || major < 0 || major > 255) return false;
    const std::string b = s.substr(dot + 1);
    const long build = std::strtol(b.c_str(), &end, 16);
    if (*end || build < 0 || build > 0xFFF) return false;
    h.firmwareMajor = int(major);
    h.firmwareBuild = int(build);
    return true;
}

RomHeader Header(int panel, int major, int build) {
    RomHeader h;
    h.targetPanel = panel;
    h.firmwareMajor = major;
    h.firmwareBuild = build;
    return h;
}

int Samples(const std::string& dir) {
    struct Good {
        const char* file;
        int panel, major, build;
        std::uint32_t size;
    };
    // One build above what each simulated panel runs when it starts.
    const Good good[] = {{"jog.rom", 0, 1, 0x136, 24 * 1024},
                         {"audio.rom", 1, 2, 0x21B, 40 * 1024},
                         {"trackball.rom", 2, 1, 0x0F4, 20 * 1024},
                         {"mediabar.rom", 3, 3, 0x105, 28 * 1024}};
    bool ok = true;
    for (const Good& g : good)
        ok &= WriteFile(dir + "/" + g.file, RomImage::Build(Header(g.panel, g.major, g.build),
                                                            RomImage::SamplePayload(g.size, g.panel + 1)));

    std::vector<std::uint8_t> corrupt = RomImage::Build(Header(0, 1, 0x137), RomImage::SamplePayload(24 * 1024, 7));
    corrupt[RomImage::kHeaderSize + 1000] ^= 0x5A;  // one payload byte, header left intact
    ok &= WriteFile(dir + "/corrupt.rom", corrupt);

    std::vector<std::uint8_t> truncated = RomImage::Build(Header(0, 1, 0x138), RomImage::SamplePayload(24 * 1024, 8));
    truncated.resize(truncated.size() / 2);
    ok &= WriteFile(dir + "/truncated.rom", truncated);

    // Target 4: a module type that is none of the four panels.
    ok &=
        WriteFile(dir + "/wrongpanel.rom", RomImage::Build(Header(4, 1, 0x100), RomImage::SamplePayload(16 * 1024, 9)));
    return ok ? 0 : 1;
}

int Check(const std::string& path, int panel) {
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        std::printf("%s: %d %s\n", path.c_str(), download::kFileMissing, download::ResultName(download::kFileMissing));
        return 1;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    const RomCheck c = RomImage::Check(bytes, panel);
    std::printf("%s: %d %s", path.c_str(), c.result, download::ResultName(c.result));
    if (c.headerValid)
        std::printf(" (target %d, firmware %d.%03x, payload %u bytes)", c.header.targetPanel, c.header.firmwareMajor,
                    c.header.firmwareBuild, unsigned(c.header.payloadLength));
    std::printf("\n");
    return c.result == download::kOk ? 0 : 1;
}
}  // namespace

int main(int argc, char** argv) {
    std::string samples, out, check, version;
    int panel = -1;
    long size = 16 * 1024, seed = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--samples" && hasValue) {
            samples = argv[++i];
        } else if ((a == "-o" || a == "--out") && hasValue) {
            out = argv[++i];
        } else if (a == "--check" && hasValue) {
            check = argv[++i];
        } else if (a == "--panel" && hasValue) {
            if (!ParsePanel(argv[++i], panel)) return Usage();
        } else if (a == "--version" && hasValue) {
            version = argv[++i];
        } else if (a == "--size" && hasValue) {
            size = std::strtol(argv[++i], nullptr, 10);
        } else if (a == "--seed" && hasValue) {
            seed = std::strtol(argv[++i], nullptr, 10);
        } else {
            return Usage();
        }
    }
    if (!samples.empty()) return Samples(samples);
    if (!check.empty()) return panel >= 0 ? Check(check, panel) : Usage();
    RomHeader h;
    if (out.empty() || panel < 0 || !ParseVersion(version, h) || size < 1 || size > long(RomImage::kMaxPayload))
        return Usage();
    h.targetPanel = panel;
    return WriteFile(out, RomImage::Build(h, RomImage::SamplePayload(std::uint32_t(size), std::uint32_t(seed)))) ? 0
                                                                                                                 : 1;
}
