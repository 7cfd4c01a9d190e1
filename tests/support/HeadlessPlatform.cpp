#include "support/HeadlessPlatform.h"

#include "platform/ScrollLabel.h"

#include "base/Errors.h"
#include "base/Texts.h"
#include "imaging/Palette.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace {

class TBufferPixels : public TScreenPixels {
public:
    TPixels32View View() const override {
        return {reinterpret_cast<const std::uint8_t*>(Pixels.data()), Width, Height,
                static_cast<std::ptrdiff_t>(Width) * 4};
    }
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint32_t> Pixels;
};

} // namespace

THeadlessPlatform::THeadlessPlatform() {
    PaintScreen(
        [](int x, int y) { return std::uint32_t(x * 4) << 16 | std::uint32_t(y * 5) << 8 | 0x40; });
}

std::vector<TMonitor> THeadlessPlatform::Monitors() {
    return Layout();
}

std::vector<TMonitor> THeadlessPlatform::Layout() const {
    if (Displays.empty()) {
        return {{{0, 0, ScreenW, ScreenH}, 96, true}};
    }
    return Displays;
}

void THeadlessPlatform::PaintScreen(std::function<std::uint32_t(int, int)> colour) {
    const TCaptureRegion all = VirtualScreenOf(Monitors());
    const std::int32_t width = all.Right - all.Left;
    Screen.assign(std::size_t(width) * (all.Bottom - all.Top), 0);
    for (const TMonitor& monitor : Monitors()) {
        for (int y = monitor.Bounds.Top; y < monitor.Bounds.Bottom; ++y) {
            for (int x = monitor.Bounds.Left; x < monitor.Bounds.Right; ++x) {
                Screen[std::size_t(y - all.Top) * width + (x - all.Left)] = colour(x, y) & 0xFFFFFF;
            }
        }
    }
}

std::uint32_t THeadlessPlatform::ScreenAt(std::int32_t x, std::int32_t y) const {
    const TCaptureRegion all = VirtualScreenOf(Layout());
    return Screen[std::size_t(y - all.Top) * (all.Right - all.Left) + (x - all.Left)];
}

std::optional<std::string> THeadlessPlatform::SpecialFolder(TSpecialFolder folder) {
    const auto found = Folders.find(folder);
    if (found == Folders.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::unique_ptr<TScreenPixels> THeadlessPlatform::GrabScreen(std::int32_t left, std::int32_t top,
                                                             std::int32_t width,
                                                             std::int32_t height) {
    ++Grabs;
    if (GrabFails) {
        throw EOutOfResources(Text(TText::OutOfSystemResources));
    }
    // As the Win32 grab does it: the part on the virtual screen copied, then what no monitor
    // shows within it made white.
    auto pixels = std::make_unique<TBufferPixels>();
    pixels->Left = left;
    pixels->Top = top;
    const std::vector<TMonitor> monitors = Monitors();
    const TCaptureRegion all = VirtualScreenOf(monitors);
    const std::int64_t x0 = std::max<std::int64_t>(left, all.Left);
    const std::int64_t y0 = std::max<std::int64_t>(top, all.Top);
    const std::int64_t x1 = std::min<std::int64_t>(std::int64_t{left} + width, all.Right);
    const std::int64_t y1 = std::min<std::int64_t>(std::int64_t{top} + height, all.Bottom);
    if (x0 < x1 && y0 < y1) {
        pixels->Width = static_cast<std::int32_t>(x1 - x0);
        pixels->Height = static_cast<std::int32_t>(y1 - y0);
        pixels->OffsetX = static_cast<std::int32_t>(x0 - left);
        pixels->OffsetY = static_cast<std::int32_t>(y0 - top);
        const std::size_t stride = std::size_t(all.Right - all.Left);
        for (std::int64_t y = y0; y < y1; ++y) {
            const auto* row = &Screen[std::size_t(y - all.Top) * stride];
            pixels->Pixels.insert(pixels->Pixels.end(), row + (x0 - all.Left),
                                  row + (x1 - all.Left));
        }
        const TCaptureRegion copied{std::int32_t(x0), std::int32_t(y0), std::int32_t(x1),
                                    std::int32_t(y1)};
        for (const TCaptureRegion& gap : UncoveredParts(copied, monitors)) {
            for (std::int32_t y = gap.Top; y < gap.Bottom; ++y) {
                for (std::int32_t x = gap.Left; x < gap.Right; ++x) {
                    pixels->Pixels[std::size_t(y - y0) * pixels->Width + (x - x0)] = 0xFFFFFF;
                }
            }
        }
    }
    return pixels;
}

TDisplayColours THeadlessPlatform::DisplayColours() {
    return {0, {}, TrueColourHalftonePalette()};
}

int THeadlessPlatform::ShowMessageBox(const std::string& text, TBoxKind kind, TBoxButtons buttons) {
    Boxes.push_back({text, kind, buttons});
    if (Answers.empty()) {
        return buttons == TBoxButtons::YesNo ? mrYes : mrOk;
    }
    const auto answer = std::move(Answers.front());
    Answers.pop_front();
    return answer();
}

void THeadlessPlatform::ShowErrorBox(const std::string& text) {
    ErrorBoxes.push_back(text);
    if (DuringErrorBox) {
        std::exchange(DuringErrorBox, nullptr)();
    }
}

TMenuCommand THeadlessPlatform::TrackTrayMenu() {
    ++MenusOpened;
    if (DuringMenu) {
        std::exchange(DuringMenu, nullptr)();
    }
    if (MenuChoices.empty()) {
        return TMenuCommand::None;
    }
    const TMenuCommand choice = MenuChoices.front();
    MenuChoices.pop_front();
    return choice;
}

void THeadlessPlatform::PostBackgroundError() {
    const std::lock_guard lock(FPostedLock);
    ++FPostedErrors;
}

void THeadlessPlatform::DeliverPosted() {
    for (;;) {
        {
            const std::lock_guard lock(FPostedLock);
            if (FPostedErrors == 0) {
                return;
            }
            --FPostedErrors;
        }
        Send([](IMainWindowEvents& events) { events.BackgroundErrorPosted(); });
    }
}

void THeadlessPlatform::RunMessageLoop() {
    DeliverPosted();
    while (!QuitRequested && !Events.empty()) {
        const auto event = std::move(Events.front());
        Events.pop_front();
        event();
    }
}

bool THeadlessPlatform::InstallKeyWatcher(const TKeyBindings& bindings) {
    ++WatcherInstalls;
    WatcherInstalled = WatcherCanInstall;
    Watcher.SetBindings(WatcherInstalled ? bindings : TKeyBindings{});
    return WatcherInstalled;
}

std::optional<TKeyDecision> THeadlessPlatform::TakeKeyDecision() {
    if (KeyDecisions.empty()) {
        return std::nullopt;
    }
    const TKeyDecision decision = KeyDecisions.front();
    KeyDecisions.pop_front();
    return decision;
}

void THeadlessPlatform::ShellOpen(const std::string& fileName) {
    Opened.push_back(fileName);
    if (ShellOpenFails) {
        throw std::runtime_error("no application for that type");
    }
}

void THeadlessPlatform::Send(const std::function<void(IMainWindowEvents&)>& event) {
    if (!Handler) {
        throw std::logic_error("no main window");
    }
    try {
        event(*Handler);
    } catch (...) {
        Handler->HandleException();
    }
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

bool THeadlessPlatform::ShowScrollFrame(const TCaptureRegion& rect, const std::string& label) {
    ScrollFrame = rect;
    ScrollLabel = label;
    const std::vector<TMonitor> monitors = Layout();
    const TScreenPoint centre{(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2};
    const auto on = std::find_if(monitors.begin(), monitors.end(), [&](const TMonitor& monitor) {
        return Contains(monitor.Bounds, centre);
    });
    ScrollLabelAt =
        PlaceScrollLabel(rect, (on != monitors.end() ? *on : monitors.front()).Bounds, 12, 4);
    if (!ScrollLabelAt) {
        ScrollLabel.clear();
    }
    return ScrollLabelAt.has_value();
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

void THeadlessPlatform::BeginTextEntry(TScreenPoint at, std::int32_t width, std::uint32_t colour,
                                       std::int32_t height, const std::string& words) {
    if (TextEntryFails) {
        throw EOutOfResources(Text(TText::OutOfSystemResources));
    }
    TextEntry = TTextEntry{at, width, colour, height, words};
}

void THeadlessPlatform::DrawXorRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                         std::int32_t y2) {
    ++BandDraws;
    if (x1 == x2 || y1 == y2) {
        return; // the rectangle primitive draws nothing for an empty rectangle
    }
    int& count = Bands[{x1, y1, x2, y2}];
    count ^= 1;
}

std::vector<std::array<std::int32_t, 4>> THeadlessPlatform::VisibleBands() const {
    std::vector<std::array<std::int32_t, 4>> visible;
    for (const auto& [band, count] : Bands) {
        if (count) {
            visible.push_back(band);
        }
    }
    return visible;
}

int THeadlessPlatform::RunOptionsDialog(TOptionValues& values, IOptionsDialogHandler&) {
    ++DialogsRun;
    return DialogScript ? DialogScript(values) : mrCancel;
}

bool THeadlessPlatform::SetClipboardPicture(std::shared_ptr<const IClipboardPicture> picture) {
    if (ClipboardBusy) {
        return false;
    }
    Clipboard = std::move(picture);
    return true;
}

void THeadlessPlatform::SetPointerPosition(TScreenPoint position) {
    Pointer = position;
    Move(position.X, position.Y);
}

TCaptureRegion THeadlessPlatform::LettersBox(const TMark& mark, const TMarkStyle& style) {
    const std::int32_t r = style.StepRadius;
    return mark.Tool == TMarkTool::Step
               ? TCaptureRegion{mark.From.X - r, mark.From.Y - r, mark.From.X + r, mark.From.Y + r}
               : TCaptureRegion{mark.From.X, mark.From.Y,
                                mark.From.X + static_cast<std::int32_t>(mark.Text.size()) *
                                                  style.TextHeight / 2,
                                mark.From.Y + style.TextHeight};
}

std::vector<TCaptureRegion> THeadlessPlatform::DrawMark(const TMark& mark, const TMarkStyle& style,
                                                        const TPixels32Canvas& canvas) {
    const TCaptureRegion box = LettersBox(mark, style);
    const TCaptureRegion part = Intersection(box, canvas.Area());
    for (std::int32_t y = part.Top; y < part.Bottom; ++y) {
        for (std::int32_t x = part.Left; x < part.Right; ++x) {
            std::memcpy(canvas.Row(y - canvas.Top) + 4 * (x - canvas.Left), &mark.Colour, 4);
        }
    }
    return {box};
}
