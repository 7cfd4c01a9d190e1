#include "imaging/PngImage.h"

#include "imaging/PngCompress.h"

#include "base/ByteSink.h"
#include "base/Errors.h"
#include "base/Texts.h"
#include "platform/FileSystem.h"

#include <new>
#include <vector>

void WritePng(const TBitmap& bitmap, TByteSink& sink) {
    if (bitmap.Width() == 0 || bitmap.Height() == 0 || !bitmap.HasStore()) {
        return;
    }
    // Indexed, 24- and 32-bit stores are read where they are. A 16-bit store goes through a
    // 24-bit working copy (the program's own widening), and a store still blank through a
    // copy with its white written.
    TBitmap workingCopy;
    const TPixelStore* store = bitmap.Store();
    if (store->Depth() == TPixelDepth::pd16Bit || store->Blank()) {
        workingCopy.SharePixels(bitmap);
        if (store->Depth() == TPixelDepth::pd16Bit) {
            workingCopy.SetPixelDepth(TPixelDepth::pd24Bit);
        }
        workingCopy.RowAddress(0); // its own store, with its pixels written
        store = workingCopy.Store();
    }

    TPngJob job;
    job.Width = store->Width();
    job.Height = store->Height();
    job.TopRow = store->RowFromTop(0);
    job.RowStep = -static_cast<std::ptrdiff_t>(store->Stride());
    std::vector<std::uint8_t> palette;
    switch (store->Depth()) {
    case TPixelDepth::pd1Bit:
    case TPixelDepth::pd4Bit:
    case TPixelDepth::pd8Bit:
        job.Input = TPngJob::TInput::Indexed;
        job.IndexBits = BitsPerPixel(store->Depth());
        for (const TRgb& colour : store->ColourTable()) {
            palette.insert(palette.end(), {colour.R, colour.G, colour.B});
        }
        job.PaletteRgb = palette.data();
        job.PaletteSize = static_cast<int>(store->ColourTable().size());
        break;
    case TPixelDepth::pd24Bit:
        job.Input = TPngJob::TInput::Bgr24;
        break;
    default:
        job.Input = TPngJob::TInput::Bgrx32;
        break;
    }
    std::string file;
    try {
        EncodePng(job, file);
    } catch (const std::bad_alloc&) {
        throw EOutOfResources(Text(TText::OutOfSystemResources));
    }
    sink.Write(file.data(), file.size());
}

void SavePngFile(const TBitmap& bitmap, const std::string& fileName, IFileSystem& files) {
    auto file = files.CreateReplacement(fileName);
    WritePng(bitmap, *file);
    file->Commit();
}
