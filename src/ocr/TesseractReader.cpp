#include "ocr/TesseractReader.h"

#include "base/Errors.h"
#include "base/FormatText.h"
#include "base/Texts.h"
#include "ocr/TrainedData.h"

#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>

#include <memory>
#include <utility>

namespace {

bool Cancelled(void* cancelled, int /*words*/) {
    return static_cast<const std::atomic<bool>*>(cancelled)->load();
}

struct TDeleteText {
    void operator()(char* text) const { delete[] text; }
};

// The first of `languages` ("jpn+eng") whose data is nowhere to be read; empty for none.
std::string MissingLanguage(const std::string& languages) {
    std::size_t start = 0;
    while (start <= languages.size()) {
        std::size_t end = languages.find('+', start);
        if (end == std::string::npos) {
            end = languages.size();
        }
        const std::string language = languages.substr(start, end - start);
        if (!HasTrainedData(language)) {
            return language;
        }
        start = end + 1;
    }
    return {};
}

} // namespace

TTesseractReader::TTesseractReader(std::string dataFolder,
                                   std::map<std::string, std::span<const std::uint8_t>> builtIn) {
    SetTrainedData(std::move(dataFolder), std::move(builtIn));
}

TTesseractReader::~TTesseractReader() = default;

std::optional<std::string> TTesseractReader::Read(const TGreyView& picture,
                                                  const std::string& languages,
                                                  const std::atomic<bool>& cancelled) {
    // The engine reads what it can of the languages and goes on without the others.
    if (const std::string missing = MissingLanguage(languages); !missing.empty()) {
        throw ETextLanguage(FormatText(Text(TText::TextLanguageMissing), {missing}));
    }
    tesseract::TessBaseAPI api;
    // The data's folder is only a prefix of the names the reader is asked for.
    if (api.Init("/", 0, languages.c_str(), tesseract::OEM_LSTM_ONLY, nullptr, 0, nullptr, nullptr,
                 false, &ReadTrainedData) != 0) {
        throw ETextLanguage(FormatText(Text(TText::TextLanguageMissing), {languages}));
    }
    // One block of text, which also reads a single line well.
    api.SetPageSegMode(tesseract::PSM_SINGLE_BLOCK);
    api.SetImage(picture.Data, picture.Width, picture.Height, 1, static_cast<int>(picture.Stride));
    api.SetSourceResolution(picture.Dpi);
    tesseract::ETEXT_DESC monitor;
    monitor.cancel = &Cancelled;
    monitor.cancel_this = const_cast<std::atomic<bool>*>(&cancelled);
    const int recognised = api.Recognize(&monitor);
    if (cancelled.load()) {
        return std::nullopt;
    }
    if (recognised != 0) {
        throw EOutOfResources(Text(TText::OutOfSystemResources));
    }
    const std::unique_ptr<char[], TDeleteText> text(api.GetUTF8Text());
    return std::string(text ? text.get() : "");
}
