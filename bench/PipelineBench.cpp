// The capture pipeline on desktop-like frames: 32-bit screen pixels to finished BMP bytes at
// each depth and to finished JPEG bytes, against two anchors timed in the same run: a plain
// copy of the frame, and libjpeg-turbo encoding the same pixels directly with the same
// parameters. At the end each result is printed as a ratio to its anchor.

#include "SyntheticFrame.h"

#include "base/ByteSink.h"
#include "imaging/Bitmap.h"
#include "imaging/JpegImage.h"
#include "imaging/PngImage.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const TSyntheticFrame& Frame(int which) {
    static const TSyntheticFrame hd(1920, 1080);
    static const TSyntheticFrame uhd(3840, 2160);
    return which == 0 ? hd : uhd;
}

const char* SizeName(int which) {
    return which == 0 ? "1920x1080" : "3840x2160";
}

void Copy(benchmark::State& state) {
    const TSyntheticFrame& frame = Frame(int(state.range(0)));
    const std::size_t bytes = frame.Pixels().size() * 4;
    std::vector<std::uint8_t> target(bytes);
    for (auto _ : state) {
        std::memcpy(target.data(), frame.Pixels().data(), bytes);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
}

void WriteBmpFile(const TBitmap& bitmap, TByteSink& sink) {
    bitmap.WriteBmp(sink);
}

// A capture at that depth, from the screen's pixels to the finished file's bytes.
template <TPixelDepth Depth, void (*Write)(const TBitmap&, TByteSink&)>
void Capture(benchmark::State& state) {
    const TSyntheticFrame& frame = Frame(int(state.range(0)));
    TMemorySink sink;
    sink.Bytes.reserve(std::size_t(frame.Width()) * frame.Height() * 4 + 2048);
    for (auto _ : state) {
        sink.Bytes.clear();
        TBitmap bitmap;
        bitmap.SetColumns(frame.Width());
        bitmap.SetRows(frame.Height());
        bitmap.SetPixelDepth(Depth);
        bitmap.DrawPixels32(0, 0, frame.View());
        Write(bitmap, sink);
        benchmark::DoNotOptimize(sink.Bytes.data());
    }
    state.counters["bytes"] = double(sink.Bytes.size());
}

template <TPixelDepth Depth> void Bmp(benchmark::State& state) {
    Capture<Depth, WriteBmpFile>(state);
}

template <TPixelDepth Depth> void Png(benchmark::State& state) {
    Capture<Depth, WritePng>(state);
}

void Jpeg(benchmark::State& state) {
    const TSyntheticFrame& frame = Frame(int(state.range(0)));
    TBitmap bitmap;
    bitmap.SetColumns(frame.Width());
    bitmap.SetRows(frame.Height());
    bitmap.SetPixelDepth(TPixelDepth::pd32Bit);
    bitmap.DrawPixels32(0, 0, frame.View());
    TMemorySink sink;
    sink.Bytes.reserve(std::size_t(frame.Width()) * frame.Height() * 3);
    for (auto _ : state) {
        sink.Bytes.clear();
        TJPEGImage image;
        image.Quality = 100;
        image.ProgressiveEncoding = false;
        image.SetSourceBitmap(bitmap);
        image.WriteJpeg(sink);
        benchmark::DoNotOptimize(sink.Bytes.data());
    }
    state.counters["bytes"] = double(sink.Bytes.size());
}

// libjpeg-turbo on its own: red-green-blue rows already in memory, into memory.
void JpegDirect(benchmark::State& state) {
    const TSyntheticFrame& frame = Frame(int(state.range(0)));
    const int width = frame.Width(), height = frame.Height();
    std::vector<std::uint8_t> rgb(std::size_t(width) * height * 3);
    for (std::size_t i = 0; i < frame.Pixels().size(); ++i) {
        const std::uint32_t p = frame.Pixels()[i];
        rgb[3 * i] = std::uint8_t(p >> 16);
        rgb[3 * i + 1] = std::uint8_t(p >> 8);
        rgb[3 * i + 2] = std::uint8_t(p);
    }
    unsigned long size = 0;
    for (auto _ : state) {
        jpeg_compress_struct info;
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
        unsigned char* out = nullptr;
        size = 0;
        jpeg_mem_dest(&info, &out, &size);
        info.image_width = JDIMENSION(width);
        info.image_height = JDIMENSION(height);
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, 100, TRUE);
        info.dct_method = JDCT_FLOAT;
        jpeg_start_compress(&info, TRUE);
        while (info.next_scanline < info.image_height) {
            JSAMPROW row = &rgb[std::size_t(info.next_scanline) * width * 3];
            jpeg_write_scanlines(&info, &row, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
        benchmark::DoNotOptimize(out);
        std::free(out);
    }
    state.counters["bytes"] = double(size);
}

// Collects the median of each benchmark to print the ratios after the normal report.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                Medians[run.run_name.function_name + "/" + run.run_name.args] =
                    run.GetAdjustedRealTime();
                const auto bytes = run.counters.find("bytes");
                if (bytes != run.counters.end()) {
                    Bytes[run.run_name.function_name + "/" + run.run_name.args] = bytes->second;
                }
            }
        }
    }
    std::map<std::string, double> Medians;
    std::map<std::string, double> Bytes;
};

} // namespace

BENCHMARK(Copy)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Bmp<TPixelDepth::pd1Bit>)->Name("Bmp1")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Bmp<TPixelDepth::pd4Bit>)->Name("Bmp4")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Bmp<TPixelDepth::pd8Bit>)->Name("Bmp8")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Bmp<TPixelDepth::pd16Bit>)->Name("Bmp16")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Bmp<TPixelDepth::pd24Bit>)->Name("Bmp24")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Bmp<TPixelDepth::pd32Bit>)->Name("Bmp32")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Jpeg)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Png<TPixelDepth::pd8Bit>)->Name("Png8")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Png<TPixelDepth::pd24Bit>)->Name("Png24")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(JpegDirect)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nRatios of medians to their anchors (same run):\n");
    for (const int size : {0, 1}) {
        const std::string arg = std::to_string(size);
        const auto copy = reporter.Medians.find("Copy/" + arg);
        const auto direct = reporter.Medians.find("JpegDirect/" + arg);
        for (const char* name : {"Bmp1", "Bmp4", "Bmp8", "Bmp16", "Bmp24", "Bmp32"}) {
            const auto found = reporter.Medians.find(std::string(name) + "/" + arg);
            if (found != reporter.Medians.end() && copy != reporter.Medians.end()) {
                std::printf("  %-5s %s  %.2f x plain copy (%.2f ms vs %.2f ms)\n", name,
                            SizeName(size), found->second / copy->second, found->second,
                            copy->second);
            }
        }
        const auto jpeg = reporter.Medians.find("Jpeg/" + arg);
        if (jpeg != reporter.Medians.end() && direct != reporter.Medians.end()) {
            std::printf("  Jpeg  %s  %.3f x direct libjpeg-turbo (%.1f ms vs %.1f ms)\n",
                        SizeName(size), jpeg->second / direct->second, jpeg->second,
                        direct->second);
        }
        const auto bmp24 = reporter.Bytes.find("Bmp24/" + arg);
        const auto jpegBytes = reporter.Bytes.find("Jpeg/" + arg);
        for (const char* name : {"Png8", "Png24"}) {
            const auto png = reporter.Medians.find(std::string(name) + "/" + arg);
            const auto pngBytes = reporter.Bytes.find(std::string(name) + "/" + arg);
            if (png == reporter.Medians.end() || direct == reporter.Medians.end() ||
                bmp24 == reporter.Bytes.end() || jpegBytes == reporter.Bytes.end()) {
                continue;
            }
            std::printf("  %-5s %s  %.2f x direct libjpeg-turbo (%.1f ms); %.2f MB: 1/%.1f of "
                        "the 24-bit BMP, %.2f x the JPEG\n",
                        name, SizeName(size), png->second / direct->second, png->second,
                        pngBytes->second / 1e6, bmp24->second / pngBytes->second,
                        pngBytes->second / jpegBytes->second);
        }
    }
    benchmark::Shutdown();
    return 0;
}
