#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// A grey picture for the text recogniser: rows of Width bytes, Stride apart, dark text on light,
// at Dpi pixels an inch.
struct TGreyView {
    const std::uint8_t* Data = nullptr;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::ptrdiff_t Stride = 0;
    int Dpi = 96;
};

// The text recogniser: offline, in the languages named ("jpn+eng"). Called on a worker thread.
class ITextReader {
public:
    virtual ~ITextReader() = default;
    // The words as the recogniser writes them: UTF-8 lines in reading order, each ending in
    // "\n". Nothing once `cancelled` has been set meanwhile. Raises (ETextLanguage, its message
    // naming it) for a language whose data cannot be found.
    virtual std::optional<std::string> Read(const TGreyView& picture, const std::string& languages,
                                            const std::atomic<bool>& cancelled) = 0;
};
