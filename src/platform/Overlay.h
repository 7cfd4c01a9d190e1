#pragma once

#include "base/CaptureRegion.h"
#include "base/Mark.h"
#include "base/Pixels32.h"
#include "platform/Display.h"
#include "platform/OverlayAids.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// How the main window is shown when it is shown.
enum class TWindowState { Normal, Minimized, Maximized };

// The main window as the region overlay: shown maximised it covers the virtual screen and shows
// a frozen picture of it, with the band, the aids and the marks over that. Positions are
// screen positions.
class IOverlay {
public:
    virtual ~IOverlay() = default;
    virtual void ShowMainWindow(TWindowState state) = 0;
    virtual void HideMainWindow() = 0;
    // The picture shown unscaled, its block's top-left corner on the virtual screen's (nothing
    // clears it). A new picture, or none, takes the aids, the bands and the marks away.
    virtual void SetOverlayPicture(std::shared_ptr<const TScreenPixels> picture) = 0;
    // The cross cursor shows over the window while set.
    virtual void SetCrossCursor(bool cross) = 0;
    // The rectangle outline from (x1, y1) to (x2, y2), drawn on the window itself with a
    // white pen XOR-ed with the screen and a hollow brush: drawing it again erases it.
    virtual void DrawXorRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                  std::int32_t y2) = 0;
    // The aids over the picture (TOverlayAids): only what changed is painted again, under the
    // bands.
    virtual void SetOverlayAids(const TOverlayAids& aids) = 0;
    // The marks over the picture: a block shown over the snapshot, whose changed parts are
    // painted again now; the caller changes its pixels and tells which. None takes it away.
    virtual void SetOverlayMarks(std::shared_ptr<const TScreenPixels> marks,
                                 const std::vector<TCaptureRegion>& changed) = 0;
    // Draws a step's number (over its circle, drawn already) or a text mark's letters on the
    // canvas, antialiased in grey in the interface's font, clipped to it; returns the parts
    // it changed. Other marks are not the platform's.
    virtual std::vector<TCaptureRegion> DrawMark(const TMark& mark, const TMarkStyle& style,
                                                 const TPixels32Canvas& canvas) = 0;
    // The box those letters fill, whatever canvas they are drawn on.
    virtual TCaptureRegion LettersBox(const TMark& mark, const TMarkStyle& style) = 0;
    // A box over the overlay to type a text mark in (the input method works there), its
    // top-left corner at `at`, `width` pixels wide, its text in that colour and height, holding
    // `words` to begin with. Enter or a click elsewhere ends it and Esc empties it; either way
    // the main window is told the text entry ended. End takes the box away and gives what it
    // held: nothing for no box. Begin raises EOutOfResources when the box cannot be made.
    virtual void BeginTextEntry(TScreenPoint at, std::int32_t width, std::uint32_t colour,
                                std::int32_t height, const std::string& words) = 0;
    virtual std::optional<std::string> EndTextEntry() = 0;
    // Pointer events keep coming to the main window while captured, wherever the pointer is.
    virtual void SetPointerCapture(bool captured) = 0;
};
