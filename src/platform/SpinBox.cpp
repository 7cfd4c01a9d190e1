#include "platform/SpinBox.h"

#include "base/NumberText.h"

#include <algorithm>

TSpinBox::TSpinBox(std::int32_t minimum, std::int32_t maximum, std::size_t maxLength,
                   std::int32_t initial)
    : FMinimum(minimum), FMaximum(maximum), FMaxLength(maxLength) {
    SetValue(initial);
}

std::int32_t TSpinBox::Value() const {
    return ParseNumberText(FText).value_or(FMinimum);
}

void TSpinBox::SetValue(std::int64_t value) {
    FText = std::to_string(std::clamp<std::int64_t>(value, FMinimum, FMaximum));
}

TSpinBox::TKeyVerdict TSpinBox::FilterChar(char32_t typed, char32_t decimalSeparator) {
    constexpr char32_t kBackspace = 8;
    constexpr char32_t kEnter = 13;
    const bool digit = typed >= U'0' && typed <= U'9';
    const bool control = typed < 0x20 || typed == 0x7F;
    // The box itself takes only signs, the decimal separator, digits and control characters;
    // Enter is refused with the beep like any other character.
    const bool boxTakes = digit || typed == U'+' || typed == U'-' || typed == decimalSeparator ||
                          (control && typed != kEnter);
    if (!boxTakes) {
        return TKeyVerdict::Refused;
    }
    // Then the key filter lets only digits and Backspace through.
    return digit || typed == kBackspace ? TKeyVerdict::Accepted : TKeyVerdict::Dropped;
}

void TSpinBox::Exit() {
    if (!ParseNumberText(FText)) {
        FText = std::to_string(FMinimum);
    }
    const std::int32_t value = Value();
    if (value < FMinimum || value > FMaximum) {
        SetValue(value);
    }
}
