#pragma once

#include "platform/Display.h"

#include <functional>
#include <optional>
#include <vector>

// The screen as tests script it, pixels as red << 16 | green << 8 | blue: the primary monitor of
// ScreenW x ScreenH at the origin, or the monitors of Displays when there are any. Screen holds
// the virtual screen row by row from its top-left corner; what no monitor shows is black there,
// as a screen copy gives it. PaintScreen takes screen positions. GrabFails makes the next grab
// fail; the pointer's moves are told to OnPointerMoved, as the window under it would see them.
class THeadlessDisplay : public IDisplay {
public:
    THeadlessDisplay();

    std::int32_t ScreenWidth() override { return ScreenW; }
    std::int32_t ScreenHeight() override { return ScreenH; }
    std::vector<TMonitor> Monitors() override { return Layout(); }
    std::unique_ptr<TScreenPixels> GrabScreen(std::int32_t left, std::int32_t top,
                                              std::int32_t width, std::int32_t height) override;
    TDisplayColours DisplayColours() override;
    TScreenPoint PointerPosition() override { return Pointer; }
    void SetPointerPosition(TScreenPoint position) override;
    std::optional<TPointerPicture> PointerPicture() override { return Cursor; }
    std::vector<TCaptureRegion> WindowFrames() override { return Frames; }

    void PaintScreen(std::function<std::uint32_t(int x, int y)> colour);
    std::uint32_t ScreenAt(std::int32_t x, std::int32_t y) const;
    std::vector<TMonitor> Layout() const; // Displays, or the one primary monitor

    std::int32_t ScreenW = 64;
    std::int32_t ScreenH = 48;
    std::vector<TMonitor> Displays;
    std::vector<std::uint32_t> Screen;
    int Grabs = 0;
    bool GrabFails = false;
    TScreenPoint Pointer;
    // The pointer as the screen shows it, nothing while hidden.
    std::optional<TPointerPicture> Cursor;
    std::vector<TCaptureRegion> Frames; // the windows' frames, front to back
    std::function<void(TScreenPoint)> OnPointerMoved;
};
