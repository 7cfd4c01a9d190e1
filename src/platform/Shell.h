#pragma once

#include "base/LocalTime.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

enum class TSpecialFolder { Pictures, Documents };

// A picture for the clipboard. Its formats are made when a program asks for them (or before
// Quorlan ends), not when it is copied: a packed device-independent bitmap of 24 bits (header
// and rows, as the clipboard's CF_DIB holds it) and a PNG file.
class IClipboardPicture {
public:
    virtual ~IClipboardPicture() = default;
    // The DIB is written straight into memory of DibSize() bytes, the clipboard's own.
    virtual std::size_t DibSize() const = 0;
    virtual void WriteDib(std::uint8_t* target) const = 0;
    virtual std::string Png() const = 0;
};

// The desktop's shell around the program: where it runs, the user's folders and clock, opening
// files, and the clipboard.
class IShell {
public:
    virtual ~IShell() = default;
    // Full path of the running executable.
    virtual std::string ExecutablePath() = 0;
    // The user's folder of that kind, without a final "\"; nothing when there is none.
    virtual std::optional<std::string> SpecialFolder(TSpecialFolder folder) = 0;
    virtual TLocalTime Now() = 0;
    // Opens the file with the application the desktop associates with its type.
    virtual void ShellOpen(const std::string& fileName) = 0;
    // Shows the file's folder with the file selected.
    virtual void ShowInFolder(const std::string& fileName) = 0;
    // Puts the picture on the clipboard in both its formats, in place of what was there,
    // trying again for about a second while another program holds the clipboard. False when
    // it could not.
    virtual bool SetClipboardPicture(std::shared_ptr<const IClipboardPicture> picture) = 0;
    // The text (UTF-8) on the clipboard as Unicode text, in place of what was there, trying
    // again as for a picture. False when it could not.
    virtual bool SetClipboardText(const std::string& text) = 0;
};
