#pragma once

#include "platform/Shell.h"

#include <windows.h>

#include <memory>
#include <string>

// Our picture on the clipboard, its formats rendered late: the clipboard is taken at once, and
// the bytes of a format are made only when a program asks for them (or when we go, for those
// not asked for yet). A capture so costs the clipboard almost nothing.
class TClipboardOwner {
public:
    explicit TClipboardOwner(HWND window);

    // Takes the clipboard for the picture (CF_DIB and the registered "PNG"), trying again for
    // about a second while another program holds it. False when it could not.
    bool Offer(std::shared_ptr<const IClipboardPicture> picture);
    // Puts the text (UTF-8) there as CF_UNICODETEXT in place of anything, a picture of ours
    // too, trying again as for a picture. False when it could not.
    bool OfferText(const std::string& text);
    // The clipboard owner's messages (WM_RENDERFORMAT, WM_RENDERALLFORMATS,
    // WM_DESTROYCLIPBOARD); true when it was one of them.
    bool HandleMessage(UINT message, WPARAM wParam);
    // Every format rendered while the picture is still ours: the window is about to go.
    void RenderAll() noexcept;

private:
    void Render(UINT format) noexcept;
    unsigned Bit(UINT format) const; // of a format in FRendered, 0 for one not ours

    HWND FWindow;
    UINT FPngFormat;
    std::shared_ptr<const IClipboardPicture> FPicture;
    unsigned FRendered = 0; // the formats the clipboard holds the bytes of
};
