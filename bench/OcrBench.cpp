// Text recognition, the whole way from a screen's pixels to the text put on the clipboard
// (grey, inverted where dark, scaled, recognised, spaced as written), over Debian's Tesseract and
// its trained data: rendered lines of a known text, Japanese and English, at 12, 13, 16 and 19
// pixels, dark on light and light on dark, with the characters read a second and the character
// error rate; then an 800 x 200 region and a whole 1920 x 1080 page of text, with the process's
// peak memory. The samples are rendered by tools/make-text-samples.sh when the benchmark is
// built.

#include "app/text/TextSpacing.h"
#include "imaging/ReadingImage.h"
#include "ocr/TesseractReader.h"
#include "support/CharacterErrors.h"
#include "support/PngDecoder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TTesseractReader& Reader() {
    static const std::string japanese =
        ReadBytes(std::string(QUORLAN_TESSDATA) + "/jpn.traineddata");
    static const std::string english =
        ReadBytes(std::string(QUORLAN_TESSDATA) + "/eng.traineddata");
    static TTesseractReader reader(
        "", {{"jpn", {reinterpret_cast<const std::uint8_t*>(japanese.data()), japanese.size()}},
             {"eng", {reinterpret_cast<const std::uint8_t*>(english.data()), english.size()}}});
    return reader;
}

struct TScreenText {
    std::vector<std::uint32_t> Pixels; // as a screen copy holds them
    std::int32_t Width = 0, Height = 0;
};

TScreenText Sample(const std::string& name) {
    const TDecodedPng png = DecodePng(ReadBytes(std::string(QUORLAN_BENCH_SAMPLES) + "/" + name));
    return {png.Pixels, std::int32_t(png.Width), std::int32_t(png.Height)};
}

// The same lines over and over, from the top-left, on white: a region or a page of text.
TScreenText Tiled(const TScreenText& sample, std::int32_t width, std::int32_t height) {
    TScreenText out{std::vector<std::uint32_t>(std::size_t(width) * height, 0xFFFFFF), width,
                    height};
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            out.Pixels[std::size_t(y) * width + x] =
                sample.Pixels[std::size_t(y % sample.Height) * sample.Width + x % sample.Width];
        }
    }
    return out;
}

std::string ReadAsWritten(const TScreenText& screen) {
    const TReadingImage image =
        ReadingImageOf({reinterpret_cast<const std::uint8_t*>(screen.Pixels.data()), screen.Width,
                        screen.Height, std::ptrdiff_t(screen.Width) * 4});
    const std::atomic<bool> cancelled{false};
    const auto text = Reader().Read(
        {image.Pixels.data(), image.Width, image.Height, image.Width, 96 * kReadingScale},
        "jpn+eng", cancelled);
    return SpacedAsWritten(text.value_or(""));
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void BM_ReadLines(benchmark::State& state, const std::string& language, int size, bool light) {
    const TScreenText screen =
        Sample(language + "-" + std::to_string(size) + (light ? "-light.png" : "-dark.png"));
    const std::string truth =
        SpacedAsWritten(ReadBytes(std::string(QUORLAN_SAMPLES) + "/" + language + ".txt"));
    std::string read;
    for (auto _ : state) {
        read = ReadAsWritten(screen);
        benchmark::DoNotOptimize(read.data());
    }
    std::size_t characters = 0;
    for (std::size_t i = 0; i < truth.size(); ++i) {
        characters += (static_cast<unsigned char>(truth[i]) & 0xC0) != 0x80 && truth[i] != '\r' &&
                      truth[i] != '\n';
    }
    state.counters["chars/s"] =
        benchmark::Counter(double(characters), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["CER%"] = 100 * CharacterErrorRate(truth, read);
    if (read != truth) { // what it got wrong, for the eye
        std::fprintf(stderr, "%s %d px%s read:\n%s\n", language.c_str(), size,
                     light ? " light on dark" : "", read.c_str());
    }
    state.counters["peakMB"] = PeakMegabytes();
}

void BM_ReadRegion(benchmark::State& state, std::int32_t width, std::int32_t height) {
    const TScreenText screen = Tiled(Sample("japanese-16-dark.png"), width, height);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadAsWritten(screen).data());
    }
    state.counters["peakMB"] = PeakMegabytes();
}

} // namespace

int main(int argc, char** argv) {
    // Debian's library is built with OpenMP, whose threads only wait on two cores; the exe's is
    // built without, and so is measured here. The OpenMP runtime reads its limit as it loads,
    // before main: the benchmark starts itself again with it.
    if (!std::getenv("OMP_THREAD_LIMIT")) {
        setenv("OMP_THREAD_LIMIT", "1", 1);
        execv("/proc/self/exe", argv);
    }
    for (const char* language : {"japanese", "english"}) {
        for (const int size : {12, 13, 16, 19}) {
            for (const bool light : {false, true}) {
                const std::string name = std::string("ReadLines/") + language + "/" +
                                         std::to_string(size) + (light ? "/light" : "/dark");
                benchmark::RegisterBenchmark(name.c_str(), BM_ReadLines, language, size, light)
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(1);
            }
        }
    }
    benchmark::RegisterBenchmark("ReadRegion/800x200", BM_ReadRegion, 800, 200)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::RegisterBenchmark("ReadRegion/1920x1080", BM_ReadRegion, 1920, 1080)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
