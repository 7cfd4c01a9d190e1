#include "imaging/PngCompress.h"

#include "base/Errors.h"
#include "base/Texts.h"

#include <libdeflate.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Chosen by measurement on desktop-like frames (bench/PipelineBench.cpp): flat areas, text,
// thin lines and a photograph. The "sub" filter on every row of colour with libdeflate at
// level 2 came within 4% of the smallest file any filter (none, sub, up, Paeth, the best per
// row) and level (1 to 6) made, and was the quickest; zlib at its quickest took 40% longer.
constexpr int kLevel = 2;
constexpr std::size_t kMaxChunk = 1u << 30; // image data beyond this goes on in another chunk

struct TCompressorFree {
    void operator()(libdeflate_compressor* compressor) const {
        libdeflate_free_compressor(compressor);
    }
};

void PutU32(std::string& out, std::uint32_t value) {
    const char bytes[4] = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                           static_cast<char>(value >> 8), static_cast<char>(value)};
    out.append(bytes, 4);
}

void PutChunk(std::string& out, const char (&type)[5], const std::uint8_t* data, std::size_t size) {
    PutU32(out, static_cast<std::uint32_t>(size));
    const std::size_t start = out.size();
    out.append(type, 4);
    out.append(reinterpret_cast<const char*>(data), size);
    PutU32(out, libdeflate_crc32(0, out.data() + start, size + 4));
}

// One row as the file holds it: its filter byte, then the filtered bytes. Colour rows take
// the "sub" filter (each byte less the same byte of the pixel to its left), which turns flat
// areas and gradients into runs; indexed rows go unfiltered, as PNG advises for palettes.
void FilterRow(const TPngJob& job, const std::uint8_t* in, std::uint8_t* out,
               std::size_t rowBytes) {
    if (job.Input == TPngJob::TInput::Indexed) {
        out[0] = 0;
        std::copy(in, in + rowBytes, out + 1);
        return;
    }
    out[0] = 1;
    const std::size_t step = job.Input == TPngJob::TInput::Bgrx32 ? 4 : 3;
    std::uint8_t r = 0, g = 0, b = 0;
    std::uint8_t* o = out + 1;
    for (std::int32_t x = 0; x < job.Width; ++x, in += step, o += 3) {
        o[0] = static_cast<std::uint8_t>(in[2] - r);
        o[1] = static_cast<std::uint8_t>(in[1] - g);
        o[2] = static_cast<std::uint8_t>(in[0] - b);
        r = in[2];
        g = in[1];
        b = in[0];
    }
}

} // namespace

void EncodePng(const TPngJob& job, std::string& output) {
    const bool indexed = job.Input == TPngJob::TInput::Indexed;
    const int bitDepth = indexed ? job.IndexBits : 8;
    const std::size_t rowBytes = indexed
                                     ? (static_cast<std::size_t>(job.Width) * job.IndexBits + 7) / 8
                                     : static_cast<std::size_t>(job.Width) * 3;

    std::vector<std::uint8_t> filtered((rowBytes + 1) * static_cast<std::size_t>(job.Height));
    const std::uint8_t* row = job.TopRow;
    for (std::int32_t y = 0; y < job.Height; ++y, row += job.RowStep) {
        FilterRow(job, row, filtered.data() + (rowBytes + 1) * static_cast<std::size_t>(y),
                  rowBytes);
    }

    const std::unique_ptr<libdeflate_compressor, TCompressorFree> compressor(
        libdeflate_alloc_compressor(kLevel));
    if (!compressor) {
        throw EWriteError(Text(TText::StreamWriteError));
    }
    std::vector<std::uint8_t> data(
        libdeflate_zlib_compress_bound(compressor.get(), filtered.size()));
    data.resize(libdeflate_zlib_compress(compressor.get(), filtered.data(), filtered.size(),
                                         data.data(), data.size()));
    if (data.empty()) {
        throw EWriteError(Text(TText::StreamWriteError));
    }

    output.reserve(output.size() + data.size() + 1024);
    output.append("\x89PNG\r\n\x1A\n", 8);
    const std::uint8_t header[13] = {
        static_cast<std::uint8_t>(job.Width >> 24),
        static_cast<std::uint8_t>(job.Width >> 16),
        static_cast<std::uint8_t>(job.Width >> 8),
        static_cast<std::uint8_t>(job.Width),
        static_cast<std::uint8_t>(job.Height >> 24),
        static_cast<std::uint8_t>(job.Height >> 16),
        static_cast<std::uint8_t>(job.Height >> 8),
        static_cast<std::uint8_t>(job.Height),
        static_cast<std::uint8_t>(bitDepth),
        static_cast<std::uint8_t>(indexed ? 3 : 2), // palette, or red-green-blue
        0,                                          // deflate
        0,                                          // adaptive filtering
        0,                                          // not interlaced
    };
    PutChunk(output, "IHDR", header, sizeof header);
    const std::uint8_t perceptual = 0;
    PutChunk(output, "sRGB", &perceptual, 1);
    if (indexed) {
        PutChunk(output, "PLTE", job.PaletteRgb, static_cast<std::size_t>(job.PaletteSize) * 3);
    }
    for (std::size_t at = 0; at < data.size(); at += kMaxChunk) {
        PutChunk(output, "IDAT", data.data() + at, std::min(kMaxChunk, data.size() - at));
    }
    PutChunk(output, "IEND", nullptr, 0);
}
