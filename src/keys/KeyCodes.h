#pragma once

#include <cstdint>

// A key as the keyboard numbers it (Windows' virtual-key codes): the one numbering that the
// settings file's key names, the key watcher and the program's own keys share. Letters and
// digits are their capital ASCII characters.
using TKeyCode = std::uint16_t;

inline constexpr TKeyCode kKeyBackspace = 0x08;
inline constexpr TKeyCode kKeyTab = 0x09;
inline constexpr TKeyCode kKeyEnter = 0x0D;
inline constexpr TKeyCode kKeyEscape = 0x1B;
inline constexpr TKeyCode kKeySpace = 0x20;
inline constexpr TKeyCode kKeyLeft = 0x25;
inline constexpr TKeyCode kKeyUp = 0x26;
inline constexpr TKeyCode kKeyRight = 0x27;
inline constexpr TKeyCode kKeyDown = 0x28;
inline constexpr TKeyCode kKeyPrintScreen = 0x2C;
inline constexpr TKeyCode kKeyDelete = 0x2E;
inline constexpr TKeyCode kKeyF1 = 0x70;

// The modifiers held with a key, as bits.
inline constexpr std::uint8_t kModCtrl = 1;
inline constexpr std::uint8_t kModAlt = 2;
inline constexpr std::uint8_t kModShift = 4;
inline constexpr std::uint8_t kModWin = 8;
