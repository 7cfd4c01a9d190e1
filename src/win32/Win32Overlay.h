#pragma once

#include "platform/Overlay.h"
#include "win32/OverlayPainter.h"
#include "win32/PrivateMessages.h"
#include "win32/TextEntry.h"

#include <windows.h>

#include <memory>

// The main window as the region overlay: shown over every monitor, it paints the frozen screen,
// the band, the aids and the marks, shows the cross, holds the text box of a text mark and
// captures the pointer for a drag.
class TWin32Overlay : public IOverlay, public IWindowMessages {
public:
    explicit TWin32Overlay(HWND window) : FWindow(window), FPainter(window) {}

    void ShowMainWindow(TWindowState state) override;
    void HideMainWindow() override;
    void SetOverlayPicture(std::shared_ptr<const TScreenPixels> picture) override;
    void SetCrossCursor(bool cross) override;
    void DrawXorRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                          std::int32_t y2) override;
    void SetOverlayAids(const TOverlayAids& aids) override;
    void SetOverlayMarks(std::shared_ptr<const TScreenPixels> marks,
                         const std::vector<TCaptureRegion>& changed) override;
    std::vector<TCaptureRegion> DrawMark(const TMark& mark, const TMarkStyle& style,
                                         const TPixels32Canvas& canvas) override;
    TCaptureRegion LettersBox(const TMark& mark, const TMarkStyle& style) override;
    void BeginTextEntry(TScreenPoint at, std::int32_t width, std::uint32_t colour,
                        std::int32_t height, const std::string& words) override;
    std::optional<std::string> EndTextEntry() override;
    void SetPointerCapture(bool captured) override;

    // WM_PAINT, the text box's colours, the cross, and the scaling of a monitor left alone.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    HWND FWindow;
    TOverlayPainter FPainter;
    std::unique_ptr<TTextEntry> FTextEntry;
    bool FCrossCursor = false;
};
