#include "tools/artgen/ArtCatalog.h"

#include "res/resource.h"
#include "tools/artgen/AudioArt.h"
#include "tools/artgen/AviWriter.h"
#include "tools/artgen/BmpWriter.h"
#include "tools/artgen/ByteWriter.h"
#include "tools/artgen/CopyClipArt.h"
#include "tools/artgen/IcoWriter.h"
#include "tools/artgen/IconArt.h"
#include "tools/artgen/JogShuttleArt.h"
#include "tools/artgen/MediaBarArt.h"
#include "tools/artgen/TrackballArt.h"

#include <filesystem>

const std::vector<ArtCatalog::Size>& ArtCatalog::RequiredBitmaps() {
    static const std::vector<Size> sizes = [] {
        std::vector<Size> s{{IDB_FADER_BACK, 28, 267}, {IDB_JOG_PANEL, 279, 348}};
        for (int id :
             {132, 134, 135, 136, 137, 138, 139, 140, 141, 142, 143, 144, 145, 146, 147, 148, 149, 150, 151, 152, 153})
            s.push_back({id, 40, 40});
        for (int id = 154; id <= 157; ++id) s.push_back({id, 52, 72});
        for (int id = 158; id <= 171; ++id) s.push_back({id, 35, 35});
        s.push_back({172, 40, 39});
        s.push_back({IDB_JOG_LAMP_LIT, 12, 10});
        s.push_back({IDB_JOG_LAMP_DARK, 12, 10});
        s.push_back({IDB_AUDIO_PANEL, 510, 374});
        s.push_back({IDB_JOG_DIAL, 140, 140});
        s.push_back({IDB_AUDIO_KEY, 22, 22});
        s.push_back({IDB_AUDIO_KEY_PRESSED, 22, 22});
        s.push_back({IDB_KEY_LAMP, 4, 4});
        s.push_back({IDB_AUDIO_THUMB, 24, 55});
        s.push_back({IDB_AUDIO_MASTER_THUMB, 24, 55});
        s.push_back({IDB_MEDIABAR_PANEL, 547, 78});
        for (int k = 0; k < MediaBarArt::kKnobs; ++k) s.push_back({IDB_MEDIABAR_KNOB_FIRST + k, 42, 42});
        s.push_back({IDB_TRACKBALL_PANEL, 300, 258});
        s.push_back({IDB_TRACKBALL_BALL, 188, 187});
        return s;
    }();
    return sizes;
}

std::map<int, Canvas> ArtCatalog::Bitmaps() {
    std::map<int, Canvas> out;
    JogShuttleArt::AddBitmaps(out);
    AudioArt::AddBitmaps(out);
    TrackballArt::AddBitmaps(out);
    MediaBarArt::AddBitmaps(out);
    return out;
}

std::vector<uint8_t> ArtCatalog::Icon() { return IcoWriter::Encode({IconArt::Large(), IconArt::Small()}); }

std::vector<uint8_t> ArtCatalog::Clip() { return AviWriter::Encode(CopyClipArt::Clip()); }

std::vector<std::string> ArtCatalog::WriteAll(const std::string& dir, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        error = "cannot create " + dir + ": " + ec.message();
        return {};
    }
    std::vector<std::string> written;
    auto put = [&](const std::string& name, const std::vector<uint8_t>& data) {
        const std::string path = (std::filesystem::path(dir) / name).string();
        if (!ByteWriter::WriteFile(path, data)) {
            error = "cannot write " + path;
            return false;
        }
        written.push_back(name);
        return true;
    };
    for (const auto& entry : Bitmaps())
        if (!put(BitmapFileName(entry.first), BmpWriter::Encode(entry.second))) return {};
    if (!put(IconFileName(), Icon())) return {};
    if (!put(ClipFileName(), Clip())) return {};
    return written;
}
