#include "imaging/Bitmap.h"

#include "imaging/BmpHeader.h"
#include "imaging/PixelCodec.h"

#include "base/ByteSink.h"
#include "base/LittleEndian.h"
#include "platform/FileSystem.h"

#include <vector>

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kRedMask = 0xF800;
constexpr std::uint32_t kGreenMask = 0x07E0;
constexpr std::uint32_t kBlueMask = 0x001F;

} // namespace

void TBitmap::WriteBmp(TByteSink& sink) const {
    if (!FStore) {
        return;
    }
    const TPixelStore& store = *FStore;
    // The screen-compatible form is written at the display's own depth: 32 bits.
    const TPixelDepth depth =
        store.Depth() == TPixelDepth::pdScreen ? TPixelDepth::pd32Bit : store.Depth();
    const int bits = BitsPerPixel(depth);
    const bool bitfields = depth == TPixelDepth::pd16Bit;
    const auto colours = static_cast<std::uint32_t>(ColourTableSize(depth));

    // Headers and table length: 40 + 4 * 2^bits for the paletted depths, 52 with the masks.
    const std::uint32_t headerAndTable = kInfoHeaderSize + (bitfields ? 12 : 0) + 4 * colours;
    const auto sizeImage = static_cast<std::uint32_t>(store.SizeImage());

    std::vector<std::uint8_t> header;
    header.reserve(kFileHeaderSize + headerAndTable);
    TLittleEndianWriter out(header);
    // BITMAPFILEHEADER
    out.U8('B');
    out.U8('M');
    out.U32(kFileHeaderSize + headerAndTable + sizeImage); // bfSize
    out.U16(0);                                            // bfReserved1
    out.U16(0);                                            // bfReserved2
    out.U32(kFileHeaderSize + headerAndTable);             // bfOffBits
    WriteInfoHeader(out, store.Width(), store.Height(), bits, bitfields, sizeImage, colours);
    if (bitfields) {
        out.U32(kRedMask);
        out.U32(kGreenMask);
        out.U32(kBlueMask);
    }
    for (const TRgb& c : store.ColourTable()) {
        out.U8(c.B);
        out.U8(c.G);
        out.U8(c.R);
        out.U8(0);
    }
    sink.Write(header.data(), header.size());

    if (!store.Blank()) {
        sink.Write(store.Bits(), store.SizeImage());
        return;
    }
    // A store nobody drew on is white: write its rows without making it private.
    std::vector<std::uint8_t> whiteBgrx(4 * static_cast<std::size_t>(store.Width()), 0xFF);
    std::vector<std::uint8_t> row(store.Stride());
    EncodeSpan(CodecFor(store.Depth(), store.ColourTable()), whiteBgrx.data(), store.Width(),
               row.data(), 0, true, row.size());
    for (std::int32_t y = 0; y < store.Height(); ++y) {
        sink.Write(row.data(), row.size());
    }
}

void TBitmap::SaveBmpFile(const std::string& fileName, IFileSystem& files) const {
    auto file = files.CreateReplacement(fileName);
    WriteBmp(*file);
    file->Commit();
}
