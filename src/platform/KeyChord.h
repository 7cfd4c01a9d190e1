#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A key with the modifiers held with it, as the settings file and the options name it:
// "Ctrl+Shift+F9", "PrintScreen". Virtual-key 0 is no key at all.
inline constexpr std::uint8_t kModCtrl = 1;
inline constexpr std::uint8_t kModAlt = 2;
inline constexpr std::uint8_t kModShift = 4;
inline constexpr std::uint8_t kModWin = 8;

struct TKeyChord {
    std::uint16_t VirtualKey = 0;
    std::uint8_t Modifiers = 0; // kMod... bits

    bool None() const { return VirtualKey == 0; }
    bool operator==(const TKeyChord&) const = default;
};

inline constexpr std::uint16_t kVkPrintScreen = 0x2C;

// Reads "Ctrl+Alt+PrintScreen": modifiers and one key name joined by "+", without regard to
// letter case, blanks around the names or the modifiers' order. The empty text (blanks alone)
// is no key; a text that names no key, repeats a modifier or names two keys is nothing.
std::optional<TKeyChord> ParseKeyChord(std::string_view text);

// The one way a chord is written: Ctrl, Alt, Shift, Win in that order, then the key's name;
// the empty text for no key.
std::string KeyChordText(TKeyChord chord);

// The name of a key alone ("F9", "PrintScreen"); empty for a key without one, which no chord
// can hold (layout-dependent punctuation keys among them).
std::string_view KeyName(std::uint16_t virtualKey);

// The modifier keys themselves (Ctrl, Alt, Shift, Win, left or right): never a chord's key.
bool IsModifierKey(std::uint16_t virtualKey);

// A key that types or moves the caret (letters, digits, space, the arrows and the like): a
// chord of one needs Ctrl, Alt or Win with it, or typing would start captures.
bool IsTypingKey(std::uint16_t virtualKey);
