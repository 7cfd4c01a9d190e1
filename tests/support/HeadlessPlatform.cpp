#include "support/HeadlessPlatform.h"

THeadlessPlatform::THeadlessPlatform()
    : THeadlessTray(THeadlessOverlay::Visible, THeadlessDisplay::Grabs),
      THeadlessScrolling(static_cast<const THeadlessDisplay&>(*this)) {
    // The pointer moved by the program reaches the window under it as the pointer's own would.
    OnPointerMoved = [this](TScreenPoint at) { Move(at.X, at.Y); };
}

void THeadlessPlatform::TrayClick(TTrayEvent event) {
    Send([event](IMainWindowEvents& events) { events.TrayNotify(event); });
}

void THeadlessPlatform::PostedCaptureNow() {
    Send([](IMainWindowEvents& events) { events.CaptureNowPosted(); });
}

void THeadlessPlatform::KeyDecided() {
    Send([](IMainWindowEvents& events) { events.KeyDecided(); });
}

void THeadlessPlatform::Tick() {
    Send([](IMainWindowEvents& events) { events.CountdownTick(); });
}

void THeadlessPlatform::ScrollTimerTick() {
    ScrollClock += ScrollTimer;
    Send([](IMainWindowEvents& events) { events.ScrollTick(); });
}

void THeadlessPlatform::PinEvent(const TPinEvent& event) {
    Send([&](IMainWindowEvents& events) { events.PinEvent(event); });
}

void THeadlessPlatform::ClickScrollLabel() {
    Send([](IMainWindowEvents& events) { events.ScrollLabelClicked(); });
}

void THeadlessPlatform::TextEntryDone() {
    Send([](IMainWindowEvents& events) { events.TextEntryEnded(); });
}

void THeadlessPlatform::Press(std::int32_t x, std::int32_t y, TShiftState shift,
                              TMouseButton button) {
    Send([=](IMainWindowEvents& events) { events.FormMouseDown(button, shift, x, y); });
}

void THeadlessPlatform::Move(std::int32_t x, std::int32_t y, TShiftState shift) {
    Send([=](IMainWindowEvents& events) { events.FormMouseMove(shift, x, y); });
}

void THeadlessPlatform::Release(std::int32_t x, std::int32_t y, TShiftState shift,
                                TMouseButton button) {
    Send([=](IMainWindowEvents& events) { events.FormMouseUp(button, shift, x, y); });
}

void THeadlessPlatform::Key(TKeyCode key, TShiftState shift) {
    Send([=](IMainWindowEvents& events) {
        TKeyCode pressed = key;
        events.FormKeyDown(pressed, shift);
    });
}

bool THeadlessPlatform::KeyEvent(bool down, TKeyCode key, std::optional<TCaptureRegion> rect,
                                 std::uint8_t modifiers) {
    const TKeyVerdict verdict = Watcher.OnKey(down, key, modifiers);
    if (verdict.Escape) {
        KeyDecisions.push_back({TKeyAction::Capture, std::nullopt, true});
        Events.push_back([this] { KeyDecided(); });
    }
    if (verdict.Action) {
        const bool withRect = *verdict.Action == TKeyAction::CaptureWindow ||
                              *verdict.Action == TKeyAction::CaptureScreen;
        KeyDecisions.push_back({*verdict.Action, withRect ? rect : std::nullopt});
        Events.push_back([this] { KeyDecided(); });
    }
    return verdict.Swallow;
}
