#pragma once

#include "platform/Display.h"
#include "win32/ScreenGrab.h"

// The screen as Windows shows it: its monitors, blocks of it copied, the windows on it and the
// mouse pointer.
class TWin32Display : public IDisplay {
public:
    TWin32Display();

    std::int32_t ScreenWidth() override;
    std::int32_t ScreenHeight() override;
    std::vector<TMonitor> Monitors() override;
    std::unique_ptr<TScreenPixels> GrabScreen(std::int32_t left, std::int32_t top,
                                              std::int32_t width, std::int32_t height) override;
    TDisplayColours DisplayColours() override;
    std::vector<TCaptureRegion> WindowFrames() override;
    TScreenPoint PointerPosition() override;
    void SetPointerPosition(TScreenPoint position) override;
    std::optional<TPointerPicture> PointerPicture() override;

private:
    TScreenGrabber FGrabber;
};
