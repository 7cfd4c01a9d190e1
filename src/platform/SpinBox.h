#pragma once

#include <cstdint>
#include <string>

// The rules of the options dialog's two spin boxes (the digit count and the next number): an
// edit box holding an integer between a minimum and a maximum, with arrow buttons and keys
// that step it. The Win32 control shows the text; everything it decides is decided here.
class TSpinBox {
public:
    TSpinBox(std::int32_t minimum, std::int32_t maximum, std::size_t maxLength,
             std::int32_t initial);

    std::int32_t Minimum() const { return FMinimum; }
    std::int32_t Maximum() const { return FMaximum; }
    std::size_t MaxLength() const { return FMaxLength; }

    const std::string& Text() const { return FText; }
    void SetText(std::string text) { FText = std::move(text); }

    // The text read by the number rule; the minimum when it is not a number. Not clamped.
    std::int32_t Value() const;
    // Clamped to the range and written as plain decimal.
    void SetValue(std::int64_t value);
    // The arrow keys and buttons: the value plus or minus one, clamped.
    void StepUp() { SetValue(std::int64_t{Value()} + 1); }
    void StepDown() { SetValue(std::int64_t{Value()} - 1); }

    // What becomes of a typed character.
    enum class TKeyVerdict {
        Accepted, // reaches the text (digits, Backspace)
        Refused,  // refused by the box with the default beep
        Dropped,  // discarded silently by the key filter
    };
    static TKeyVerdict FilterChar(char32_t typed, char32_t decimalSeparator);

    // Leaving the box: an unreadable text becomes the minimum, then a value out of range is
    // clamped.
    // A text that already is an in-range number stays as typed ("0012" stays).
    void Exit();

private:
    std::int32_t FMinimum;
    std::int32_t FMaximum;
    std::size_t FMaxLength;
    std::string FText;
};
