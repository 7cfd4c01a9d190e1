#include "keys/KeyChord.h"

#include "base/AsciiText.h"

#include <array>
#include <cstdio>
#include <span>

namespace {

struct TNamedKey {
    std::uint16_t VirtualKey;
    std::string_view Name;
};

// Keys beyond letters, digits and F1 to F24, by their usual names.
constexpr std::array kNamedKeys = {
    TNamedKey{0x2C, "PrintScreen"}, TNamedKey{0x13, "Pause"},       TNamedKey{0x91, "ScrollLock"},
    TNamedKey{0x2D, "Insert"},      TNamedKey{0x2E, "Delete"},      TNamedKey{0x24, "Home"},
    TNamedKey{0x23, "End"},         TNamedKey{0x21, "PageUp"},      TNamedKey{0x22, "PageDown"},
    TNamedKey{0x25, "Left"},        TNamedKey{0x26, "Up"},          TNamedKey{0x27, "Right"},
    TNamedKey{0x28, "Down"},        TNamedKey{0x20, "Space"},       TNamedKey{0x09, "Tab"},
    TNamedKey{0x0D, "Enter"},       TNamedKey{0x1B, "Esc"},         TNamedKey{0x08, "Backspace"},
    TNamedKey{0x5D, "Menu"},        TNamedKey{0x6A, "NumMultiply"}, TNamedKey{0x6B, "NumPlus"},
    TNamedKey{0x6D, "NumMinus"},    TNamedKey{0x6E, "NumDecimal"},  TNamedKey{0x6F, "NumDivide"},
};

// Alternative spellings that are read but never written.
constexpr std::array kAliases = {
    TNamedKey{0x2C, "PrtSc"},  TNamedKey{0x2C, "PrtScn"}, TNamedKey{0x2C, "PrintScrn"},
    TNamedKey{0x2C, "Print"},  TNamedKey{0x2E, "Del"},    TNamedKey{0x2D, "Ins"},
    TNamedKey{0x21, "PgUp"},   TNamedKey{0x22, "PgDn"},   TNamedKey{0x0D, "Return"},
    TNamedKey{0x1B, "Escape"}, TNamedKey{0x13, "Break"},
};

struct TModifierName {
    std::uint8_t Bit;
    std::string_view Name;
};
constexpr std::array kModifierNames = {
    TModifierName{kModCtrl, "Ctrl"}, TModifierName{kModAlt, "Alt"},
    TModifierName{kModShift, "Shift"}, TModifierName{kModWin, "Win"}};
constexpr std::array kModifierAliases = {TModifierName{kModCtrl, "Control"},
                                         TModifierName{kModWin, "Windows"}};

std::optional<std::uint16_t> KeyNamed(std::string_view name) {
    if (name.size() == 1) {
        const char c = AsciiLower(name[0]);
        if (c >= 'a' && c <= 'z') {
            return static_cast<std::uint16_t>('A' + (c - 'a'));
        }
        if (c >= '0' && c <= '9') {
            return static_cast<std::uint16_t>(c);
        }
    }
    if (name.size() >= 2 && name.size() <= 3 && AsciiLower(name[0]) == 'f' && name[1] != '0') {
        int number = 0;
        for (const char c : name.substr(1)) {
            if (c < '0' || c > '9') {
                return std::nullopt;
            }
            number = number * 10 + (c - '0');
        }
        if (number >= 1 && number <= 24) {
            return static_cast<std::uint16_t>(0x70 + number - 1);
        }
        return std::nullopt;
    }
    if (name.size() == 4 && SameName(name.substr(0, 3), "num") && name[3] >= '0' &&
        name[3] <= '9') {
        return static_cast<std::uint16_t>(0x60 + (name[3] - '0'));
    }
    for (const auto& table :
         {std::span<const TNamedKey>(kNamedKeys), std::span<const TNamedKey>(kAliases)}) {
        for (const TNamedKey& key : table) {
            if (SameName(key.Name, name)) {
                return key.VirtualKey;
            }
        }
    }
    return std::nullopt;
}

} // namespace

std::string_view KeyName(TKeyCode virtualKey) {
    static const std::array<std::string, 256> generated = [] {
        std::array<std::string, 256> names;
        for (int c = 'A'; c <= 'Z'; ++c) {
            names[c] = std::string(1, static_cast<char>(c));
        }
        for (int c = '0'; c <= '9'; ++c) {
            names[c] = std::string(1, static_cast<char>(c));
        }
        char name[8];
        for (int n = 1; n <= 24; ++n) {
            std::snprintf(name, sizeof name, "F%d", n);
            names[0x70 + n - 1] = name;
        }
        for (int n = 0; n <= 9; ++n) {
            std::snprintf(name, sizeof name, "Num%d", n);
            names[0x60 + n] = name;
        }
        return names;
    }();
    if (virtualKey < generated.size() && !generated[virtualKey].empty()) {
        return generated[virtualKey];
    }
    for (const TNamedKey& key : kNamedKeys) {
        if (key.VirtualKey == virtualKey) {
            return key.Name;
        }
    }
    return {};
}

bool IsModifierKey(TKeyCode virtualKey) {
    switch (virtualKey) {
    case 0x10:
    case 0x11:
    case 0x12: // Shift, Ctrl, Alt
    case 0xA0:
    case 0xA1:
    case 0xA2:
    case 0xA3: // left and right Shift, Ctrl
    case 0xA4:
    case 0xA5:
    case 0x5B:
    case 0x5C: // left and right Alt, Win
        return true;
    default:
        return false;
    }
}

bool IsTypingKey(TKeyCode virtualKey) {
    return (virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9') ||
           (virtualKey >= 0x60 && virtualKey <= 0x6F) || // the number pad
           (virtualKey >= 0x20 && virtualKey <= 0x28) || // space, paging, the arrows
           virtualKey == 0x08 || virtualKey == 0x09 || virtualKey == 0x0D || virtualKey == 0x1B ||
           virtualKey == 0x2D || virtualKey == 0x2E;
}

std::optional<TKeyChord> ParseKeyChord(std::string_view text) {
    TKeyChord chord;
    if (TrimBlanks(text).empty()) {
        return chord;
    }
    while (true) {
        const std::size_t plus = text.find('+');
        const std::string_view part = TrimBlanks(text.substr(0, plus));
        const bool last = plus == std::string_view::npos;
        std::uint8_t modifier = 0;
        for (const auto& table : {std::span<const TModifierName>(kModifierNames),
                                  std::span<const TModifierName>(kModifierAliases)}) {
            for (const TModifierName& name : table) {
                if (SameName(name.Name, part)) {
                    modifier = name.Bit;
                }
            }
        }
        if (!last) {
            if (modifier == 0 || (chord.Modifiers & modifier)) {
                return std::nullopt; // a key before the last place, or a modifier twice
            }
            chord.Modifiers |= modifier;
            text.remove_prefix(plus + 1);
            continue;
        }
        const auto key = KeyNamed(part);
        if (!key) {
            return std::nullopt;
        }
        chord.VirtualKey = *key;
        return chord;
    }
}

std::string KeyChordText(TKeyChord chord) {
    if (chord.None()) {
        return {};
    }
    std::string text;
    for (const TModifierName& name : kModifierNames) {
        if (chord.Modifiers & name.Bit) {
            text.append(name.Name).append("+");
        }
    }
    return text.append(KeyName(chord.VirtualKey));
}

bool IsUsableChord(TKeyChord chord) {
    if (chord.None()) {
        return true;
    }
    if (IsModifierKey(chord.VirtualKey) || KeyName(chord.VirtualKey).empty()) {
        return false;
    }
    const bool alone = (chord.Modifiers & (kModCtrl | kModAlt | kModWin)) == 0;
    return !(alone && IsTypingKey(chord.VirtualKey));
}
