#include "imaging/PngCompress.h"

#include "base/Errors.h"
#include "base/Texts.h"

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Chosen by measurement on desktop-like frames (bench/PipelineBench.cpp): flat areas, text,
// thin lines and a photograph. The "sub" filter on every row of colour with ISA-L's igzip at
// level 1 made files within 1% of libdeflate's at level 2 in a fifth of the time; its higher
// levels were slower for no smaller file.
constexpr int kLevel = 2;
constexpr std::size_t kLevelBuffer = ISAL_DEF_LVL2_DEFAULT;
constexpr std::size_t kMaxChunk = 1u << 30; // image data beyond this goes on in another chunk

// The zlib stream of the filtered rows, compressed batch by batch as they are filtered: a batch
// stays in the cache, and no copy of the whole image is made. The compressor keeps its own
// window across batches.
class TDeflater {
public:
    TDeflater() : FLevelBuffer(kLevelBuffer) {
        isal_deflate_init(&FStream);
        FStream.level = kLevel;
        FStream.level_buf = FLevelBuffer.data();
        FStream.level_buf_size = static_cast<std::uint32_t>(FLevelBuffer.size());
        FStream.gzip_flag = IGZIP_ZLIB;
        FStream.flush = NO_FLUSH;
    }

    // Compresses the bytes; the last batch ends the stream.
    void Add(const std::uint8_t* in, std::size_t size, bool last) {
        constexpr std::size_t kStep = std::size_t{1} << 30; // the compressor counts in 32 bits
        do {
            const std::size_t step = std::min(kStep, size);
            FStream.next_in = const_cast<std::uint8_t*>(in);
            FStream.avail_in = static_cast<std::uint32_t>(step);
            FStream.end_of_stream = last && step == size ? 1 : 0;
            in += step;
            size -= step;
            while (FStream.avail_in > 0 ||
                   (FStream.end_of_stream && FStream.internal_state.state != ZSTATE_END)) {
                Compress();
            }
        } while (size > 0);
    }

    const std::uint8_t* Data() const { return FOut.get(); }
    std::size_t Size() const { return FSize; }

private:
    void Compress() {
        if (FSize == FCapacity) {
            const std::size_t capacity = std::max<std::size_t>(FCapacity * 2, 1u << 20);
            auto grown = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
            std::copy(FOut.get(), FOut.get() + FSize, grown.get());
            FOut = std::move(grown);
            FCapacity = capacity;
        }
        const std::size_t room = std::min(FCapacity - FSize, std::size_t{1} << 30);
        FStream.next_out = FOut.get() + FSize;
        FStream.avail_out = static_cast<std::uint32_t>(room);
        if (isal_deflate(&FStream) != COMP_OK) {
            throw EWriteError(Text(TText::StreamWriteError));
        }
        FSize += room - FStream.avail_out;
    }

    std::vector<std::uint8_t> FLevelBuffer;
    isal_zstream FStream;
    std::unique_ptr<std::uint8_t[]> FOut;
    std::size_t FSize = 0;
    std::size_t FCapacity = 0;
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
    PutU32(out,
           crc32_gzip_refl(0, reinterpret_cast<const std::uint8_t*>(out.data()) + start, size + 4));
}

// Each byte of `from` less the byte `distance` places before it in `from` (none before the
// first ones): the "sub" filter, sixteen bytes at a time.
void SubtractEarlier(const std::uint8_t* from, std::uint8_t* to, std::size_t size,
                     std::size_t distance) {
    std::size_t i = 0;
    for (; i < std::min(distance, size); ++i) {
        to[i] = from[i];
    }
#ifdef __SSE2__
    for (; i + 16 <= size; i += 16) {
        const __m128i now = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        const __m128i before =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i - distance));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_sub_epi8(now, before));
    }
#endif
    for (; i < size; ++i) {
        to[i] = static_cast<std::uint8_t>(from[i] - from[i - distance]);
    }
}

// A pixel's blue, green and red (and a fourth byte) as red, green, blue: four bytes stored
// where three belong, the fourth overwritten by the next pixel.
inline void PutRgb(const std::uint8_t* bgr, std::uint8_t* rgb) {
    std::uint32_t pixel;
    std::memcpy(&pixel, bgr, 4);
    pixel = __builtin_bswap32(pixel) >> 8; // blue, green, red in the low bytes from the top
    std::memcpy(rgb, &pixel, 4);
}

// One row as the file holds it: its filter byte, then the filtered bytes. Every row takes the
// "sub" filter (each byte less the same byte of the pixel to its left, or the byte to its
// left for indexed rows), which turns flat areas and gradients into runs. `rgb` is room for
// one row of red, green and blue and one byte more.
void FilterRow(const TPngJob& job, const std::uint8_t* in, std::uint8_t* out, std::size_t rowBytes,
               std::uint8_t* rgb) {
    out[0] = 1;
    if (job.Input == TPngJob::TInput::Indexed) {
        SubtractEarlier(in, out + 1, rowBytes, 1);
        return;
    }
    const std::size_t step = job.Input == TPngJob::TInput::Bgrx32 ? 4 : 3;
    const auto width = static_cast<std::size_t>(job.Width);
    // The last pixel of a 24-bit row has no fourth byte to read.
    const std::size_t whole = step == 4 ? width : width - 1;
    for (std::size_t x = 0; x < whole; ++x) {
        PutRgb(in + step * x, rgb + 3 * x);
    }
    if (whole < width) {
        const std::uint8_t* last = in + step * whole;
        rgb[3 * whole] = last[2];
        rgb[3 * whole + 1] = last[1];
        rgb[3 * whole + 2] = last[0];
    }
    SubtractEarlier(rgb, out + 1, rowBytes, 3);
}

} // namespace

void EncodePng(const TPngJob& job, std::string& output) {
    const bool indexed = job.Input == TPngJob::TInput::Indexed;
    const int bitDepth = indexed ? job.IndexBits : 8;
    const std::size_t rowBytes = indexed
                                     ? (static_cast<std::size_t>(job.Width) * job.IndexBits + 7) / 8
                                     : static_cast<std::size_t>(job.Width) * 3;

    // Rows filtered a batch of about 256 KB at a time, and compressed at once.
    const std::size_t batchRows = std::max<std::size_t>(1, (256u << 10) / (rowBytes + 1));
    const auto batch = std::make_unique_for_overwrite<std::uint8_t[]>(batchRows * (rowBytes + 1));
    std::vector<std::uint8_t> rgb(indexed ? 0 : rowBytes + 1);
    TDeflater deflater;
    const std::uint8_t* row = job.TopRow;
    for (std::int32_t y = 0; y < job.Height;) {
        const auto rows = static_cast<std::int32_t>(
            std::min<std::size_t>(batchRows, static_cast<std::size_t>(job.Height - y)));
        for (std::int32_t i = 0; i < rows; ++i, ++y, row += job.RowStep) {
            FilterRow(job, row, batch.get() + (rowBytes + 1) * static_cast<std::size_t>(i),
                      rowBytes, rgb.data());
        }
        deflater.Add(batch.get(), (rowBytes + 1) * static_cast<std::size_t>(rows), y == job.Height);
    }
    const std::uint8_t* const data = deflater.Data();
    const std::size_t dataSize = deflater.Size();

    output.reserve(output.size() + dataSize + 1024);
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
    for (std::size_t at = 0; at < dataSize; at += kMaxChunk) {
        PutChunk(output, "IDAT", data + at, std::min(kMaxChunk, dataSize - at));
    }
    PutChunk(output, "IEND", nullptr, 0);
}
