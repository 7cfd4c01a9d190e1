#include "support/BmpReader.h"

#include <stdexcept>

namespace {

std::uint32_t U32At(const std::string& b, std::size_t at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 |
           std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}
std::uint16_t U16At(const std::string& b, std::size_t at) {
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

} // namespace

TBmpFile ReadBmp(const std::string& bytes) {
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
        throw std::runtime_error("not a BMP file");
    }
    TBmpFile f;
    f.Bytes = bytes;
    f.FileSize = U32At(bytes, 2);
    f.OffBits = U32At(bytes, 10);
    if (U32At(bytes, 14) != 40) {
        throw std::runtime_error("not a 40-byte info header");
    }
    f.Width = std::int32_t(U32At(bytes, 18));
    f.Height = std::int32_t(U32At(bytes, 22));
    f.Planes = U16At(bytes, 26);
    f.BitCount = U16At(bytes, 28);
    f.Compression = U32At(bytes, 30);
    f.SizeImage = U32At(bytes, 34);
    f.XPels = std::int32_t(U32At(bytes, 38));
    f.YPels = std::int32_t(U32At(bytes, 42));
    f.ClrUsed = U32At(bytes, 46);
    f.ClrImportant = U32At(bytes, 50);
    std::size_t at = 54;
    if (f.Compression == 3) {
        for (auto& mask : f.Masks) {
            mask = U32At(bytes, at);
            at += 4;
        }
    }
    std::size_t entries = f.BitCount <= 8 ? (f.ClrUsed ? f.ClrUsed : 1u << f.BitCount) : 0;
    for (std::size_t i = 0; i < entries; ++i, at += 4) {
        f.Table.push_back({std::uint8_t(bytes[at]), std::uint8_t(bytes[at + 1]),
                           std::uint8_t(bytes[at + 2]), std::uint8_t(bytes[at + 3])});
    }
    if (at != f.OffBits || f.OffBits + f.Stride() * std::size_t(f.Height) != bytes.size()) {
        throw std::runtime_error("BMP layout does not add up");
    }
    return f;
}

std::string TBmpFile::RowBytes(int y) const {
    return Bytes.substr(OffBits + (std::size_t(Height) - 1 - y) * Stride(), Stride());
}

std::uint32_t TBmpFile::Pixel(int x, int y) const {
    const std::string row = RowBytes(y);
    auto entry = [&](unsigned index) {
        const Entry& e = Table.at(index);
        return std::uint32_t(e.R) << 16 | std::uint32_t(e.G) << 8 | e.B;
    };
    auto byte = [&](std::size_t i) { return std::uint8_t(row[i]); };
    switch (BitCount) {
    case 1:
        return entry((byte(x / 8) >> (7 - x % 8)) & 1);
    case 4:
        return entry((byte(x / 2) >> (x % 2 ? 0 : 4)) & 15);
    case 8:
        return entry(byte(x));
    case 16: {
        const unsigned v = byte(2 * x) | byte(2 * x + 1) << 8;
        const unsigned r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
        return std::uint32_t((r << 3 | r >> 2)) << 16 | std::uint32_t(g << 2 | g >> 4) << 8 |
               (b << 3 | b >> 2);
    }
    case 24:
        return std::uint32_t(byte(3 * x + 2)) << 16 | std::uint32_t(byte(3 * x + 1)) << 8 |
               byte(3 * x);
    case 32:
        return std::uint32_t(byte(4 * x + 2)) << 16 | std::uint32_t(byte(4 * x + 1)) << 8 |
               byte(4 * x);
    default:
        throw std::runtime_error("unexpected bit count");
    }
}
