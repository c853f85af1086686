#pragma once

#include "tools/artgen/Canvas.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Every artwork resource of the program, by its number in res/resource.h
// (the Jog & Shuttle keys have numbers only), and the sizes the windows rely on.
class ArtCatalog {
public:
    struct Size {
        int id;
        int width;
        int height;
    };

    // The bitmap resources with the size each must have.
    static const std::vector<Size>& RequiredBitmaps();

    static std::map<int, Canvas> Bitmaps();
    static std::vector<uint8_t> Icon();
    static std::vector<uint8_t> Clip();

    static std::string BitmapFileName(int id) { return "bmp" + std::to_string(id) + ".bmp"; }
    static std::string IconFileName() { return "icon128.ico"; }
    static std::string ClipFileName() { return "clip192.avi"; }

    // Writes every file into `dir`; returns the names written, or an empty
    // list after the first file that could not be written (`error` says which).
    static std::vector<std::string> WriteAll(const std::string& dir, std::string& error);
};
