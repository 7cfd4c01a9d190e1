#pragma once

#include "base/CaptureRegion.h"
#include "platform/PinEvent.h"
#include "platform/PixelRows.h"

#include <cstdint>
#include <memory>
#include <string>

// The commands of a pinned picture's menu.
enum class TPinCommand { None, Copy, Save, Close, CloseAll };

// The windows of the pinned pictures: borderless, above every window, a border of one pixel
// outside the picture, no taskbar button and no part in Alt+Tab; dragged with the left button.
// Each shows its picture at 1:1 physical pixels on whatever monitor it is on.
class IPins {
public:
    virtual ~IPins() = default;
    // Shows the picture with its top-left pixel at `at`, at 100 % and opaque, with the focus.
    virtual void ShowPin(TPinId pin, std::shared_ptr<const TPixelRows> picture,
                         TScreenPoint at) = 0;
    // Zoomed to `percent` of the picture's size, the point of it under `around` kept there.
    virtual void ZoomPin(TPinId pin, int percent, TScreenPoint around) = 0;
    virtual void SetPinOpacity(TPinId pin, int percent) = 0;
    // Those words in a corner of the picture for a second.
    virtual void FlashPinLabel(TPinId pin, const std::string& label) = 0;
    // The window goes, and its hold on the picture with it.
    virtual void ClosePin(TPinId pin) = 0;
    // Opens the pin's menu at that point; the command chosen, once it has closed.
    virtual TPinCommand TrackPinMenu(TPinId pin, TScreenPoint at) = 0;
    // Every pin out of sight (while a page is scrolled and captured under them), or back.
    virtual void HidePins(bool hidden) = 0;
};

// The zooms a pinned picture steps through, in percent.
inline constexpr int kPinZooms[] = {10, 25, 33, 50, 67, 75, 100, 125, 150, 200, 300, 400, 600, 800};
inline constexpr int kMinPinOpacity = 20;
inline constexpr int kPinOpacityStep = 10;
// No side of a zoomed picture is made longer than this (the longest a window's side can be
// counted on to be).
inline constexpr std::int32_t kMaxPinSide = 32767;

// A side of the picture at that zoom: rounded, and never less than a pixel.
std::int32_t ZoomedSide(std::int32_t side, int percent);
// `steps` zoom steps from `percent` (a negative count zooms out): held at the first and last
// steps, and at the last whose sides stay within kMaxPinSide for a picture of that size.
int NextPinZoom(int percent, int steps, std::int32_t width, std::int32_t height);
// `steps` opacity steps from `percent`, within kMinPinOpacity and 100.
int NextPinOpacity(int percent, int steps);
// Where a picture shown at `shown` goes at a new size so that the point under `around` stays
// under it.
TCaptureRegion ZoomAround(const TCaptureRegion& shown, TScreenPoint around, std::int32_t width,
                          std::int32_t height);
