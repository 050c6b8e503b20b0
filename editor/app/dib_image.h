#pragma once
// Reader of the uncompressed device-independent bitmap files the splash window shows. Every
// size, count and offset is checked against the file, so a damaged or hostile file gives
// "not loaded" instead of a crash or a huge allocation.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct DibImage {
    static constexpr int cMaxSide = 8192;

    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0xFFRRGGBB, rows from the top
};

// Nothing when the bytes are not a bitmap with a 40-byte (or larger) information header,
// 1, 4, 8, 16, 24 or 32 bits per pixel and no compression, or when any part lies past the end.
std::optional<DibImage> parseDib(std::string_view bytes);
// Nothing also when the file cannot be read.
std::optional<DibImage> loadDib(const std::string& path);
