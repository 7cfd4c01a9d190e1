// What drawing the pointer into a 4K capture costs, beside the capture itself: a 32 x 32
// pointer made over the screen's pixels and drawn onto the 24-bit bitmap, and, as the anchor,
// the whole frame drawn onto it.

#include "SyntheticFrame.h"

#include "imaging/Bitmap.h"
#include "imaging/PointerPatch.h"

#include <benchmark/benchmark.h>

namespace {

const TSyntheticFrame& Frame() {
    static const TSyntheticFrame uhd(3840, 2160);
    return uhd;
}

TPixels32View FrameView() {
    const TSyntheticFrame& frame = Frame();
    return {reinterpret_cast<const std::uint8_t*>(frame.Pixels().data()), frame.Width(),
            frame.Height(), 4 * std::ptrdiff_t{frame.Width()}};
}

TBitmap DrawnCapture() {
    TBitmap bitmap;
    bitmap.SetColumns(Frame().Width());
    bitmap.SetRows(Frame().Height());
    bitmap.SetPixelDepth(TPixelDepth::pd24Bit);
    bitmap.DrawPixels32(0, 0, FrameView());
    return bitmap;
}

void WholeFrame(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(DrawnCapture());
    }
}
BENCHMARK(WholeFrame)->Unit(benchmark::kMillisecond);

void Pointer(benchmark::State& state) {
    TBitmap bitmap = DrawnCapture();
    TPointerPicture pointer{1900,
                            1000,
                            32,
                            32,
                            std::vector<std::uint32_t>(32 * 32, 0x000000),
                            std::vector<std::uint32_t>(32 * 32, 0xFFFFFF)};
    for (std::size_t i = 0; i < 32 * 32; i += 3) {
        pointer.OverBlack[i] = pointer.OverWhite[i] = 0x202020; // a shape with its transparency
    }
    for (auto _ : state) {
        const std::vector<std::uint8_t> patch = PointerPatch(pointer, FrameView(), 0, 0);
        bitmap.DrawPixels32(pointer.Left, pointer.Top, PatchView(pointer, patch));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Pointer)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
