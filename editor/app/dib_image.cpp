#include "editor/app/dib_image.h"

#include <fstream>

namespace {

constexpr std::size_t cFileHeaderSize = 14;
constexpr std::uint32_t cInfoHeaderSize = 40;
constexpr std::uint16_t cBitmapType = 19778; // "BM"
// The splash is far smaller; anything bigger is not one of ours.
constexpr std::size_t cMaxFileSize = 64u << 20;

std::uint32_t u16(std::string_view b, std::size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

std::uint32_t u32(std::string_view b, std::size_t at) {
    return u16(b, at) | u16(b, at + 2) << 16;
}

std::int32_t s32(std::string_view b, std::size_t at) {
    return static_cast<std::int32_t>(u32(b, at));
}

std::uint32_t rgb(unsigned r, unsigned g, unsigned b) {
    return 0xFF000000u | r << 16 | g << 8 | b;
}

} // namespace

std::optional<DibImage> parseDib(std::string_view bytes) {
    if (bytes.size() < cFileHeaderSize + cInfoHeaderSize || u16(bytes, 0) != cBitmapType)
        return std::nullopt;
    const std::uint32_t pixelOffset = u32(bytes, 10);
    const std::uint32_t infoSize = u32(bytes, 14);
    if (infoSize < cInfoHeaderSize || infoSize > bytes.size() - cFileHeaderSize)
        return std::nullopt;
    const std::int64_t width = s32(bytes, 18);
    const std::int64_t signedHeight = s32(bytes, 22);
    const unsigned bits = u16(bytes, 28);
    const std::uint32_t compression = u32(bytes, 30);
    const std::uint32_t sizeImage = u32(bytes, 34);
    std::uint64_t colours = u32(bytes, 46);

    const bool topDown = signedHeight < 0;
    const std::int64_t height = topDown ? -signedHeight : signedHeight;
    if (width <= 0 || height <= 0 || width > DibImage::cMaxSide || height > DibImage::cMaxSide)
        return std::nullopt;
    if (compression != 0)
        return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return std::nullopt;
    // Only palette images take the full table when the count is left at 0.
    if (colours == 0 && bits <= 8)
        colours = 1u << bits;

    const std::uint64_t tableAt = cFileHeaderSize + infoSize;
    if (colours > (bytes.size() - tableAt) / 4)
        return std::nullopt;
    const std::uint64_t stride = (bits * static_cast<std::uint64_t>(width) + 31) / 32 * 4;
    const std::uint64_t needed = stride * static_cast<std::uint64_t>(height);
    const std::uint64_t declared = sizeImage == 0 ? needed : sizeImage;
    const std::uint64_t bitsAt = pixelOffset != 0 ? pixelOffset : tableAt + colours * 4;
    if (declared < needed || bitsAt > bytes.size() || declared > bytes.size() - bitsAt)
        return std::nullopt;

    std::vector<std::uint32_t> palette;
    if (bits <= 8) {
        for (std::uint64_t i = 0; i < colours; ++i) {
            const std::size_t at = tableAt + i * 4;
            palette.push_back(rgb(static_cast<unsigned char>(bytes[at + 2]),
                                  static_cast<unsigned char>(bytes[at + 1]),
                                  static_cast<unsigned char>(bytes[at])));
        }
    }

    DibImage image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.resize(static_cast<std::size_t>(width * height));
    for (std::int64_t y = 0; y < height; ++y) {
        const std::int64_t fileRow = topDown ? y : height - 1 - y;
        const std::string_view row = bytes.substr(bitsAt + fileRow * stride, stride);
        for (std::int64_t x = 0; x < width; ++x) {
            std::uint32_t pixel = 0xFF000000u;
            if (bits <= 8) {
                const std::uint64_t bitPos = x * bits;
                const unsigned byte = static_cast<unsigned char>(row[bitPos / 8]);
                const unsigned shift = 8 - bits - bitPos % 8;
                const unsigned index = (byte >> shift) & ((1u << bits) - 1);
                // An index past the table shows black rather than reading beyond it.
                if (index < palette.size())
                    pixel = palette[index];
            } else if (bits == 16) {
                const std::uint32_t v = u16(row, x * 2);
                pixel =
                    rgb((v >> 10 & 31) * 255 / 31, (v >> 5 & 31) * 255 / 31, (v & 31) * 255 / 31);
            } else {
                const std::size_t at = x * (bits / 8);
                pixel = rgb(static_cast<unsigned char>(row[at + 2]),
                            static_cast<unsigned char>(row[at + 1]),
                            static_cast<unsigned char>(row[at]));
            }
            image.pixels[y * width + x] = pixel;
        }
    }
    return image;
}

std::optional<DibImage> loadDib(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > cMaxFileSize)
            return std::nullopt;
    }
    if (in.bad())
        return std::nullopt;
    return parseDib(bytes);
}
