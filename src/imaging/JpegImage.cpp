#include "imaging/JpegImage.h"

#include "imaging/JpegCompress.h"

#include "base/ByteSink.h"
#include "base/Errors.h"
#include "base/FormatText.h"
#include "base/Texts.h"
#include "platform/FileSystem.h"

void TJPEGImage::SetSourceBitmap(const TBitmap& bitmap) {
    FStream.reset();
    auto source = std::make_unique<TBitmap>();
    source->SharePixels(bitmap);
    FSource = std::move(source);
}

void TJPEGImage::EncodeSource() {
    std::string stream;
    if (!FSource || FSource->Width() == 0 || FSource->Height() == 0 || !FSource->HasStore()) {
        FStream = std::move(stream);
        return;
    }

    // 24- and 32-bit stores are read where they are. Every other depth, and a store still
    // blank, goes through a 24-bit working copy with a store of its own.
    TBitmap workingCopy;
    const TPixelStore* store = FSource->Store();
    const TPixelDepth depth = store->Depth();
    const bool direct =
        !store->Blank() && (depth == TPixelDepth::pd24Bit || depth == TPixelDepth::pd32Bit ||
                            depth == TPixelDepth::pdScreen);
    if (!direct) {
        workingCopy.SharePixels(*FSource);
        workingCopy.SetPixelDepth(TPixelDepth::pd24Bit);
        workingCopy.RowAddress(0); // its own store, with its pixels written
        store = workingCopy.Store();
    }

    // Room for the whole stream up front: growing it would copy it again and again. Pages of
    // the reservation that are never written cost nothing.
    stream.reserve(static_cast<std::size_t>(store->Width()) * store->Height() + 65536);

    TJpegJob job;
    job.Width = store->Width();
    job.Height = store->Height();
    job.TopRow = store->RowFromTop(0);
    job.RowStep = -static_cast<std::ptrdiff_t>(store->Stride());
    job.Input =
        store->Depth() == TPixelDepth::pd24Bit ? TJpegJob::TInput::Bgr24 : TJpegJob::TInput::Bgrx32;
    job.Quality = Quality;
    job.Progressive = ProgressiveEncoding;
    job.Grayscale = Grayscale;
    job.Output = &stream;

    if (!RunJpegCompression(job)) {
        if (job.OutputFailed) {
            throw EOutOfResources(Text(TText::OutOfSystemResources));
        }
        throw EJPEG(FormatText(Text(TText::JpegError), {std::to_string(job.MessageCode)}));
    }
    FStream = std::move(stream);
}

void TJPEGImage::WriteJpeg(TByteSink& sink) {
    if (!FStream) {
        EncodeSource();
    }
    if (!FStream->empty()) {
        sink.Write(FStream->data(), FStream->size());
    }
}

void TJPEGImage::SaveJpegFile(const std::string& fileName, IFileSystem& files) {
    auto file = files.CreateReplacement(fileName);
    WriteJpeg(*file);
    file->Commit();
}
