#pragma once

#include "keys/KeyCodes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A key with the modifiers held with it, as the settings file and the options name it:
// "Ctrl+Shift+F9", "PrintScreen". Key 0 is no key at all.
struct TKeyChord {
    TKeyCode VirtualKey = 0;
    std::uint8_t Modifiers = 0; // kMod... bits

    bool None() const { return VirtualKey == 0; }
    bool operator==(const TKeyChord&) const = default;
};

// Reads "Ctrl+Alt+PrintScreen": modifiers and one key name joined by "+", without regard to
// letter case, blanks around the names or the modifiers' order. The empty text (blanks alone)
// is no key; a text that names no key, repeats a modifier or names two keys is nothing.
std::optional<TKeyChord> ParseKeyChord(std::string_view text);

// The one way a chord is written: Ctrl, Alt, Shift, Win in that order, then the key's name;
// the empty text for no key.
std::string KeyChordText(TKeyChord chord);

// The name of a key alone ("F9", "PrintScreen"); empty for a key without one, which no chord
// can hold (layout-dependent punctuation keys among them).
std::string_view KeyName(TKeyCode virtualKey);

// The modifier keys themselves (Ctrl, Alt, Shift, Win, left or right): never a chord's key.
bool IsModifierKey(TKeyCode virtualKey);

// A key that types or moves the caret (letters, digits, space, the arrows and the like).
bool IsTypingKey(TKeyCode virtualKey);

// Whether a chord can be one of Quorlan's keys: no key at all, or a named key (never a modifier)
// that, when it types, has Ctrl, Alt or Win with it; else typing anywhere would start captures.
// The keys dialog and the settings file's reader hold to the same rule.
bool IsUsableChord(TKeyChord chord);
