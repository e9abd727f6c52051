#include "sim/trade/SimCaptchaImage.h"

#include <zlib.h>

#include "sim/core/SimRandom.h"

namespace {
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kMargin = 2;

// One row per byte, the five low bits left to right.
const uint8_t kDigits[10][kGlyphHeight] = {
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}, {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}, {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}, {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}, {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}, {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},
};

void putBig(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    putBig(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    putBig(out, static_cast<uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

bool inked(const std::string& code, int x, int y) {
    const int cellX = x / SimCaptchaImage::kScale - kMargin;
    const int cellY = y / SimCaptchaImage::kScale - kMargin;
    if (cellX < 0 || cellY < 0 || cellY >= kGlyphHeight) {
        return false;
    }
    const size_t index = static_cast<size_t>(cellX / (kGlyphWidth + 1));
    const int column = cellX % (kGlyphWidth + 1);
    if (index >= code.size() || column >= kGlyphWidth || code[index] < '0' || code[index] > '9') {
        return false;
    }
    return (kDigits[code[index] - '0'][cellY] >> (kGlyphWidth - 1 - column)) & 1;
}
}  // namespace

std::vector<uint8_t> SimCaptchaImage::png(const std::string& code, uint64_t seed) {
    const int width = (static_cast<int>(code.size()) * (kGlyphWidth + 1) + 2 * kMargin) * kScale;
    const int height = (kGlyphHeight + 2 * kMargin) * kScale;
    SimRandom random(seed);
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < width; ++x) {
            const uint8_t speckle = static_cast<uint8_t>(random.between(0, 40));
            raw.push_back(inked(code, x, y) ? speckle : static_cast<uint8_t>(255 - speckle));
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()));
    packed.resize(packedSize);

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    putBig(header, static_cast<uint32_t>(width));
    putBig(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 0, 0, 0, 0});  // 8-bit greyscale, no interlace
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", packed);
    chunk(out, "IEND", {});
    return out;
}
