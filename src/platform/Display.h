#pragma once

#include "base/CaptureRegion.h"
#include "base/Pixels32.h"
#include "base/PointerPicture.h"
#include "base/Rgb.h"
#include "platform/MonitorLayout.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// The copy of a block of the screen: 32-bit pixels of the part of the block that lies on the
// virtual screen, placed at (OffsetX, OffsetY) within the block asked for, whose top-left
// corner is (Left, Top) on the virtual screen.
class TScreenPixels {
public:
    virtual ~TScreenPixels() = default;
    virtual TPixels32View View() const = 0;
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t OffsetX = 0;
    std::int32_t OffsetY = 0;
};

// The colours the display lends to paletted bitmaps.
struct TDisplayColours {
    int HardwarePaletteSize = 0; // 0 on every true-colour display
    TPalette SystemPalette;      // its entries, when there is one
    TPalette Halftone;           // the 256 colours of the screen's halftone palette
};

// The screen and its monitors, the windows on it and the mouse pointer: what the program reads
// of the desktop. Positions are physical pixels of the virtual screen.
class IDisplay {
public:
    virtual ~IDisplay() = default;
    // The primary screen.
    virtual std::int32_t ScreenWidth() = 0;
    virtual std::int32_t ScreenHeight() = 0;
    // The monitors as they are now (they may change while Quorlan runs).
    virtual std::vector<TMonitor> Monitors() = 0;
    // Copies a block of the virtual screen as it is now. Parts off the virtual screen are left
    // out (the caller's bitmap stays white there), and parts that no monitor shows within it
    // are white. Raises EOutOfResources when it cannot be had.
    virtual std::unique_ptr<TScreenPixels> GrabScreen(std::int32_t left, std::int32_t top,
                                                      std::int32_t width, std::int32_t height) = 0;
    virtual TDisplayColours DisplayColours() = 0;
    // The visible frames of the top-level windows shown now, front to back: not hidden,
    // minimised or cloaked, nor the desktop itself.
    virtual std::vector<TCaptureRegion> WindowFrames() = 0;
    // Where the pointer is; moving it sends the window under it its move.
    virtual TScreenPoint PointerPosition() = 0;
    virtual void SetPointerPosition(TScreenPoint position) = 0;
    // The mouse pointer as the screen shows it now; nothing while it is hidden.
    virtual std::optional<TPointerPicture> PointerPicture() = 0;
};
