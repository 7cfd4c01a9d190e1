#pragma once

#include "platform/TextReader.h"

#include <cstdint>
#include <map>
#include <span>
#include <string>

// The text recogniser over Tesseract's LSTM engine, one block of text a picture. The trained data
// of the languages built into the program are read from memory (`builtIn`, by language name,
// held by the caller for the reader's life); others from `dataFolder` (UTF-8, any characters),
// where a user may put them. The engine is loaded for a read and let go after it.
class TTesseractReader final : public ITextReader {
public:
    TTesseractReader(std::string dataFolder,
                     std::map<std::string, std::span<const std::uint8_t>> builtIn);
    ~TTesseractReader() override;

    std::optional<std::string> Read(const TGreyView& picture, const std::string& languages,
                                    const std::atomic<bool>& cancelled) override;
};
