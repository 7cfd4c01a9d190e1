#include "imaging/PngCompress.h"

#include <png.h>
#include <zlib.h>

#include <new>

namespace {

// Chosen by measurement on desktop-like frames (bench/PipelineBench.cpp): large flat areas,
// text and thin lines. The "sub" filter alone and run-length matching at level 1 compress
// them to within a few percent of the best settings at a fraction of the time.
constexpr int kFilters = PNG_FILTER_SUB;
constexpr int kLevel = 1;
constexpr int kStrategy = Z_RLE;

void WriteBytes(png_structp png, png_bytep data, png_size_t size) {
    auto* job = static_cast<TPngJob*>(png_get_io_ptr(png));
    try {
        job->Output->append(reinterpret_cast<const char*>(data), size);
        return;
    } catch (...) {
        job->OutputFailed = true; // nothing of the exception is left when the library jumps
    }
    png_error(png, "output");
}

void Flush(png_structp) {}

[[noreturn]] void Fail(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void Warn(png_structp, png_const_charp) {}

// The parts of a run that must survive the library's jump back: plain data only.
struct TRun {
    png_structp Png = nullptr;
    png_infop Info = nullptr;
};

bool Encode(TRun& run, TPngJob& job) {
    if (setjmp(png_jmpbuf(run.Png))) {
        return false;
    }
    png_set_write_fn(run.Png, &job, WriteBytes, Flush);
    const bool indexed = job.Input == TPngJob::TInput::Indexed;
    png_set_IHDR(run.Png, run.Info, static_cast<png_uint_32>(job.Width),
                 static_cast<png_uint_32>(job.Height), indexed ? job.IndexBits : 8,
                 indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (indexed) {
        png_color palette[256];
        for (int i = 0; i < job.PaletteSize && i < 256; ++i) {
            palette[i] = {job.PaletteRgb[3 * i], job.PaletteRgb[3 * i + 1],
                          job.PaletteRgb[3 * i + 2]};
        }
        png_set_PLTE(run.Png, run.Info, palette, job.PaletteSize);
    }
    png_set_sRGB(run.Png, run.Info, PNG_sRGB_INTENT_PERCEPTUAL);
    png_set_filter(run.Png, PNG_FILTER_TYPE_BASE, indexed ? PNG_FILTER_NONE : kFilters);
    png_set_compression_level(run.Png, kLevel);
    png_set_compression_strategy(run.Png, kStrategy);
    png_write_info(run.Png, run.Info);
    if (!indexed) {
        png_set_bgr(run.Png);
    }
    if (job.Input == TPngJob::TInput::Bgrx32) {
        png_set_filler(run.Png, 0, PNG_FILLER_AFTER); // dropped from every pixel
    }
    const std::uint8_t* row = job.TopRow;
    for (std::int32_t y = 0; y < job.Height; ++y, row += job.RowStep) {
        png_write_row(run.Png, const_cast<png_bytep>(row));
    }
    png_write_end(run.Png, nullptr);
    return true;
}

} // namespace

bool RunPngCompression(TPngJob& job) noexcept {
    TRun run;
    run.Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Warn);
    if (!run.Png) {
        job.OutputFailed = true;
        return false;
    }
    run.Info = png_create_info_struct(run.Png);
    const bool done = run.Info && Encode(run, job);
    png_destroy_write_struct(&run.Png, &run.Info);
    return done;
}
